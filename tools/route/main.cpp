// ascelon-route: finds an input script that climbs a tower, playing the
// game's own frames with its enemies and clock.
#include <chrono>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "map.h"
#include "player.h"
#include "route.h"
#include "sim.h"
#include "towerc.h"

static const char usage_text[] =
    "usage: ascelon-route [options]\n"
    "Searches an input script that climbs one tower from the arrival by\n"
    "submarine through the exit door and the departure, with no life lost and\n"
    "no knock by an enemy, preferring more clock left. Every frame of the search\n"
    "is the game's own, enemies, clock and drawing included; the way found is\n"
    "played again from a fresh attempt before it is given.\n"
    "  --mission M      mission 0 (the game's) or 1 (default 0)\n"
    "  --tower T        tower 0..7 (default 0)\n"
    "  --map FILE       play this tower source (data/towers/mM_tN.txt) instead\n"
    "                   of the compiled tower, checked by the tower compiler's\n"
    "                   rules: a tower being edited, without building the game;\n"
    "                   the mission and tower come from the file name\n"
    "  --from FILE      an input script to extend or repair: the search starts\n"
    "                   from the last places it stood on before it failed or ended\n"
    "  --budget N       give up after playing N frames (default 4000000)\n"
    "  --weight W       frames one y unit still to climb counts for (default 8;\n"
    "                   higher climbs more greedily)\n"
    "  --drift D        start with the sideways drift -1, 0 or 1 that a jump\n"
    "                   landing on ground still carries from the last fall, as\n"
    "                   a tower reached in a game may (default 0, a fresh game)\n"
    "  --open N         positions kept waiting at most (default 20000; each holds\n"
    "                   a saved game of about 20 KB)\n"
    "  --game DIR       instead of searching, write the script of a whole game\n"
    "                   of the mission through the game flow: each tower by its\n"
    "                   route DIR/mM_tN.input, each interlevel by a pilot that\n"
    "                   stuns and catches fish; status 1 unless every tower is\n"
    "                   climbed at its first attempt\n"
    "  --out FILE       write the script to FILE instead of the standard output\n"
    "  --verbose        progress on the standard error\n"
    "  --table          print what the way uses as one row of a Markdown table\n"
    "                   (with --from: the figures of a committed route)\n"
    "The script ('FRAME BUTTONS' lines for ascelon-sim --input) starts with\n"
    "comment lines saying what the way uses. Status 0 when a way was found, 1\n"
    "when none was, 2 on a bad argument.\n";

[[noreturn]] static void bad_argument(const char* format, ...) {
    std::fputs("ascelon-route: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputs(" (see ascelon-route --help)\n", stderr);
    std::exit(2);
}

static std::vector<uint32_t> read_script(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) bad_argument("cannot read %s", path.c_str());
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    std::vector<uint32_t> inputs = script_inputs(text.str(), error);
    if (!error.empty()) bad_argument("%s: %s", path.c_str(), error.c_str());
    return inputs;
}

static bool write_text(const std::string& path, const std::string& text) {
    if (path.empty()) {
        std::fputs(text.c_str(), stdout);
        return true;
    }
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (out) return true;
    std::fprintf(stderr, "ascelon-route: cannot write %s\n", path.c_str());
    return false;
}

static int write_game(uint16_t mission, const std::string& dir, const std::string& out_path) {
    std::vector<uint32_t> towers[8];
    for (int t = 0; t < 8; ++t)
        towers[t] = read_script(dir + "/m" + std::to_string(mission + 1) + "_t" +
                                std::to_string(t) + ".input");
    const game_plan plan = plan_game(mission, towers);
    std::string head = "# A whole game of mission " + std::to_string(mission + 1) +
                       " through the game flow, written by ascelon-route --game: each tower\n"
                       "# by its route, each interlevel by the fish pilot.\n";
    size_t il = 0;
    for (size_t a = 0; a < plan.tower_start.size(); ++a) {
        head += "# frame " + std::to_string(plan.tower_start[a]) + ": tower " +
                std::to_string(plan.tower_of_attempt[a]) + ", " +
                std::to_string(plan.lives_at_tower[a]) + " lives\n";
        // An interlevel follows a climbed tower, before the next attempt.
        const uint32_t next =
            a + 1 < plan.tower_start.size() ? plan.tower_start[a + 1] : static_cast<uint32_t>(-1);
        for (; il < plan.interlevel_start.size() && plan.interlevel_start[il] < next; ++il)
            head += "# frame " + std::to_string(plan.interlevel_start[il]) + ": interlevel, " +
                    std::to_string(plan.fish_caught[il]) + " fish caught\n";
    }
    for (int t : plan.repaired)
        head += t >= 0
                    ? "# tower " + std::to_string(t) +
                          ": its route, repaired from the game's own start of the tower\n"
                    : "# tower " + std::to_string(-1 - t) +
                          ": its route fails from the game's start of the tower, no repair found\n";
    head += "# frame " + std::to_string(plan.inputs.size()) + ": " +
            (plan.completed ? "the game's end, every tower climbed at its first attempt\n"
                            : "the game's end, NOT climbed without a loss\n");
    std::fputs(head.c_str(), stderr);
    if (!write_text(out_path, head + route_script(plan.inputs))) return 2;
    return plan.completed ? 0 : 1;
}

// A tower source being edited, laid into the live map over the compiled
// tower once each attempt is set up (after init_map, the last thing that
// reads the tower).
static TowerSource edited;

static bool edited_tower = false;
static int16_t start_drift = 0;

// Each attempt, once set up: the edited tower laid in, and the drift of a
// fall long done, which only a jump that lands on ground brings back.
static void adjust_start(void*) {
    if (edited_tower) {
        for (int c = 0; c < TOWER_COLUMNS; ++c)
            for (int r = 0; r < MAP_ROWS; ++r) current_map[c * MAP_ROWS + r] = edited.cell[c][r];
        nb_tiles_tour = edited.height;
    }
    dplx_chute = start_drift;
}

int main(int argc, char** argv) {
    route_options o;
    std::string from_path, out_path, map_path, game_dir;
    bool table = false;
    auto value = [&](int& i) -> std::string {
        if (i + 1 >= argc) bad_argument("%s needs a value", argv[i]);
        return argv[++i];
    };
    auto number = [&](int& i, uint64_t lo, uint64_t hi) {
        const char* option = argv[i];
        const std::string text = value(i);
        uint64_t v = 0;
        if (!parse_number(text, hi, v) || v < lo)
            bad_argument("bad value for %s: '%s' (a whole number from %llu to %llu)", option,
                         text.c_str(), static_cast<unsigned long long>(lo),
                         static_cast<unsigned long long>(hi));
        return v;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(usage_text, stdout);
            return 0;
        } else if (arg == "--mission") {
            o.mission = static_cast<uint16_t>(number(i, 0, 1));
        } else if (arg == "--tower") {
            o.tower = static_cast<uint16_t>(number(i, 0, 7));
        } else if (arg == "--game") {
            game_dir = value(i);
        } else if (arg == "--map") {
            map_path = value(i);
        } else if (arg == "--from") {
            from_path = value(i);
        } else if (arg == "--budget") {
            o.frame_budget = number(i, 1, UINT64_MAX);
        } else if (arg == "--weight") {
            o.climb_weight = static_cast<int>(number(i, 0, 1000));
        } else if (arg == "--drift") {
            const std::string d = value(i);
            if (d != "-1" && d != "0" && d != "1")
                bad_argument("bad value for --drift: '%s' (-1, 0 or 1)", d.c_str());
            start_drift = static_cast<int16_t>(std::stoi(d));
        } else if (arg == "--open") {
            o.max_open = static_cast<uint32_t>(number(i, 1, 10000000));
        } else if (arg == "--out") {
            out_path = value(i);
        } else if (arg == "--verbose") {
            o.verbose = true;
        } else if (arg == "--table") {
            table = true;
        } else {
            bad_argument("unknown argument '%s'", arg.c_str());
        }
    }
    if (!game_dir.empty()) return write_game(o.mission, game_dir, out_path);
    if (!map_path.empty()) {
        int mission = 0, lvl = 0;
        if (!tower_id_from_path(map_path, mission, lvl))
            bad_argument("%s: not a tower source name (mM_tN.txt)", map_path.c_str());
        std::vector<std::string> errors;
        if (!load_tower_file(map_path, tower_quota[mission - 1][lvl], edited, errors)) {
            for (const std::string& e : errors) std::fprintf(stderr, "%s\n", e.c_str());
            return 2;
        }
        o.mission = static_cast<uint16_t>(mission - 1);
        o.tower = static_cast<uint16_t>(lvl);
        edited_tower = true;
    }
    if (edited_tower || start_drift != 0) o.after_start = adjust_start;
    if (!from_path.empty()) o.from = read_script(from_path);

    const auto begin = std::chrono::steady_clock::now();
    const route_result r = find_route(o);
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();

    std::fprintf(stderr,
                 "mission %u tower %u: %s; %u positions, %llu frames searched in %.1f s, "
                 "highest row %d\n",
                 o.mission, o.tower, r.found ? "way found" : "no way found", r.positions,
                 static_cast<unsigned long long>(r.frames_searched), seconds, r.highest_row);
    if (!r.found) return 1;
    const route_play& p = r.play;
    const route_facts& f = p.facts;
    if (table) {
        // tower | frames | frames per row | clock left | enemies met | shot |
        // jumps | lifts | tunnels | shots | breaking | slippery | difficulty
        std::printf(
            "| m%u_t%u | %u | %.1f | %d %% | %d | %d | %d | %d | %d | %d | %d | %d | %d |\n",
            o.mission + 1, o.tower, p.frames, p.rows ? static_cast<double>(p.frames) / p.rows : 0.0,
            p.clock_start ? 100 * p.clock_left / p.clock_start : 0,
            f.enemies_passed + f.enemies_shot + f.rollers_stunned,
            f.enemies_shot + f.rollers_stunned, f.long_jumps + f.hops, f.lift_rides, f.tunnels,
            f.shots, f.steps_broken, f.slippery_frames, route_difficulty(p));
        return 0;
    }
    char head[1024];
    std::snprintf(head, sizeof head,
                  "# Mission %u, tower %u, found by ascelon-route%s: %u frames through the\n"
                  "# departure, %d of %d clock units left (%d%%).\n"
                  "# Uses %d long jumps, %d hops, %d turns, %d lift rides, %d tunnels,\n"
                  "# %d shots (%d blocks shot, %d enemies shot, %d rollers stunned),\n"
                  "# %d breaking steps broken, %d slippery steps; passes %d enemies and %d "
                  "flyers.\n"
                  "# %.1f frames per row; difficulty %d.\n",
                  o.mission + 1, o.tower, r.from_climbs ? " (the given route, as it stood)" : "",
                  p.frames, p.clock_left, p.clock_start,
                  p.clock_start ? 100 * p.clock_left / p.clock_start : 0, f.long_jumps, f.hops,
                  f.turns, f.lift_rides, f.tunnels, f.shots, f.blocks_shot, f.enemies_shot,
                  f.rollers_stunned, f.steps_broken, f.slippery_frames, f.enemies_passed,
                  f.flyers_passed, p.rows ? static_cast<double>(p.frames) / p.rows : 0.0,
                  route_difficulty(p));
    std::fputs(head, stderr);
    return write_text(out_path, head + route_script(r.inputs)) ? 0 : 2;
}
