#include "soak.h"

#include <signal.h>
#include <sys/time.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <vector>

#include "map.h"
#include "sim.h"

#ifdef ASCELON_SANITIZED
#include <sanitizer/common_interface_defs.h>
#endif

// The attempt being played, as the command that replays it; written out when
// the process dies so that the fault can be reproduced on its own.
static char current[200] = "(starting)";
// An attempt is at most 20,000 frames, a few seconds even under the
// sanitizers; the watchdog counts the process's own CPU time, so a loaded
// machine cannot make a slow attempt look like a hang.
constexpr long HANG_SECONDS = 120;

static void watchdog(long seconds) {
    itimerval t{};
    t.it_value.tv_sec = seconds;
    setitimer(ITIMER_VIRTUAL, &t, nullptr);
}

static void say_current(const char* what) {
    char line[300];
    const int n = std::snprintf(line, sizeof line, "soak: %s in: %s\n", what, current);
    if (n > 0) (void)!write(2, line, static_cast<size_t>(n) < sizeof line ? n : sizeof line - 1);
}

static void on_hang(int) {
    say_current("hang (an attempt ran for 120 s of CPU time)");
    _exit(3);
}

#ifdef ASCELON_SANITIZED
static void on_sanitizer_death() { say_current("sanitizer report"); }
#else
static void on_fault(int sig) {
    say_current("crash");
    signal(sig, SIG_DFL);
    raise(sig);
}
#endif

static void install_handlers() {
    signal(SIGVTALRM, on_hang);
#ifdef ASCELON_SANITIZED
    // The sanitizers handle the faults themselves; they call this before
    // they end the process.
    __sanitizer_set_death_callback(on_sanitizer_death);
#else
    for (int sig : {SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT}) signal(sig, on_fault);
#endif
}

// Somewhere to stand on the tower: a platform with room above it. Random play
// from the foot rarely gets far up, so half the attempts start up the tower.
static bool pick_place(uint16_t mission, uint16_t tower, uint64_t r, int16_t& x, int16_t& y) {
    init_map(mission, tower);
    std::vector<int> cells;
    for (int c = 0; c < MAP_COLUMNS; ++c)
        for (int row = 1; row + 3 < nb_tiles_tour; ++row) {
            const uint8_t under = map_cell(c, row);
            if ((under & CELL_SOLID) && (under & 3) == KIND_PLATFORM &&
                !(map_cell(c, row + 1) & CELL_SOLID) && !(map_cell(c, row + 2) & CELL_SOLID))
                cells.push_back(c * MAP_ROWS + row);
        }
    if (cells.empty()) return false;
    const int cell = cells[r % cells.size()];
    x = static_cast<int16_t>(cell / MAP_ROWS * 8 + 4);
    y = static_cast<int16_t>((cell % MAP_ROWS + 1) * 4);
    return true;
}

uint64_t soak_run(uint64_t frames, uint64_t seed, std::FILE* log) {
    install_handlers();
    constexpr uint32_t TOWER_CAP = 20000, INTERLEVEL_CAP = 5000;
    uint64_t done = 0, attempts = 0, interlevel_frames = 0, next_report = 1000000;
    random_buttons seeds(seed);
    while (done < frames) {
        const uint16_t slot = static_cast<uint16_t>(attempts % 16);
        const uint16_t mission = slot / 8, tower = slot % 8;
        ++attempts;

        // One attempt at the tower, and after every fourth an interlevel (it
        // lasts a thousand frames or so), each with its own seed.
        const int parts = attempts % 4 == 1 ? 2 : 1;
        for (int part = 0; part < parts && done < frames; ++part) {
            const uint64_t play_seed = seeds.next();
            sim_options o;
            o.mission = mission;
            o.tower = tower;
            o.interlevel = part == 1;
            const uint64_t left = frames - done;
            const uint32_t cap = o.interlevel ? INTERLEVEL_CAP : TOWER_CAP;
            o.frames = left < cap ? static_cast<uint32_t>(left) : cap;
            char place[32] = "";
            if (!o.interlevel && (play_seed >> 63) &&
                pick_place(mission, tower, play_seed >> 32, o.place_x, o.place_y)) {
                o.place = true;
                std::snprintf(place, sizeof place, " --place %d,%d", o.place_x, o.place_y);
            }
            if (o.interlevel)
                std::snprintf(current, sizeof current,
                              "ascelon-sim --interlevel --random %llu --frames %u",
                              static_cast<unsigned long long>(play_seed), o.frames);
            else
                std::snprintf(current, sizeof current,
                              "ascelon-sim --mission %u --tower %u%s --random %llu --frames %u",
                              mission, tower, place, static_cast<unsigned long long>(play_seed),
                              o.frames);
            random_buttons buttons(play_seed);
            o.buttons = random_buttons_at;
            o.buttons_user = &buttons;
            watchdog(HANG_SECONDS);
            const sim_result r = sim_run(o);
            watchdog(0);
            done += r.frames_run;
            if (o.interlevel) interlevel_frames += r.frames_run;
        }
        if (log && done >= next_report) {
            std::fprintf(log, "soak: %llu frames, %llu attempts\n",
                         static_cast<unsigned long long>(done),
                         static_cast<unsigned long long>(attempts));
            std::fflush(log);
            next_report += 1000000;
        }
    }
    std::strcpy(current, "(finished)");
    if (log)
        std::fprintf(log,
                     "soak: %llu frames (%llu tower attempts, %llu interlevel frames), seed "
                     "%llu: no fault\n",
                     static_cast<unsigned long long>(done),
                     static_cast<unsigned long long>(attempts),
                     static_cast<unsigned long long>(interlevel_frames),
                     static_cast<unsigned long long>(seed));
    return done;
}
