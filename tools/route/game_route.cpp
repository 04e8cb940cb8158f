// A whole game through the game flow, as one input script: every tower
// climbed by its route, every interlevel between them played by a pilot
// that shoots the fish and then catches them. The game's own flow runs
// (play_game with the game's own loops); only the buttons come from here.
#include <algorithm>
#include <cstdlib>
#include <memory>

#include "Ascelon.h"
#include "Ascelon_state.h"
#include "controls.h"
#include "nmis.h"
#include "panel.h"
#include "player.h"
#include "route.h"
#include "sim.h"

namespace {

struct planner {
    const std::vector<uint32_t>* towers = nullptr;
    uint16_t mission = 0;
    std::vector<uint32_t> route;  // the running tower's, as played in this game
    game_plan* plan = nullptr;
    uint32_t frame = 0;       // frames finished since the game began
    uint32_t loop_start = 0;  // the frame the running loop began at
    bool interlevel = false;
    uint16_t tower = 0;
    int fish_in_loop[3] = {};  // status of the three fish records last frame
};
planner run;

// The pilot: a stunned fish is met where it swims (it touches the hull and
// is caught); otherwise the bow is lined up with the nearest swimming fish
// ahead and the torpedo is fired.
uint32_t pilot() {
    const int16_t x = player_scr_x, y = player_scr_y;
    uint32_t input = 0;
    int target = -1;
    for (int i = 0; i < 3; ++i) {
        const str_sprite& f = tab_sprites[i];
        // A stunned fish the submarine can still reach: the hull meets
        // fish from 19 pixels below its top edge to 23 above it.
        if (f.status == 2 && f.crdx > x - 30 && f.crdy <= 120 + 19 &&
            (target < 0 || f.crdx < tab_sprites[target].crdx))
            target = i;
    }
    if (target >= 0) {
        const str_sprite& f = tab_sprites[target];
        const int want_y = std::clamp(f.crdy + 2, 44, 120);
        if (want_y < y - 1) input |= CTRL_UP;
        if (want_y > y + 1) input |= CTRL_DOWN;
        if (f.crdx > x + 40 && x < 120) input |= CTRL_RIGHT;
        return input;
    }
    for (int i = 0; i < 3; ++i) {
        const str_sprite& f = tab_sprites[i];
        if (f.status == 1 && f.crdx > x + 24 && f.crdy <= 120 + 15 &&
            (target < 0 || f.crdx < tab_sprites[target].crdx))
            target = i;
    }
    if (target < 0) {
        // Nothing to aim at: wait at the left, in the middle of the fish's band.
        if (y > 80) input |= CTRL_UP;
        if (y < 76) input |= CTRL_DOWN;
        if (x > 48) input |= CTRL_LEFT;
        return input;
    }
    const str_sprite& f = tab_sprites[target];
    // The torpedo leaves at y + 8 and flies level: it touches a fish whose
    // top edge lies from 16 above to 15 below the submarine's y.
    const int want_y = std::clamp(static_cast<int>(f.crdy), 44, 120);
    if (want_y < y - 1) input |= CTRL_UP;
    if (want_y > y + 1) input |= CTRL_DOWN;
    if (x > 60) input |= CTRL_LEFT;
    if (std::abs(f.crdy - y) <= 10 && tab_sprites[3].status == 0) input |= CTRL_FIRE;
    return input;
}

void restore_start(void* start) { restore_game_state(*static_cast<const game_state*>(start)); }

// A tower's route was found from a fresh attempt; in a game the attempt
// starts from what the game left behind (a fall's drift kept by a jump that
// lands at once, the moving objects' leftover fields). It is played from the
// game's own start of the tower and, where it no longer climbs, repaired by
// the finder from there.
void route_for_this_game() {
    const auto start = std::make_unique<game_state>();
    save_game_state(*start);
    run.route = run.towers[run.tower];
    const route_play p = play_route(run.mission, run.tower, run.route, restore_start, start.get());
    if (p.end != route_end::finished || p.facts.knocks != 0) {
        route_options o;
        o.mission = run.mission;
        o.tower = run.tower;
        o.after_start = restore_start;
        o.user = start.get();
        o.frame_budget = 8000000;
        route_result r;
        // Towers whose way waits long on the same steps are found sooner by
        // a search that presses upward harder.
        for (int weight : {8, 16}) {
            o.climb_weight = weight;
            o.from = run.route;
            r = find_route(o);
            if (r.found) break;
            // Its first legs already lead astray here: a whole new way.
            o.from.clear();
            r = find_route(o);
            if (r.found) break;
        }
        if (r.found) run.route = r.inputs;
        run.plan->repaired.push_back(r.found ? run.tower : -1 - run.tower);
    }
    restore_game_state(*start);
    route_quiet = true;
}

uint32_t plan_input() {
    uint32_t input = 0;
    if (run.interlevel) {
        input = flag_player_ilstate == 0 ? pilot() : 0;
    } else {
        const uint32_t i = run.frame - run.loop_start;
        if (i == 0) route_for_this_game();
        input = i < run.route.size() ? run.route[i] : 0;
    }
    run.plan->inputs.push_back(input);
    return input;
}

void plan_frame_done() {
    if (run.interlevel) {
        for (int i = 0; i < 3; ++i) {
            const str_sprite& f = tab_sprites[i];
            // A stunned fish freed in the frame was caught, unless it swam off.
            if (run.fish_in_loop[i] == 2 && f.status == 0 && f.crdx > -24)
                ++run.plan->fish_caught.back();
            run.fish_in_loop[i] = f.status;
        }
    }
    ++run.frame;
    // A route that does not end its tower in time would play forever.
    if (run.frame >= run.plan->frame_limit) exit_game = 1;
}

void plan_tower(uint16_t mission, uint16_t tower) {
    run.interlevel = false;
    run.tower = tower;
    run.loop_start = run.frame;
    run.plan->tower_start.push_back(run.frame);
    run.plan->tower_of_attempt.push_back(tower);
    run.plan->lives_at_tower.push_back(lives);
    game(mission, tower);
}

void plan_interlevel() {
    run.interlevel = true;
    run.loop_start = run.frame;
    run.plan->interlevel_start.push_back(run.frame);
    run.plan->fish_caught.push_back(0);
    for (int& s : run.fish_in_loop) s = 0;
    interlevel();
}

}  // namespace

game_plan plan_game(uint16_t mission, const std::vector<uint32_t> (&towers)[8]) {
    game_plan plan;
    sim_start_video();
    route_quiet = true;
    exit_game = 0;
    ctrl_player = 0;
    sim_fresh_game();
    run = planner{};
    run.towers = towers;
    run.mission = mission;
    run.plan = &plan;
    play_game_with(mission, {plan_input, plan_frame_done, plan_tower, plan_interlevel});
    route_quiet = false;
    // A lost life repeats the tower: eight attempts are eight first attempts.
    plan.completed = exit_game == 0 && plan.tower_start.size() == 8 && lives == 0;
    exit_game = 0;
    plan.inputs.resize(run.frame);  // the stop's own read is no frame
    return plan;
}
