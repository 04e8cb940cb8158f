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
    "  --open N         positions kept waiting at most (default 20000; each holds\n"
    "                   a saved game of about 20 KB)\n"
    "  --out FILE       write the script to FILE instead of the standard output\n"
    "  --verbose        progress on the standard error\n"
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

// A tower source being edited, laid into the live map over the compiled
// tower once each attempt is set up (after init_map, the last thing that
// reads the tower).
static TowerSource edited;

static void lay_edited_tower(void*) {
    for (int c = 0; c < TOWER_COLUMNS; ++c)
        for (int r = 0; r < MAP_ROWS; ++r) current_map[c * MAP_ROWS + r] = edited.cell[c][r];
    nb_tiles_tour = edited.height;
}

int main(int argc, char** argv) {
    route_options o;
    std::string from_path, out_path, map_path;
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
        } else if (arg == "--map") {
            map_path = value(i);
        } else if (arg == "--from") {
            from_path = value(i);
        } else if (arg == "--budget") {
            o.frame_budget = number(i, 1, UINT64_MAX);
        } else if (arg == "--weight") {
            o.climb_weight = static_cast<int>(number(i, 0, 1000));
        } else if (arg == "--open") {
            o.max_open = static_cast<uint32_t>(number(i, 1, 10000000));
        } else if (arg == "--out") {
            out_path = value(i);
        } else if (arg == "--verbose") {
            o.verbose = true;
        } else {
            bad_argument("unknown argument '%s'", arg.c_str());
        }
    }
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
        o.after_start = lay_edited_tower;
    }
    if (!from_path.empty()) {
        std::ifstream in(from_path, std::ios::binary);
        if (!in) bad_argument("cannot read %s", from_path.c_str());
        std::stringstream text;
        text << in.rdbuf();
        std::string error;
        o.from = script_inputs(text.str(), error);
        if (!error.empty()) bad_argument("%s: %s", from_path.c_str(), error.c_str());
    }

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
    char head[1024];
    std::snprintf(head, sizeof head,
                  "# Mission %u, tower %u, found by ascelon-route%s: %u frames through the\n"
                  "# departure, %d of %d clock units left (%d%%).\n"
                  "# Uses %d long jumps, %d hops, %d turns, %d lift rides, %d tunnels,\n"
                  "# %d shots (%d blocks shot, %d enemies shot, %d rollers stunned),\n"
                  "# %d breaking steps broken, %d slippery steps; passes %d enemies and %d "
                  "flyers.\n"
                  "# %.1f frames per row; difficulty %d.\n",
                  o.mission, o.tower, r.from_climbs ? " (the given route, as it stood)" : "",
                  p.frames, p.clock_left, p.clock_start,
                  p.clock_start ? 100 * p.clock_left / p.clock_start : 0, f.long_jumps, f.hops,
                  f.turns, f.lift_rides, f.tunnels, f.shots, f.blocks_shot, f.enemies_shot,
                  f.rollers_stunned, f.steps_broken, f.slippery_frames, f.enemies_passed,
                  f.flyers_passed, p.rows ? static_cast<double>(p.frames) / p.rows : 0.0,
                  route_difficulty(p));
    const std::string text = head + route_script(r.inputs);
    std::fputs(head, stderr);
    if (out_path.empty()) {
        std::fputs(text.c_str(), stdout);
    } else {
        std::ofstream out(out_path, std::ios::binary);
        out << text;
        if (!out) {
            std::fprintf(stderr, "ascelon-route: cannot write %s\n", out_path.c_str());
            return 2;
        }
    }
    return 0;
}
