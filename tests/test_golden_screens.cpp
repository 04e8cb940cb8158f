// The picture of the first tower at three heights, with its enemies, and of a
// tower holding one enemy of each kind, pixel for pixel against the committed
// references in tests/golden/ (scripts/update-golden rewrites them when a
// change of the picture is meant).
#include <SDL.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "Ascelon.h"
#include "gfx.h"
#include "golden.h"
#include "inters.h"
#include "map.h"
#include "nmis.h"
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
// is taken once the panel has slid in and the camera has settled. A test may
// build its own tower before the first frame.
std::vector<uint8_t> screen_at(int16_t x, int16_t y, void (*build)(void*) = nullptr) {
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
    o.before_first_frame = build;
    o.after_frame = grab;
    o.user = &c;
    const sim_result r = sim_run(o);
    EXPECT_EQ(r.frames_run, 31u);
    return c.bmp;
}

// A tower with one of each enemy in front of the creature, which stands on a
// ring of steps in row 14: a bouncer waiting on a step above it, a roller on
// a short step below, a vertical patroller beside it and the flyer crossing
// above.
void enemies_tower(void*) {
    std::memset(current_map, 0, MAP_COLUMNS * MAP_ROWS);
    for (int c = 0; c < 16; ++c) map_cell(c, 14) = CELL_STEP;
    map_cell(1, 18) = map_cell(2, 18) = CELL_STEP;
    for (int c = 5; c <= 7; ++c) map_cell(c, 10) = CELL_STEP;
    map_cell(6, 21) = CELL_STEP;
    offset_spawn = 47;  // no markers: the scan has nothing to bring
    tab_sprites[0] = str_sprite{NMI_BOUNCER, NMI_BOUNCER, 12, 76, 0, 0, 0, 0, 0, 4};
    tab_sprites[1] = str_sprite{NMI_ROLLER, NMI_ROLLER, 50, 44, 0, 0, 1, 0, 0, 5};
    tab_sprites[2] = str_sprite{NMI_VPATROL, NMI_VPATROL, 52, 64, 0, 0, 1, 0, 0, 12};
    tab_sprites[3] = str_sprite{NMI_FLYER, 0, 40, 90, 0, 0, 2, 0, 0, 0};
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

TEST(GoldenScreens, OneOfEachEnemy) {
    const auto bmp = screen_at(36, 60, enemies_tower);
    ASSERT_FALSE(bmp.empty());
    EXPECT_TRUE(golden_match("tower1_enemies.bmp", bmp, pixel));
}

// The first tower's route, waiting beside the door of row 39 while the flyer
// comes at the creature's height, with rollers and patrollers about.
TEST(GoldenScreens, TheFlyerComingOnTheFirstTower) {
    iSin = 0;
    lives = 3;
    reset_score();
    vitesse_chute = dplx_chute = cpt_chute = 0;
    flag_player_fire = 0;
    capture c{909, {}};
    sim_options o;
    std::ifstream in(ASCELON_SOURCE_DIR "/tests/routes/m1_t0.input");
    std::stringstream text;
    text << in.rdbuf();
    std::string error;
    ASSERT_TRUE(parse_input_script(text.str(), o.input, error)) << error;
    o.frames = 910;
    o.after_frame = grab;
    o.user = &c;
    sim_run(o);
    ASSERT_FALSE(c.bmp.empty());
    EXPECT_TRUE(golden_match("tower1_flyer.bmp", c.bmp, pixel));
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
