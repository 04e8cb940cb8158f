// Every test program runs headless, with the game's pictures loaded once.
#include <gtest/gtest.h>

#include <cstdlib>

#include "sim.h"

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    testing::InitGoogleTest(&argc, argv);
    testing::GTEST_FLAG(death_test_style) = "threadsafe";
    sim_start_video();
    return RUN_ALL_TESTS();
}
