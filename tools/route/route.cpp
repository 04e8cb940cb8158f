// The route finder's search: decisions taken where the creature stands idle,
// each a short held input played frame by frame through the whole game frame
// from a saved game, best first by frames used and height still to climb.
#include "route.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <set>
#include <unordered_map>

#include "Ascelon.h"
#include "Ascelon_state.h"
#include "controls.h"
#include "decors.h"
#include "map.h"
#include "nmis.h"
#include "panel.h"
#include "player.h"
#include "player_internal.h"  // test_ascenseur: whether a lift is underfoot
#include "sim.h"

const char* route_end_name(route_end end) {
    switch (end) {
    case route_end::finished: return "finished";
    case route_end::knocked: return "knocked";
    case route_end::dead: return "dead";
    case route_end::timeup: return "timeup";
    case route_end::unfinished: return "unfinished";
    }
    return "?";
}

int clock_units() { return time_level[0] / 8 * 100 + time_level[1] / 8 * 10 + time_level[2] / 8; }

namespace {

// A fresh attempt as the first of a game: nothing an earlier attempt of the
// process left behind steers it.
void fresh_attempt(uint16_t mission, uint16_t tower, void (*after_start)(void*), void* user) {
    sim_start_video();
    sim_fresh_game();
    exit_game = 0;
    ctrl_player = 0;
    set_time(0);  // as the game flow leaves the clock between attempts
    attempt_start(mission, tower);
    if (after_start) after_start(user);
}

enum class step { go, idle, finished, knocked, dead, timeup };

// One whole frame, and what it left: the creature free to decide again,
// the tower left (the departure over), or the attempt spoilt.
step play_frame(uint32_t input) {
    if (!game_frame(input)) return flag_timeup ? step::timeup : step::dead;
    if (flag_finish_level == 4) return step::finished;
    // A knock, or one that waits for the lift's next row, spoils the way.
    if (player_num_anim == ANIM_KNOCKED || flag_player_ascenseur2) return step::knocked;
    if (player_num_anim == ANIM_DROWN) return step::dead;
    if (player_num_anim == ANIM_IDLE && flag_finish_level == 0) return step::idle;
    return step::go;
}

// The longest a decision may take before the creature stands again (a lift
// ride up the tallest shaft, a tunnel, the departure).
constexpr uint32_t SETTLE_FRAMES = 1200;

struct input_run {
    uint32_t input;
    uint32_t count;
};

void add_input(std::vector<input_run>& runs, uint32_t input) {
    if (!runs.empty() && runs.back().input == input)
        ++runs.back().count;
    else
        runs.push_back({input, 1});
}

// A decision: hold `first` for up to `hold` frames (walking stops holding
// once a hop or a fall begins), then `then` until the creature stands again.
struct macro {
    uint32_t first;
    uint32_t hold;
    uint32_t then;
};

struct node {
    int32_t parent;               // -1 for a start
    int32_t start;                // which start it grew from
    uint32_t frame;               // the attempt's frame at this decision
    std::vector<input_run> runs;  // the inputs from the parent's decision to this one
};

struct visit {
    uint32_t frames[3];
    uint8_t n;
};

uint64_t position_key() {
    uint64_t h = 1469598103934665603ull;
    auto mix = [&h](uint64_t v) { h = (h ^ v) * 1099511628211ull; };
    for (int i = 0; i < MAP_COLUMNS * MAP_ROWS; i += 8) {
        uint64_t word;
        std::memcpy(&word, current_map + i, 8);
        mix(word);
    }
    mix(static_cast<uint64_t>(player_map_x & 0x7f) | static_cast<uint64_t>(player_map_y) << 8 |
        static_cast<uint64_t>(flag_player_sens) << 20 |
        static_cast<uint64_t>(tab_sprites[4].cpt == -1) << 21);
    return h;
}

// How many rows the lift underfoot rises to its top stop (four frames a row).
int16_t rows_to_top_stop() {
    const int column = player_map_x / 8, foot = player_map_y / 4 - 1;
    for (int row = foot + 1; row < nb_tiles_tour; ++row)
        if (map_cell(column, row) == CELL_TOP_STOP) return static_cast<int16_t>(row - foot);
    return 0;
}

// The decisions that make sense where the creature stands.
void decisions(std::vector<macro>& out) {
    out.clear();
    const uint32_t ahead = flag_player_sens ? CTRL_LEFT : CTRL_RIGHT;
    const uint32_t back = flag_player_sens ? CTRL_RIGHT : CTRL_LEFT;
    out.push_back({ahead, 2, 0});
    out.push_back({ahead, 8, 0});
    out.push_back({ahead | CTRL_FIRE, 1, 0});  // long jump
    out.push_back({back, 1, 0});               // turn round
    // A wait ends on the same position, which counts as seen unless the map
    // moved meanwhile (a lift on its way back). Counting a position as new
    // 16 frames later let the search wait for an enemy, but it lost whole
    // towers within its budget, so the finder times enemies by its moves.
    constexpr int16_t LONGEST_SHORT_WAIT = 24;
    out.push_back({0, 8, 0});
    out.push_back({0, LONGEST_SHORT_WAIT, 0});
    // A lift left up stands in its own shaft for seconds before it sinks
    // back, longer than the short waits are counted new: a way that needs
    // the shaft clear waits for the first one that will start down.
    int16_t soonest = 0;
    for (int i = 0; i < NB_PILIERS; ++i) {
        const int16_t w = tab_piliers[i].wait;
        if (w > LONGEST_SHORT_WAIT && (soonest == 0 || w < soonest)) soonest = w;
    }
    if (soonest) out.push_back({0, static_cast<uint32_t>(soonest) + 1, 0});
    // A flyer sets off at the creature's height of the moment, and one that
    // sets off while it waits on a lone step cannot be dodged. Standing on a
    // lift whose ride would bring it to the top just before the next flyer,
    // the creature can let that flyer be launched during the ride, which
    // leaves the stay at the top well clear of the one after.
    if (test_ascenseur() == 1) {
        constexpr int16_t LAUNCH_DURING_RIDE = 12, MARGIN = 48;
        const int16_t ride = 4 * rows_to_top_stop();
        if (flying_nmi_delay > LAUNCH_DURING_RIDE + LONGEST_SHORT_WAIT && flying_nmi_delay > ride &&
            flying_nmi_delay < ride + PILIER_WAIT + MARGIN)
            out.push_back({0, static_cast<uint32_t>(flying_nmi_delay - LAUNCH_DURING_RIDE), 0});
    }
    if (tab_sprites[4].cpt == -1 && flag_player_fire == 0) out.push_back({CTRL_FIRE, 1, 0});
    // Up and down ride a lift or go through a door where there is one; where
    // there is none they cost the one frame the position is seen again in.
    out.push_back({CTRL_UP, 1, 0});
    out.push_back({CTRL_UP, 1, CTRL_LEFT});  // out of a door facing left
    out.push_back({CTRL_UP, 1, CTRL_RIGHT});
    out.push_back({CTRL_DOWN, 1, 0});
}

struct search {
    const route_options& o;
    std::vector<node> nodes;
    std::vector<std::unique_ptr<game_state>> states;  // of the nodes still waiting
    std::vector<std::vector<uint32_t>> start_inputs;  // the inputs before each start
    std::set<std::pair<int64_t, int32_t>> open;
    std::unordered_map<uint64_t, visit> seen;
    int goal_y = 0;
    uint64_t frames = 0;
    uint32_t positions = 0;
    int highest_row = 0;

    explicit search(const route_options& options) : o(options) {}

    int64_t priority(uint32_t frame) const {
        return static_cast<int64_t>(frame) +
               static_cast<int64_t>(o.climb_weight) * std::max(0, goal_y - player_map_y);
    }

    // Whether a position reached at `frame` is worth deciding from again: a
    // way there a little earlier is as good, since the creature can wait.
    bool fresh(uint64_t key, uint32_t frame) {
        constexpr uint32_t GAP = 48;
        visit& v = seen[key];
        for (int i = 0; i < v.n; ++i)
            if (v.frames[i] <= frame && frame < v.frames[i] + GAP) return false;
        if (v.n < 3) {
            v.frames[v.n++] = frame;
            return true;
        }
        uint8_t latest = 0;
        for (uint8_t i = 1; i < 3; ++i)
            if (v.frames[i] > v.frames[latest]) latest = i;
        if (frame >= v.frames[latest]) return false;
        v.frames[latest] = frame;
        return true;
    }

    // Keeps the current game as a position to decide from.
    void push(int32_t parent, int32_t start, uint32_t frame, std::vector<input_run> runs) {
        if (!fresh(position_key(), frame)) return;
        const int32_t index = static_cast<int32_t>(nodes.size());
        nodes.push_back({parent, start, frame, std::move(runs)});
        states.emplace_back(new game_state);
        save_game_state(*states.back());
        open.insert({priority(frame), index});
        highest_row = std::max(highest_row, player_map_y / 4 - 1);
        if (open.size() > o.max_open) {
            // The least promising waiting position is given up.
            const auto worst = std::prev(open.end());
            states[static_cast<size_t>(worst->second)].reset();
            open.erase(worst);
        }
    }

    // Plays a decision from the current game. Gives the step it ended on.
    step play(const macro& m, std::vector<input_run>& runs, uint32_t& frame) {
        for (uint32_t i = 0; i < m.hold; ++i) {
            const step s = play_frame(m.first);
            add_input(runs, m.first);
            ++frame;
            ++frames;
            if (s != step::go && s != step::idle) return s;
            // A walk that starts a hop or a fall lets go of the stick.
            if (s == step::go) break;
        }
        for (uint32_t i = 0; i < SETTLE_FRAMES; ++i) {
            if (player_num_anim == ANIM_IDLE && flag_finish_level == 0) return step::idle;
            const uint32_t input = flag_finish_level ? 0 : m.then;
            const step s = play_frame(input);
            add_input(runs, input);
            ++frame;
            ++frames;
            if (s != step::go && s != step::idle) return s;
        }
        return step::dead;  // never stood again
    }

    std::vector<uint32_t> inputs_of(int32_t index) const {
        std::vector<int32_t> chain;
        for (int32_t i = index; i >= 0; i = nodes[static_cast<size_t>(i)].parent)
            chain.push_back(i);
        std::vector<uint32_t> out =
            start_inputs[static_cast<size_t>(nodes[static_cast<size_t>(chain.back())].start)];
        for (auto i = chain.rbegin(); i != chain.rend(); ++i)
            for (const input_run& r : nodes[static_cast<size_t>(*i)].runs)
                out.insert(out.end(), r.count, r.input);
        return out;
    }
};

}  // namespace

route_result find_route(const route_options& o) {
    route_result result;
    search s(o);
    fresh_attempt(o.mission, o.tower, o.after_start, o.user);
    // The search looks at the game's state only; the replay below draws.
    struct quiet_while_searching {
        quiet_while_searching() { route_quiet = true; }
        ~quiet_while_searching() { route_quiet = false; }
    };
    auto quiet = std::make_unique<quiet_while_searching>();
    s.goal_y = (nb_tiles_tour - 4) * 4;

    // The starts: the creature free after its arrival, or the last places a
    // given route stood on before it failed or ended.
    std::vector<uint32_t> played;
    if (o.from.empty()) {
        for (uint32_t f = 0; f < SETTLE_FRAMES; ++f) {
            const step st = play_frame(0);
            played.push_back(0);
            if (st == step::idle) break;
            if (st != step::go) return result;
        }
        s.start_inputs.push_back(played);
        s.push(-1, 0, static_cast<uint32_t>(played.size()), {});
    } else {
        struct stand {
            uint32_t frame;
            std::unique_ptr<game_state> state;
        };
        std::vector<stand> stands;
        step st = step::go;
        for (uint32_t input : o.from) {
            st = play_frame(input);
            played.push_back(input);
            if (st == step::idle && (stands.empty() || played.size() >= stands.back().frame + 16)) {
                stands.push_back(
                    {static_cast<uint32_t>(played.size()), std::make_unique<game_state>()});
                save_game_state(*stands.back().state);
                if (stands.size() > 6) stands.erase(stands.begin());
            }
            if (st != step::go && st != step::idle) break;
        }
        if (st == step::go || st == step::idle) {
            // The given route ran out: let go until the creature stands, or
            // until the departure is over.
            for (uint32_t f = 0; f < SETTLE_FRAMES && st == step::go; ++f) {
                st = play_frame(0);
                played.push_back(0);
            }
            if (st == step::idle) {
                stands.push_back(
                    {static_cast<uint32_t>(played.size()), std::make_unique<game_state>()});
                save_game_state(*stands.back().state);
            }
        }
        if (st == step::finished) {
            result.found = result.from_climbs = true;
            result.inputs = played;
        } else {
            for (stand& at : stands) {
                restore_game_state(*at.state);
                s.start_inputs.emplace_back(played.begin(), played.begin() + at.frame);
                s.push(-1, static_cast<int32_t>(s.start_inputs.size() - 1), at.frame, {});
            }
        }
    }

    std::vector<macro> choices;
    int32_t goal = -1;
    while (!result.found && !s.open.empty() && s.frames < o.frame_budget) {
        const int32_t at = s.open.begin()->second;
        s.open.erase(s.open.begin());
        const std::unique_ptr<game_state> state = std::move(s.states[static_cast<size_t>(at)]);
        ++s.positions;
        restore_game_state(*state);
        decisions(choices);
        for (const macro& m : choices) {
            restore_game_state(*state);
            std::vector<input_run> runs;
            uint32_t frame = s.nodes[static_cast<size_t>(at)].frame;
            const step end = s.play(m, runs, frame);
            if (end == step::finished) {
                s.nodes.push_back(
                    {at, s.nodes[static_cast<size_t>(at)].start, frame, std::move(runs)});
                goal = static_cast<int32_t>(s.nodes.size() - 1);
                result.found = true;
                break;
            }
            if (end == step::idle)
                s.push(at, s.nodes[static_cast<size_t>(at)].start, frame, std::move(runs));
        }
        if (o.verbose && s.positions % 2000 == 0)
            std::fprintf(stderr, "%u positions, %llu frames, %zu waiting, highest row %d\n",
                         s.positions, static_cast<unsigned long long>(s.frames), s.open.size(),
                         s.highest_row);
    }
    result.frames_searched = s.frames;
    result.positions = s.positions;
    result.highest_row = s.highest_row;
    if (goal >= 0) result.inputs = s.inputs_of(goal);
    quiet.reset();
    if (result.found) {
        result.play = play_route(o.mission, o.tower, result.inputs, o.after_start, o.user);
        // The way is played again from a fresh attempt: it must climb alike.
        result.found = result.play.end == route_end::finished && result.play.facts.knocks == 0;
    }
    return result;
}

namespace {

bool near_creature(const str_sprite& e) {
    const int dx =
        ((e.crdx - player_map_x) & 0x7f) - ((((e.crdx - player_map_x) & 0x7f) >= 64) ? 128 : 0);
    const int dy = e.crdy - player_map_y;
    return dx >= -12 && dx <= 12 && dy >= -16 && dy <= 16;
}

bool active(int16_t status) {
    return status == NMI_BOUNCER || status == NMI_ROLLER || status == NMI_FALLING ||
           status == NMI_STUNNED || status == NMI_VPATROL || status == NMI_HPATROL;
}

}  // namespace

route_play play_route(uint16_t mission, uint16_t tower, const std::vector<uint32_t>& inputs,
                      void (*after_start)(void*), void* user) {
    route_play p;
    fresh_attempt(mission, tower, after_start, user);
    p.clock_start = clock_units();
    p.rows = nb_tiles_tour;
    route_facts& f = p.facts;
    uint8_t map_before[MAP_COLUMNS * MAP_ROWS];
    std::set<int> slippery;
    bool near[4] = {}, shot[4] = {};
    uint16_t anim = player_num_anim;
    str_sprite before[NB_SPRITES_TAB];
    for (size_t i = 0;; ++i) {
        const uint32_t input = i < inputs.size() ? inputs[i] : 0;
        if (i >= inputs.size() + SETTLE_FRAMES) break;
        std::memcpy(map_before, current_map, sizeof map_before);
        std::memcpy(before, tab_sprites, sizeof before);
        const bool go = game_frame(input);
        ++p.frames;
        if (!go) {
            p.end = flag_timeup ? route_end::timeup : route_end::dead;
            break;
        }
        if (player_num_anim != anim) {
            switch (player_num_anim) {
            case ANIM_JUMP: ++(lg_seq_saut == 12 ? f.long_jumps : f.hops); break;
            case ANIM_TURN: ++f.turns; break;
            case ANIM_LIFT: ++f.lift_rides; break;
            case ANIM_TUNNEL:
                if (flag_finish_level == 0) ++f.tunnels;
                break;
            case ANIM_KNOCKED: ++f.knocks; break;
            default: break;
            }
            anim = player_num_anim;
        }
        // Once the creature is in the exit door the tower sinks into the sea
        // row by row, swallowing steps and blocks that nobody broke or shot.
        if (flag_finish_level == 0) {
            for (int c = 0; c < MAP_COLUMNS * MAP_ROWS; ++c) {
                if (current_map[c] != 0 || map_before[c] == 0) continue;
                const uint8_t was = map_before[c];
                if (was == CELL_BREAKING) ++f.steps_broken;
                if ((was & CELL_SOLID) && ((was & 3) == KIND_SHOOTABLE ||
                                           ((was & 3) == KIND_BLOCK && (was & LIFT_STOP_BITS))))
                    ++f.blocks_shot;
            }
        }
        if (player_num_anim == ANIM_IDLE) {
            const uint8_t under = map_cell(player_map_x / 8, player_map_y / 4 - 1);
            if (under == CELL_SLIDE_LEFT || under == CELL_SLIDE_RIGHT)
                slippery.insert((player_map_x / 8) * MAP_ROWS + player_map_y / 4 - 1);
            p.highest_row = std::max(p.highest_row, player_map_y / 4 - 1);
        }
        // A shot is counted as it leaves: two throws in a row are one throwing
        // state but two shots.
        if (before[4].status != NMI_SHOT && tab_sprites[4].status == NMI_SHOT) ++f.shots;
        const bool shot_ended = before[4].status == NMI_SHOT && tab_sprites[4].status != NMI_SHOT;
        for (int e = 0; e < 4; ++e) {
            const str_sprite& was = before[e];
            const str_sprite& now = tab_sprites[e];
            if (shot_ended && (was.status == NMI_BOUNCER || was.status == NMI_FALLING) &&
                now.status == NMI_VANISH) {
                ++f.enemies_shot;
                shot[e] = true;
            }
            if (shot_ended && was.status == NMI_ROLLER && now.status == NMI_STUNNED)
                ++f.rollers_stunned;
            if (active(now.status) && near_creature(now)) near[e] = true;
            // An enemy's life ends: count it passed when it came close.
            const bool gone = (active(was.status) || was.status == NMI_VANISH) &&
                              (now.status == NMI_FREE || now.status == NMI_APPEAR);
            if (gone || (flag_finish_level == 3 && active(was.status))) {
                if (near[e] && !shot[e]) ++f.enemies_passed;
                near[e] = shot[e] = false;
            }
            if (was.status == NMI_FLYER && now.status != NMI_FLYER && f.knocks == 0 &&
                flag_finish_level < 3)
                ++f.flyers_passed;
        }
        if (flag_finish_level == 4) {
            p.end = route_end::finished;
            break;
        }
    }
    f.slippery_frames = static_cast<int>(slippery.size());
    p.clock_left = clock_units();
    if (p.end == route_end::finished && f.knocks) p.end = route_end::knocked;
    return p;
}

int route_difficulty(const route_play& p) {
    const route_facts& f = p.facts;
    const int used = p.clock_start ? 100 * (p.clock_start - p.clock_left) / p.clock_start : 0;
    const int met = f.enemies_passed + f.enemies_shot + f.rollers_stunned;
    const int risky = f.steps_broken + f.slippery_frames;
    return used + 3 * met + 2 * risky + (f.long_jumps + f.hops) / 4;
}

std::string route_script(const std::vector<uint32_t>& inputs) {
    std::string out;
    uint32_t previous = ~0u;
    for (size_t i = 0; i <= inputs.size(); ++i) {
        const uint32_t c = i < inputs.size() ? inputs[i] : 0;  // let go at the end
        if (c == previous) continue;
        previous = c;
        std::string name;
        for (auto [bit, letter] : {std::pair<uint32_t, char>{CTRL_LEFT, 'L'},
                                   {CTRL_RIGHT, 'R'},
                                   {CTRL_UP, 'U'},
                                   {CTRL_DOWN, 'D'},
                                   {CTRL_FIRE, 'F'}}) {
            if (!(c & bit)) continue;
            if (!name.empty()) name += '+';
            name += letter;
        }
        out += std::to_string(i) + " " + (name.empty() ? "-" : name) + "\n";
    }
    return out;
}

std::vector<uint32_t> script_inputs(const std::string& text, std::string& error) {
    input_script script;
    std::vector<uint32_t> out;
    if (!parse_input_script(text, script, error)) return out;
    if (script.changes.empty()) return out;
    const uint32_t last = script.changes.back().first;
    out.reserve(last + 1);
    size_t k = 0;
    uint32_t held = 0;
    for (uint32_t f = 0; f <= last; ++f) {
        while (k < script.changes.size() && script.changes[k].first == f)
            held = script.changes[k++].second;
        out.push_back(held & ~SIM_SELECT);
    }
    return out;
}
