// ascelon-sim: plays the game's own frames headless and unpaced.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "Ascelon.h"
#include "map.h"
#include "player.h"
#include "sim.h"

static const char usage_text[] =
    "usage: ascelon-sim [options]\n"
    "Runs one tower attempt (or one interlevel) of Ascelon headless, without\n"
    "real-time pacing, with buttons from an input script.\n"
    "  --mission M        mission 0 (the game's) or 1 (default 0)\n"
    "  --tower T          tower 0..7 (default 0)\n"
    "  --interlevel       run an interlevel instead of a tower (it starts as after a\n"
    "                     climbed tower: clock at 0, submarine at the top left)\n"
    "  --idx-fish N       with --interlevel: start the fish sequence at fish N\n"
    "                     (default 0, as the program's first interlevel)\n"
    "  --frames N         run at most N frames (default 1000); a tower also stops\n"
    "                     when the attempt ends\n"
    "  --input FILE       input script: lines 'FRAME BUTTONS', from FRAME on hold\n"
    "                     BUTTONS (letters L R U D F=fire S=select, '-' none);\n"
    "                     '#' starts a comment\n"
    "  --shot F:FILE      write the screen after frame F as a BMP (repeatable)\n"
    "  --trace FILE       write one line of game state per frame ('-' = stdout)\n"
    "                     (in an interlevel: submarine, fish, bullet, clock, score)\n"
    "  --place X,Y        start with the creature standing at tower x X, y Y\n"
    "                     (skips the arrival; the clock runs)\n"
    "Frames count from 0. Prints how the run ended.\n";

int main(int argc, char** argv) {
    sim_options options;
    std::string trace_path;
    auto number = [&](int& i, long lo, long hi) {
        if (i + 1 >= argc) {
            std::fprintf(stderr, "ascelon-sim: %s needs a value\n", argv[i]);
            std::exit(2);
        }
        char* end = nullptr;
        const long v = std::strtol(argv[++i], &end, 10);
        if (*end || v < lo || v > hi) {
            std::fprintf(stderr, "ascelon-sim: bad value for %s: %s\n", argv[i - 1], argv[i]);
            std::exit(2);
        }
        return v;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(usage_text, stdout);
            return 0;
        } else if (arg == "--mission") {
            options.mission = static_cast<uint16_t>(number(i, 0, 1));
        } else if (arg == "--tower") {
            options.tower = static_cast<uint16_t>(number(i, 0, 7));
        } else if (arg == "--interlevel") {
            options.interlevel = true;
        } else if (arg == "--idx-fish") {
            options.idx_fish = static_cast<int32_t>(number(i, 0, 65535));
        } else if (arg == "--frames") {
            options.frames = static_cast<uint32_t>(number(i, 0, 100000000));
        } else if (arg == "--input" && i + 1 < argc) {
            std::ifstream in(argv[++i]);
            std::stringstream text;
            text << in.rdbuf();
            std::string error;
            if (!in || !parse_input_script(text.str(), options.input, error)) {
                std::fprintf(stderr, "ascelon-sim: %s: %s\n", argv[i],
                             in ? error.c_str() : "cannot read");
                return 2;
            }
        } else if (arg == "--shot" && i + 1 < argc) {
            const std::string value = argv[++i];
            const size_t colon = value.find(':');
            if (colon == std::string::npos || colon == 0) {
                std::fprintf(stderr, "ascelon-sim: --shot wants FRAME:FILE\n");
                return 2;
            }
            options.shots[static_cast<uint32_t>(std::stoul(value.substr(0, colon)))] =
                value.substr(colon + 1);
        } else if (arg == "--trace" && i + 1 < argc) {
            trace_path = argv[++i];
        } else if (arg == "--place" && i + 1 < argc) {
            int x, y;
            if (std::sscanf(argv[++i], "%d,%d", &x, &y) != 2) {
                std::fprintf(stderr, "ascelon-sim: --place wants X,Y\n");
                return 2;
            }
            options.place = true;
            options.place_x = static_cast<int16_t>(x);
            options.place_y = static_cast<int16_t>(y);
        } else {
            std::fprintf(stderr, "ascelon-sim: unknown argument %s\n%s", argv[i], usage_text);
            return 2;
        }
    }
    if (!trace_path.empty()) {
        options.trace = trace_path == "-" ? stdout : std::fopen(trace_path.c_str(), "w");
        if (!options.trace) {
            std::fprintf(stderr, "ascelon-sim: cannot write %s\n", trace_path.c_str());
            return 2;
        }
    }
    const sim_result result = sim_run(options);
    if (options.trace && options.trace != stdout) std::fclose(options.trace);
    std::fprintf(stderr, "ended: %s after %u frames (finish %u, dead %u, score %08X, lives %u)\n",
                 sim_end_name(result.end), result.frames_run, flag_finish_level, flag_player_dead,
                 get_score(), lives);
    return 0;
}
