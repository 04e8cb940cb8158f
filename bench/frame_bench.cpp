// Cost of a tower frame: plays scripted runs of the first tower headless
// through the simulator, with the creature placed at a few heights, and
//  - under callgrind, dumps the instruction counts after every frame
//    (bench/frame_cost.sh turns the dumps into a median and a maximum);
//  - always, counts the heap allocations made inside each frame and fails
//    when there is any: a frame must only reuse what the tower start set up.
// The first frame of each run also holds the tower's set-up (the simulator
// calls back only after a frame), so it is left out of both checks. A short
// warm-up run goes first and reports any one-time allocation left after its
// first frame (SDL builds the blit mapping between two surfaces on the heap
// at their first blit; the game prepares those when it loads the pictures,
// so it should report none).
// Then one whole interlevel is played by its committed route
// (tests/routes/interlevel.input: the submarine steered, torpedoes fired,
// fish stunned and caught, and its way out), measured and checked the same
// way with the labels "interlevel frame N".
#include <valgrind/callgrind.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

#include "sim.h"

extern "C" {
void* __libc_malloc(size_t);
void* __libc_calloc(size_t, size_t);
void* __libc_realloc(void*, size_t);
void* __libc_memalign(size_t, size_t);
void __libc_free(void*);
}

// Every heap request of the process (SDL's, the C++ library's, the game's)
// comes through here.
static unsigned long heap_requests;

extern "C" void* malloc(size_t n) {
    ++heap_requests;
    return __libc_malloc(n);
}
extern "C" void* calloc(size_t n, size_t size) {
    ++heap_requests;
    return __libc_calloc(n, size);
}
extern "C" void* realloc(void* p, size_t n) {
    ++heap_requests;
    return __libc_realloc(p, n);
}
extern "C" void* memalign(size_t align, size_t n) {
    ++heap_requests;
    return __libc_memalign(align, n);
}
extern "C" void* aligned_alloc(size_t align, size_t n) {
    ++heap_requests;
    return __libc_memalign(align, n);
}
extern "C" int posix_memalign(void** out, size_t align, size_t n) {
    ++heap_requests;
    void* p = __libc_memalign(align, n);
    if (!p) return 12;  // ENOMEM
    *out = p;
    return 0;
}
extern "C" void free(void* p) { __libc_free(p); }

struct placement {
    const char* name;
    int16_t x, y;
};
// Standing on steps of the first tower: the foot, half-way, near the top.
static const placement placements[] = {{"foot", 68, 8}, {"half", 76, 108}, {"top", 20, 172}};
constexpr uint32_t FRAMES_PER_RUN = 100;

// Walk, turn, jump and throw, so the creature's states take their turn.
static const char* const route =
    "0 -\n"
    "10 R\n"
    "30 R+F\n"
    "40 L\n"
    "60 -\n"
    "70 F\n"
    "75 -\n"
    "80 L+F\n"
    "90 U\n";

struct run_state {
    const char* name;
    unsigned long requests_before;
    unsigned long frames_with_allocations;
    unsigned long allocations;
};

static void after_frame(uint32_t frame, void* user) {
    run_state& s = *static_cast<run_state*>(user);
    const unsigned long made = heap_requests - s.requests_before;
    char label[64];
    std::snprintf(label, sizeof label, "%s frame %u", s.name, frame);
    // The dump holds everything since the previous one: this frame alone.
    CALLGRIND_DUMP_STATS_AT(label);
    if (frame > 0 && made != 0) {
        ++s.frames_with_allocations;
        s.allocations += made;
        std::printf("%s: %lu heap allocation(s) in frame %u\n", s.name, made, frame);
    }
    s.requests_before = heap_requests;
}

int main(int argc, char** argv) {
    if (argc > 1 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::printf(
            "usage: ascelon-bench-frames\n"
            "Plays %u frames of the first tower at each of %zu heights headless and\n"
            "fails when a frame allocates from the heap. Under\n"
            "  valgrind --tool=callgrind\n"
            "it dumps the instruction count of every frame; bench/frame_cost.sh runs\n"
            "it that way and prints the median and maximum per frame.\n",
            FRAMES_PER_RUN, sizeof placements / sizeof placements[0]);
        return 0;
    }
    sim_options o;
    std::string error;
    if (!parse_input_script(route, o.input, error)) {
        std::fprintf(stderr, "route: %s\n", error.c_str());
        return 2;
    }
    o.mission = 0;
    o.tower = 0;
    o.frames = FRAMES_PER_RUN;
    o.place = true;
    o.after_frame = after_frame;

    {
        run_state warm{"warm-up", heap_requests, 0, 0};
        o.frames = 3;
        o.place_x = placements[0].x;
        o.place_y = placements[0].y;
        o.user = &warm;
        sim_run(o);
        std::printf("warm-up: %lu one-time allocations after its first frame\n", warm.allocations);
        o.frames = FRAMES_PER_RUN;
    }
    unsigned long bad_frames = 0, frames = 0;
    for (const placement& p : placements) {
        run_state s{p.name, heap_requests, 0, 0};
        o.place_x = p.x;
        o.place_y = p.y;
        o.user = &s;
        const sim_result r = sim_run(o);
        frames += r.frames_run;
        bad_frames += s.frames_with_allocations;
        std::printf("%s: %u frames (%s), %lu allocations in frames\n", p.name, r.frames_run,
                    sim_end_name(r.end), s.allocations);
    }
    {
        sim_options il;
        std::ifstream in(ASCELON_SOURCE_DIR "/tests/routes/interlevel.input");
        std::stringstream text;
        text << in.rdbuf();
        if (!in || !parse_input_script(text.str(), il.input, error)) {
            std::fprintf(stderr, "interlevel route: %s\n", in ? error.c_str() : "cannot read");
            return 2;
        }
        il.interlevel = true;
        il.idx_fish = 0;
        il.frames = 2000;
        il.after_frame = after_frame;
        run_state s{"interlevel", heap_requests, 0, 0};
        il.user = &s;
        const sim_result r = sim_run(il);
        frames += r.frames_run;
        bad_frames += s.frames_with_allocations;
        std::printf("interlevel: %u frames (%s), %lu allocations in frames\n", r.frames_run,
                    sim_end_name(r.end), s.allocations);
    }
    if (bad_frames) {
        std::printf("FAIL: %lu of %lu frames allocated from the heap\n", bad_frames, frames);
        return 1;
    }
    std::printf(
        "ok: no heap allocation in %lu frames (%lu heap requests in all, set-up included)\n",
        frames, heap_requests);
    return 0;
}
