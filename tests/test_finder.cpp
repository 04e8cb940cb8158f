// The route finder on the first tower: a route cut short before its last
// legs is completed by the search, and the way it gives climbs the tower
// when the simulator plays it from a fresh attempt, enemies and all.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>

#include "Ascelon.h"
#include "golden.h"
#include "map.h"
#include "nmis.h"
#include "player.h"
#include "route.h"
#include "sim.h"

namespace {

std::string committed_route() {
    std::ifstream in(ASCELON_SOURCE_DIR "/tests/routes/m1_t0.input", std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

}  // namespace

TEST(RouteFinder, KeepsAGivenRouteThatClimbs) {
    std::string error;
    route_options o;
    o.from = script_inputs(committed_route(), error);
    ASSERT_TRUE(error.empty()) << error;
    const route_result r = find_route(o);
    ASSERT_TRUE(r.found);
    EXPECT_TRUE(r.from_climbs);
    EXPECT_EQ(r.frames_searched, 0u);
    EXPECT_EQ(r.play.end, route_end::finished);
    // What the committed route is known to use on its way up.
    EXPECT_EQ(r.play.facts.tunnels, 5);
    EXPECT_EQ(r.play.facts.lift_rides, 6);
    EXPECT_EQ(r.play.facts.blocks_shot, 2);
    EXPECT_EQ(r.play.facts.knocks, 0);
    EXPECT_GE(r.play.facts.enemies_shot, 2);
}

TEST(RouteFinder, CompletesTheFirstTowersRouteCutShort) {
    // The committed route up to leg L, where the creature waits on row 38 for
    // the patroller of row 42: the search has to find the rest itself.
    std::string error, cut;
    std::istringstream lines(committed_route());
    for (std::string line; std::getline(lines, line);) {
        std::istringstream words(line);
        unsigned frame = 0;
        if ((words >> frame) && frame < 1043) cut += line + "\n";
    }
    cut += "1043 -\n";
    route_options o;
    o.from = script_inputs(cut, error);
    ASSERT_TRUE(error.empty()) << error;
    o.frame_budget = 200000;
    const route_result r = find_route(o);
    ASSERT_TRUE(r.found) << "highest row " << r.highest_row << " after " << r.frames_searched
                         << " frames";
    EXPECT_FALSE(r.from_climbs);
    EXPECT_GT(r.frames_searched, 0u);
    ASSERT_GE(r.inputs.size(), 1000u);
    EXPECT_TRUE(std::equal(o.from.begin(), o.from.begin() + 1000, r.inputs.begin()))
        << "the given route's start stays as it was";

    // The simulator plays the script it gives: the tower is climbed with
    // every life, and the clock still runs when the creature leaves.
    sim_options s;
    ASSERT_TRUE(parse_input_script(route_script(r.inputs), s.input, error)) << error;
    s.frames = 4000;
    lives = 3;
    reset_score();
    vitesse_chute = dplx_chute = cpt_chute = 0;
    flag_player_fire = 0;
    const sim_result played = sim_run(s);
    EXPECT_EQ(played.end, sim_end::finished) << sim_end_name(played.end);
    EXPECT_EQ(played.frames_run, r.play.frames);
    EXPECT_EQ(lives, 3);
    EXPECT_EQ(r.play.facts.knocks, 0);
    EXPECT_GT(r.play.clock_left, 0);
    EXPECT_EQ(r.play.clock_start, 400);
}

namespace {

struct QuietRun {
    std::string trace;
    uint64_t screen_changes = 0;  // frames whose screen differs from the one before
};

void note_screen(uint32_t, void* user) {
    static uint64_t last = 0;
    const uint64_t h = screen_digest();
    if (h != last) ++static_cast<QuietRun*>(user)->screen_changes;
    last = h;
}

QuietRun play_committed_route(bool quiet) {
    sim_options options;
    std::string error;
    EXPECT_TRUE(parse_input_script(committed_route(), options.input, error)) << error;
    options.frames = 1400;
    options.after_frame = note_screen;
    QuietRun run;
    options.user = &run;
    sim_fresh_game();
    char* text = nullptr;
    size_t size = 0;
    options.trace = open_memstream(&text, &size);
    route_quiet = quiet;
    const sim_result result = sim_run(options);
    route_quiet = false;
    std::fclose(options.trace);
    run.trace.assign(text, size);
    std::free(text);
    EXPECT_EQ(result.end, sim_end::finished);
    return run;
}

}  // namespace

// The search skips SDL's pixel work: the screen then stands still, and every
// frame's state comes out exactly as when everything is drawn.
TEST(RouteFinder, SearchingWithoutPixelsKeepsEveryFramesState) {
    const QuietRun drawn = play_committed_route(false);
    const QuietRun quiet = play_committed_route(true);
    EXPECT_GT(drawn.screen_changes, 1000u);
    EXPECT_LE(quiet.screen_changes, 1u);
    ASSERT_FALSE(drawn.trace.empty());
    EXPECT_TRUE(drawn.trace == quiet.trace) << "the state traces part";
}
