// The game as one piece: a whole game played through the game flow from one
// script, and the game's state saved at one frame and played again from
// there.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Ascelon.h"
#include "Ascelon_state.h"
#include "gfx.h"
#include "golden.h"
#include "panel.h"
#include "player.h"
#include "sim.h"

namespace {

input_script load_script(const std::string& name) {
    input_script script;
    std::string error;
    EXPECT_TRUE(
        parse_input_script(read_file(ASCELON_SOURCE_DIR "/tests/routes/" + name), script, error))
        << name << ": " << error;
    return script;
}

// What a frame shows: its trace line and a digest of the screen.
std::string frame_record(uint32_t frame) {
    char* text = nullptr;
    size_t size = 0;
    std::FILE* out = open_memstream(&text, &size);
    sim_trace_line(out, frame);
    std::fclose(out);
    std::string line(text, size);
    std::free(text);
    return line + " screen=" + std::to_string(screen_digest());
}

struct Recording {
    uint32_t save_at, last;
    game_state saved;
    std::vector<std::string> frames;  // save_at + 1 .. last
};

void record(uint32_t frame, void* user) {
    Recording& r = *static_cast<Recording*>(user);
    if (frame == r.save_at) save_game_state(r.saved);
    if (frame > r.save_at && frame <= r.last) r.frames.push_back(frame_record(frame));
}

// Saved half-way up the first tower, with enemies about, a lift that may be
// on its way back and the clock running; then another tower is played (its
// own map, pictures and enemies), the state is restored and the route's
// next frames are played again: they must come out the same, line for line
// and screen for screen.
TEST(GameState, RestoredStatePlaysTheSameFramesAgain) {
    sim_options options;
    options.input = load_script("m1_t0.input");
    options.frames = 1277;
    lives = 3;
    reset_score();
    vitesse_chute = dplx_chute = cpt_chute = 0;
    flag_player_fire = 0;
    static Recording r;
    r = Recording{};
    r.save_at = 150;
    r.last = 1276;  // the tower sinks into the sea
    options.after_frame = record;
    options.user = &r;
    sim_run(options);
    ASSERT_EQ(r.frames.size(), r.last - r.save_at);

    sim_options other;
    other.mission = 1;
    other.tower = 5;
    other.frames = 150;
    other.input = load_script("m1_t0.input");
    sim_run(other);

    restore_game_state(r.saved);
    for (uint32_t f = r.save_at + 1; f <= r.last; ++f) {
        game_frame(script_buttons(options.input, f));
        ASSERT_EQ(frame_record(f), r.frames[f - r.save_at - 1]) << "frame " << f;
    }
}

// The clock's units in a trace line ("clock=H,T,U", the drums' fields).
int trace_clock(const std::string& line) {
    int h = 0, t = 0, u = 0;
    const size_t at = line.find(" clock=");
    if (at == std::string::npos ||
        std::sscanf(line.c_str() + at, " clock=%d,%d,%d", &h, &t, &u) != 3)
        return -1;
    return h / 8 * 100 + t / 8 * 10 + u / 8;
}

// A whole game of the first mission through the game flow, from one script
// (written by ascelon-route --game from the towers' routes): the eight
// towers each climbed at its first attempt, so no life is lost, the seven
// interlevels between them played for fish that lengthen the next tower's
// clock, and the game's end after the last tower.
TEST(GoldenGame, WholeFirstMissionThroughTheGameFlow) {
    sim_options options;
    options.input = load_script("game_m1.input");
    options.frames = 100000;
    sim_fresh_game();
    char* text = nullptr;
    size_t size = 0;
    options.trace = open_memstream(&text, &size);
    const sim_result result = sim_run_game(options);
    std::fclose(options.trace);
    const std::string trace(text, size);
    std::free(text);

    EXPECT_EQ(result.end, sim_end::game_over) << sim_end_name(result.end);
    EXPECT_EQ(lives, 0);
    // Attempts: a tower loop whose first frame is the arrival's.
    int attempts[8] = {};
    size_t first_line[8];
    std::istringstream lines(trace);
    bool arriving = false;
    size_t offset = 0;
    for (std::string line; std::getline(lines, line); offset += line.size() + 1) {
        int t = -1;
        const bool arrival = std::sscanf(line.c_str(), "tower lvl=%d", &t) == 1 &&
                             line.find(" anim=10 fr=1 spr=0 x=4 y=0 ") != std::string::npos;
        if (arrival && !arriving && t >= 0 && t < 8 && attempts[t]++ == 0) first_line[t] = offset;
        arriving = arrival;
    }
    for (int t = 0; t < 8; ++t) {
        SCOPED_TRACE("tower " + std::to_string(t));
        EXPECT_EQ(attempts[t], 1) << "each tower climbed at its first attempt";
        if (!attempts[t]) continue;
        const std::string first =
            trace.substr(first_line[t], trace.find('\n', first_line[t]) - first_line[t]);
        const int allowance = 400 + 50 * t;
        if (t == 0) {
            EXPECT_EQ(trace_clock(first), allowance);
        } else {
            EXPECT_GT(trace_clock(first), allowance) << "the fish caught before it add time";
        }
        if (t < 7) {
            EXPECT_NE(trace.find("\nil lvl=" + std::to_string(t) + " "), std::string::npos);
        }
    }
    EXPECT_EQ(trace.find("\nil lvl=7 "), std::string::npos) << "no interlevel after the last";

    const std::vector<uint8_t> bytes(trace.begin(), trace.end());
    EXPECT_TRUE(golden_match("game_m1.trace", bytes,
                             [&](size_t offset) { return trace_line_at(trace, offset); }));
}

}  // namespace
