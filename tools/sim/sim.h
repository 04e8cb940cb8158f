// Runs the game's own frames without real-time pacing, headless: scripted
// buttons in, screenshots and a per-frame state trace out. Shared by the
// ascelon-sim tool, the tests and the benchmarks.
#pragma once

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

// Buttons held from a frame on. SELECT is not a held bit of the game: it is
// latched into exit_game when the script reaches it.
constexpr uint32_t SIM_SELECT = 0x80000000u;

struct input_script {
    std::vector<std::pair<uint32_t, uint32_t>> changes;  // (first frame, buttons), sorted
};

// Script text: one "FRAME BUTTONS" pair a line, e.g. "82 R+F"; from that
// frame on exactly those buttons are held. Buttons: L R U D F (fire) S
// (select), '-' for none. '#' starts a comment.
bool parse_input_script(const std::string& text, input_script& script, std::string& error);
uint32_t script_buttons(const input_script& script, uint32_t frame);
// A whole decimal number of 0 to max: digits only, no sign, no overflow.
bool parse_number(const std::string& text, uint64_t max, uint64_t& value);

// Seeded random play: the buttons change after a random 1 to 32 frames to a
// random set of L R U D F, any of them together (never SELECT). The same
// seed gives the same buttons, frame by frame.
struct random_buttons {
    uint64_t state;
    uint32_t next_change = 0;
    uint32_t bits = 0;
    explicit random_buttons(uint64_t seed) : state(seed) {}
    uint64_t next();  // splitmix64
};
uint32_t random_buttons_at(uint32_t frame, void* generator);  // generator: a random_buttons

enum class sim_end { frames, finished, dead, timeup, exit, interlevel_over, game_over };
const char* sim_end_name(sim_end end);

struct sim_options {
    bool interlevel = false;
    uint16_t mission = 0;
    uint16_t tower = 0;
    uint32_t frames = 1000;
    input_script input;
    std::map<uint32_t, std::string> shots;  // frame -> BMP path
    std::FILE* trace = nullptr;
    bool place = false;  // put the creature at (place_x, place_y), standing, clock running
    int16_t place_x = 0, place_y = 0;
    // Interlevel: the number of fish started before it (the sequence's
    // place); negative keeps what earlier interlevels of the process left.
    int32_t idx_fish = -1;
    // Called once the attempt is set up (after the placement), before the
    // first frame: tests build their own towers here in the live map.
    void (*before_first_frame)(void* user) = nullptr;
    // Called after each frame (after its flip) with the frame number.
    void (*after_frame)(uint32_t frame, void* user) = nullptr;
    void* user = nullptr;
    // When set, the buttons of each frame come from here instead of input
    // (called once per frame, frames in order).
    uint32_t (*buttons)(uint32_t frame, void* buttons_user) = nullptr;
    void* buttons_user = nullptr;
};

struct sim_result {
    sim_end end;
    uint32_t frames_run;
};

// Starts SDL with the dummy video driver (unless one is chosen already) and
// loads the pictures, once per process.
void sim_start_video();
// Plays one attempt at a tower (or one interlevel) as the game flow does,
// frame by frame.
sim_result sim_run(const sim_options& options);
// Plays one whole game through the game flow (attempts, lives, towers and
// the interlevels between them, to the game's end) from one script whose
// frames count on from tower to interlevel; the trace lines start with the
// loop that runs ("tower" or "il"), the tower index and the lives. Ends
// after options.frames frames at most, as SELECT would end it.
sim_result sim_run_game(const sim_options& options);
// The game flow's own play_game for mission `mission`, with the frame's
// input, the end-of-frame call and the two loops replaced by the caller's
// for its length; the game's own are put back afterwards.
struct game_flow_hooks {
    uint32_t (*input)();
    void (*done)();
    void (*tower)(uint16_t mission, uint16_t tower);
    void (*interlevel)();
};
void play_game_with(uint16_t mission, const game_flow_hooks& hooks);
// What the program's first game starts from, for an attempt or a game played
// on its own in a process that may have played others: three lives, no
// score, no fall in progress, the fire button up, the fish sequence at its
// start and a cleared moving-object table (a freed record keeps its other
// fields, which a flyer then takes over).
void sim_fresh_game();
// One line of the state trace for the frame just run.
void sim_trace_line(std::FILE* out, uint32_t frame);
// The same for an interlevel frame: the submarine, its bullet, the fish and
// their sequence, the clock and the score.
void sim_trace_il_line(std::FILE* out, uint32_t frame);
