// ascelon-sim: plays the game's own frames headless and unpaced.
#include <cstdarg>
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
#include "soak.h"

static const char usage_text[] =
    "usage: ascelon-sim [options]\n"
    "Runs one tower attempt (or one interlevel, or a whole game) of Ascelon\n"
    "headless, without real-time pacing, with buttons from an input script.\n"
    "  --mission M        mission 0 (the game's) or 1 (default 0)\n"
    "  --tower T          tower 0..7 (default 0)\n"
    "  --game             play one whole game through the game flow (every\n"
    "                     attempt, interlevel and life, to the game's end) from\n"
    "                     one script whose frames count on across them; the\n"
    "                     trace lines start with the loop (tower or il), the\n"
    "                     tower index and the lives\n"
    "  --interlevel       run an interlevel instead of a tower (it starts as after a\n"
    "                     climbed tower: clock at 0, submarine at the top left)\n"
    "  --idx-fish N       with --interlevel: start the fish sequence at fish N\n"
    "                     (default 0, as the program's first interlevel)\n"
    "  --frames N         run at most N frames (default 1000); a tower also stops\n"
    "                     when the attempt ends\n"
    "  --input FILE       input script: lines 'FRAME BUTTONS', from FRAME on hold\n"
    "                     BUTTONS (letters L R U D F=fire S=select, '-' none);\n"
    "                     '#' starts a comment\n"
    "  --random SEED      instead of a script, random buttons from SEED (as the\n"
    "                     soak plays them)\n"
    "  --shot F:FILE      write the screen after frame F as a BMP (repeatable)\n"
    "  --trace FILE       write one line of game state per frame ('-' = stdout)\n"
    "                     (in an interlevel: submarine, fish, bullet, clock, score)\n"
    "  --place X,Y        start with the creature standing at tower x X (0..127),\n"
    "                     y Y (0..1023); skips the arrival; the clock runs\n"
    "  --soak N           random play of every tower of both missions, every\n"
    "                     fourth attempt followed by an interlevel, N frames in\n"
    "                     all; on a crash, sanitizer report or hang it prints\n"
    "                     the command that replays the attempt (other options\n"
    "                     but --seed are ignored)\n"
    "  --seed S           the soak's seed (default 1)\n"
    "Frames count from 0. Prints how the run ended. Bad arguments end with\n"
    "status 2.\n";

[[noreturn]] static void bad_argument(const char* format, ...) {
    std::fputs("ascelon-sim: ", stderr);
    va_list args;
    va_start(args, format);
    std::vfprintf(stderr, format, args);
    va_end(args);
    std::fputs(" (see ascelon-sim --help)\n", stderr);
    std::exit(2);
}

int main(int argc, char** argv) {
    sim_options options;
    std::string trace_path;
    bool random = false, soak = false, game = false;
    uint64_t random_seed = 0, soak_frames = 0, soak_seed = 1;

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
            options.mission = static_cast<uint16_t>(number(i, 0, 1));
        } else if (arg == "--tower") {
            options.tower = static_cast<uint16_t>(number(i, 0, 7));
        } else if (arg == "--game") {
            game = true;
        } else if (arg == "--interlevel") {
            options.interlevel = true;
        } else if (arg == "--idx-fish") {
            options.idx_fish = static_cast<int32_t>(number(i, 0, 65535));
        } else if (arg == "--frames") {
            options.frames = static_cast<uint32_t>(number(i, 0, 100000000));
        } else if (arg == "--input") {
            const std::string path = value(i);
            std::ifstream in(path);
            std::stringstream text;
            text << in.rdbuf();
            std::string error;
            if (!in) bad_argument("--input %s: cannot read it", path.c_str());
            if (!parse_input_script(text.str(), options.input, error))
                bad_argument("--input %s: %s", path.c_str(), error.c_str());
        } else if (arg == "--random") {
            random = true;
            random_seed = number(i, 0, UINT64_MAX);
        } else if (arg == "--shot") {
            const std::string text = value(i);
            const size_t colon = text.find(':');
            uint64_t frame = 0;
            if (colon == std::string::npos || colon + 1 == text.size() ||
                !parse_number(text.substr(0, colon), UINT32_MAX, frame))
                bad_argument("bad value for --shot: '%s' (FRAME:FILE, FRAME from 0 to %u)",
                             text.c_str(), UINT32_MAX);
            options.shots[static_cast<uint32_t>(frame)] = text.substr(colon + 1);
        } else if (arg == "--trace") {
            trace_path = value(i);
        } else if (arg == "--place") {
            const std::string text = value(i);
            const size_t comma = text.find(',');
            uint64_t x = 0, y = 0;
            if (comma == std::string::npos || !parse_number(text.substr(0, comma), 127, x) ||
                !parse_number(text.substr(comma + 1), 1023, y))
                bad_argument("bad value for --place: '%s' (X,Y with X 0..127, Y 0..1023)",
                             text.c_str());
            options.place = true;
            options.place_x = static_cast<int16_t>(x);
            options.place_y = static_cast<int16_t>(y);
        } else if (arg == "--soak") {
            soak = true;
            soak_frames = number(i, 1, 1000000000000ull);
        } else if (arg == "--seed") {
            soak_seed = number(i, 0, UINT64_MAX);
        } else {
            bad_argument("unknown argument '%s'", argv[i]);
        }
    }
    if (soak) {
        soak_run(soak_frames, soak_seed, stderr);
        return 0;
    }
    if (!trace_path.empty()) {
        options.trace = trace_path == "-" ? stdout : std::fopen(trace_path.c_str(), "w");
        if (!options.trace) bad_argument("--trace %s: cannot write it", trace_path.c_str());
    }
    random_buttons buttons(random_seed);
    if (random) {
        options.buttons = random_buttons_at;
        options.buttons_user = &buttons;
    }
    const sim_result result = game ? sim_run_game(options) : sim_run(options);
    if (options.trace && options.trace != stdout) std::fclose(options.trace);
    std::fprintf(stderr, "ended: %s after %u frames (finish %u, dead %u, score %08X, lives %u)\n",
                 sim_end_name(result.end), result.frames_run, flag_finish_level, flag_player_dead,
                 get_score(), lives);
    return 0;
}
