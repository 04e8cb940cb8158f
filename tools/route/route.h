// The route finder: searches input scripts that climb a tower by playing the
// game's own frames, enemies, clock and drawing included, from saved game
// states. A route is one input word per frame from the attempt's first frame.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct route_options {
    uint16_t mission = 0;  // 0 the game's mission, 1 the second
    uint16_t tower = 0;    // 0..7
    // A given route to extend or repair: its inputs, one word per frame. The
    // search starts from where it fails, or from its end.
    std::vector<uint32_t> from;
    uint64_t frame_budget = 4000000;  // frames the search may play
    uint32_t max_open = 20000;        // positions kept waiting (each a saved game)
    // Weight of the height still to climb against the frames already used:
    // higher searches more greedily upward, lower looks harder for a faster way.
    int climb_weight = 8;
    // Called once the attempt is set up, before its first frame: tests build
    // their own towers in the live map here (null: the tower as compiled).
    void (*after_start)(void* user) = nullptr;
    void* user = nullptr;
    bool verbose = false;  // progress on stderr
};

// What a route uses on its way up, counted while it is played again.
struct route_facts {
    int long_jumps = 0, hops = 0, turns = 0;
    int lift_rides = 0, tunnels = 0, shots = 0;
    int blocks_shot = 0, steps_broken = 0, slippery_frames = 0;
    int enemies_shot = 0, rollers_stunned = 0;
    int enemies_passed = 0;  // came within reach of the creature and did not touch it
    int flyers_passed = 0;
    int knocks = 0;  // 0 for every route the finder gives
};

enum class route_end { finished, knocked, dead, timeup, unfinished };
const char* route_end_name(route_end end);

struct route_play {
    route_end end = route_end::unfinished;
    uint32_t frames = 0;  // frames played, through the departure when finished
    int clock_left = 0;   // clock units left when the clock stopped
    int clock_start = 0;  // the tower's allowance
    int highest_row = 0;  // the highest row the creature stood on
    int rows = 0;         // the tower's height
    route_facts facts;
};

// How hard a way is, to rank the towers of a mission: the share of the
// allowance it uses (percent), 3 for every enemy it meets (passes close,
// shoots or stuns), 2 for every breaking or slippery step it stands on, and
// one for every four jumps.
int route_difficulty(const route_play& play);

struct route_result {
    bool found = false;
    std::vector<uint32_t> inputs;  // the whole route, from the attempt's first frame
    route_play play;               // the route played again from a fresh attempt
    uint64_t frames_searched = 0;
    uint32_t positions = 0;    // decision points expanded
    int highest_row = 0;       // the highest row reached by the search
    bool from_climbs = false;  // the given route climbed the tower as it stood
};

// While set, the finder's programs skip SDL's pixel work (quiet_video.cpp);
// the search sets it and the replay of a found way clears it.
extern bool route_quiet;

// Searches a way up. Needs the pictures loaded (sim_start_video).
route_result find_route(const route_options& options);

// Plays a route from a fresh attempt and counts what it uses.
route_play play_route(uint16_t mission, uint16_t tower, const std::vector<uint32_t>& inputs,
                      void (*after_start)(void*) = nullptr, void* user = nullptr);

// A whole game of one mission through the game flow (play_game and its
// loops): each tower played by its route (one input word per frame of the
// attempt, as find_route gives), each interlevel by a pilot that stuns fish
// and catches them.
struct game_plan {
    std::vector<uint32_t> inputs;            // the whole game, frame by frame
    std::vector<uint32_t> tower_start;       // the frame each tower attempt began at
    std::vector<uint16_t> tower_of_attempt;  // and its tower
    std::vector<uint16_t> lives_at_tower;    // lives when it began
    std::vector<uint32_t> interlevel_start;  // the frame each interlevel began at
    std::vector<int> fish_caught;            // per interlevel
    // Towers whose route had to be repaired from the game's own start of the
    // tower (-1 - tower: the repair failed).
    std::vector<int> repaired;
    uint32_t frame_limit = 200000;  // a stuck route ends the game here
    bool completed = false;         // all eight towers climbed at the first attempt
};
game_plan plan_game(uint16_t mission, const std::vector<uint32_t> (&towers)[8]);

// The clock's units left (the drums read 8 per digit).
int clock_units();

// A route as an input script for ascelon-sim ("FRAME BUTTONS" lines, '-' for
// none), and a script's held buttons frame by frame up to its last line.
std::string route_script(const std::vector<uint32_t>& inputs);
std::vector<uint32_t> script_inputs(const std::string& text, std::string& error);
