// The picture of the first tower at three heights, pixel for pixel against
// the committed references in tests/golden/ (scripts/update-golden rewrites
// them when a change of the picture is meant).
#include <SDL.h>

#include "Ascelon.h"
#include "gfx.h"
#include "golden.h"
#include "inters.h"
#include "player.h"
#include "sim.h"

namespace {

struct capture {
    uint32_t frame;
    std::vector<uint8_t> bmp;
};

void grab(uint32_t frame, void* user) {
    capture& c = *static_cast<capture*>(user);
    if (frame != c.frame) return;
    SDL_LockSurface(screen);
    c.bmp = golden_bmp565(static_cast<const uint16_t*>(screen->pixels), 320, 240, screen->pitch);
    SDL_UnlockSurface(screen);
}

// The creature stands on a step at (x, y) of mission 1, tower 1; the screen
// is taken once the panel has slid in and the camera has settled.
std::vector<uint8_t> screen_at(int16_t x, int16_t y) {
    // What a fresh start of the program would have: the wave at its first
    // phase, three lives and no score.
    iSin = 0;
    lives = 3;
    reset_score();
    capture c{30, {}};
    sim_options o;
    o.mission = 0;
    o.tower = 0;
    o.frames = 31;
    o.place = true;
    o.place_x = x;
    o.place_y = y;
    o.after_frame = grab;
    o.user = &c;
    const sim_result r = sim_run(o);
    EXPECT_EQ(r.frames_run, 31u);
    return c.bmp;
}

auto pixel = [](size_t offset) { return golden_bmp565_pixel(offset, 320, 240); };

TEST(GoldenScreens, AtTheFoot) {
    // On the ring of steps of row 1, in front of column 8.
    const auto bmp = screen_at(68, 8);
    ASSERT_FALSE(bmp.empty());
    EXPECT_TRUE(golden_match("tower1_foot.bmp", bmp, pixel));
}

TEST(GoldenScreens, HalfWayUp) {
    // On the long run of steps of row 26, column 9.
    const auto bmp = screen_at(76, 108);
    ASSERT_FALSE(bmp.empty());
    EXPECT_TRUE(golden_match("tower1_half.bmp", bmp, pixel));
}

TEST(GoldenScreens, AtTheTop) {
    // On the steps of row 42 beside the exit door, column 2.
    const auto bmp = screen_at(20, 172);
    ASSERT_FALSE(bmp.empty());
    EXPECT_TRUE(golden_match("tower1_top.bmp", bmp, pixel));
}

// The helper itself: a changed pixel is reported where it is.
TEST(GoldenHelper, ReportsTheFirstDifferingPixel) {
    std::vector<uint16_t> pic(320 * 240, 0x1234);
    const auto a = golden_bmp565(pic.data(), 320, 240, 640);
    ASSERT_EQ(a.size(), 66u + 320 * 240 * 2);
    pic[17 * 320 + 201] = 0x4321;
    pic[100 * 320 + 5] = 0x4321;
    const auto b = golden_bmp565(pic.data(), 320, 240, 640);
    size_t first = 0;
    while (a[first] == b[first]) ++first;
    // Rows are stored bottom-up: the lower change comes first in the file.
    EXPECT_EQ(golden_bmp565_pixel(first, 320, 240), "pixel (5, 100)");
    EXPECT_EQ(golden_bmp565_pixel(3, 320, 240), "header byte 3");
}

}  // namespace
