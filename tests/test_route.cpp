// The first tower climbed through the whole game loop by a scripted route,
// from the submarine to the exit door and the tower's sinking. The state of
// every frame is kept as a golden trace: any change in how the creature,
// the map or the clock behave on the way shows as the first frame that
// differs; scripts/update-golden rewrites it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Ascelon.h"
#include "golden.h"
#include "map.h"
#include "panel.h"
#include "player.h"
#include "sim.h"

namespace {

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Units left on the clock (the drums read 8 per digit).
int clock_units() { return time_level[0] / 8 * 100 + time_level[1] / 8 * 10 + time_level[2] / 8; }

struct RouteRun {
    sim_result result;
    std::string trace;
};

RouteRun play_route(const std::string& route) {
    std::string error;
    sim_options options;
    EXPECT_TRUE(parse_input_script(read_file(route), options.input, error))
        << route << ": " << error;
    options.mission = 0;
    options.tower = 0;
    options.frames = 4000;
    // A fresh game: what earlier attempts in this process left behind must
    // not steer this one.
    lives = 3;
    reset_score();
    vitesse_chute = dplx_chute = cpt_chute = 0;
    flag_player_fire = 0;
    char* buffer = nullptr;
    size_t size = 0;
    options.trace = open_memstream(&buffer, &size);
    RouteRun run{sim_run(options), {}};
    std::fclose(options.trace);
    run.trace.assign(buffer, size);
    std::free(buffer);
    return run;
}

TEST(GoldenRoute, FirstTowerClimbedWithTimeToSpare) {
    if (objs_mission1[16] == 0) GTEST_SKIP() << "the tower tables are not compiled in";
    const std::string dir = ASCELON_SOURCE_DIR "/tests/";
    const RouteRun run = play_route(dir + "routes/m1_t0.input");

    EXPECT_EQ(run.result.end, sim_end::finished) << sim_end_name(run.result.end);
    EXPECT_EQ(flag_finish_level, 4);
    EXPECT_EQ(flag_player_dead, 0);
    EXPECT_EQ(lives, 3);
    EXPECT_EQ(nb_tiles_tour, 6);
    const int left = clock_units();
    EXPECT_GE(left, 100) << "the climb must leave a quarter of the 400 units";
    std::printf("route: %u frames, %d of 400 clock units left, score %08X\n", run.result.frames_run,
                left, get_score());

    // A difference is reported as the frame whose trace line first differs.
    const std::vector<uint8_t> bytes(run.trace.begin(), run.trace.end());
    EXPECT_TRUE(golden_match("m1_t0.trace", bytes, [&](size_t offset) {
        const size_t line_start = run.trace.rfind('\n', offset == 0 ? 0 : offset - 1);
        const size_t from = line_start == std::string::npos ? 0 : line_start + 1;
        return "frame " + run.trace.substr(from, run.trace.find(' ', from) - from);
    }));
}

}  // namespace
