// The decor collision query, the camera, the score counters and the clock.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "Ascelon.h"
#include "blank_tower.h"
#include "gfx.h"
#include "map.h"
#include "panel.h"
#include "player_internal.h"
#include "tour.h"

namespace {

// An empty tower of 40 rows to build test layouts in.
class Collision : public testing::Test {
  protected:
    void SetUp() override {
        blank_map(40);
        reset_score();
        init_bonus();
        lives = 3;
    }
    static uint16_t player_hits(int16_t x, int16_t y) { return col_vs_decor(x, y, -3, 2, 0, 0, 9); }
    static uint16_t shot_hits(int16_t x, int16_t y) { return col_vs_decor(x, y, -1, 0, 2, 2, 5); }
};

}  // namespace

TEST_F(Collision, ColumnsScannedNeverWrapBelowZero) {
    map_cell(15, 5) = CELL_STEP;
    EXPECT_EQ(player_hits(1, 20), 0) << "x 1 reaches column 0 only";
    EXPECT_EQ(player_hits(126, 20), 1) << "x 126 reaches columns 15 and 0";
    map_cell(15, 5) = 0;
    map_cell(0, 5) = CELL_STEP;
    EXPECT_EQ(player_hits(126, 20), 1);
    map_cell(0, 5) = 0;
    map_cell(1, 5) = CELL_STEP;
    EXPECT_EQ(player_hits(6, 20), 1) << "x 6 reaches column 1";
    EXPECT_EQ(player_hits(1, 20), 0);
}

TEST_F(Collision, BlocksAndLiftsOnlyInsideTheirSubRange) {
    map_cell(1, 5) = 0x80;
    EXPECT_EQ(player_hits(6, 20), 0) << "beside the block, although column 1 is scanned";
    EXPECT_EQ(player_hits(7, 20), 0);
    EXPECT_EQ(player_hits(8, 20), 1);
    EXPECT_EQ(player_hits(17, 20), 1);
    map_cell(1, 5) = CELL_LIFT_BOTTOM;
    EXPECT_EQ(player_hits(17, 20), 1);
    EXPECT_EQ(player_hits(18, 20), 0) << "column 1 is no longer scanned past its right edge";
    // An enemy's sub-range is 1..8, a shot's 2..7.
    map_cell(1, 5) = 0x80;
    EXPECT_EQ(col_vs_decor(8, 20, -3, 2, 1, 1, 7), 0);
    EXPECT_EQ(col_vs_decor(9, 20, -3, 2, 1, 1, 7), 1);
    EXPECT_EQ(col_vs_decor(16, 20, -3, 2, 1, 1, 7), 1);
    EXPECT_EQ(col_vs_decor(17, 20, -3, 2, 1, 1, 7), 0);
}

TEST_F(Collision, BoxHeightsByClass) {
    map_cell(2, 7) = CELL_STEP;  // row 7: y 28..31
    // The creature: rows y/4 .. y/4 + 2, one more when y & 3 is 3.
    EXPECT_EQ(player_hits(20, 20), 1);
    EXPECT_EQ(player_hits(20, 19), 1);
    EXPECT_EQ(player_hits(20, 18), 0);
    EXPECT_EQ(player_hits(20, 31), 1);
    EXPECT_EQ(player_hits(20, 32), 0);
    // An enemy: rows y/4 .. y/4 + 1, one more when y is not a multiple of 4.
    EXPECT_EQ(col_vs_decor(20, 24, -3, 2, 1, 1, 7), 1);
    EXPECT_EQ(col_vs_decor(20, 23, -3, 2, 1, 1, 7), 1);
    EXPECT_EQ(col_vs_decor(20, 20, -3, 2, 1, 1, 7), 0);
    // A shot: its own row, one more when y is not a multiple of 4.
    EXPECT_EQ(shot_hits(20, 28), 1);
    EXPECT_EQ(shot_hits(20, 27), 1);
    EXPECT_EQ(shot_hits(20, 24), 0);
}

TEST_F(Collision, DoorsAndMarkersNeverCollide) {
    for (uint8_t code : {0x83, 0xC3, 0x08, 0x0C, 0x10, 0x70, 0x04}) {
        map_cell(2, 5) = code;
        EXPECT_EQ(player_hits(20, 20), 0) << std::hex << int(code);
        EXPECT_EQ(shot_hits(20, 20), 0) << std::hex << int(code);
    }
}

TEST_F(Collision, AShotBreaksTheFirstBreakableCellItMeetsAndIsPaid) {
    for (uint8_t code : {0x82, 0x84, 0x88, 0x8C}) {
        SetUp();
        map_cell(2, 5) = code;
        EXPECT_EQ(shot_hits(20, 21), 1);
        EXPECT_EQ(map_cell(2, 5), 0) << std::hex << int(code);
        EXPECT_EQ(get_score(), 0x50u);
        EXPECT_EQ(bonus_extra, 2);
    }
    SetUp();
    for (uint8_t code : {0x80, 0x85, 0x81}) {
        map_cell(2, 5) = code;
        EXPECT_EQ(shot_hits(20, 21), 1);
        EXPECT_EQ(map_cell(2, 5), code) << "unbreakable " << std::hex << int(code);
    }
    EXPECT_EQ(get_score(), 0u);
    // Scan order: top row first, so the upper of two blocks goes first.
    map_cell(2, 5) = 0x82;
    map_cell(2, 6) = 0x82;
    EXPECT_EQ(shot_hits(20, 21), 1);
    EXPECT_EQ(map_cell(2, 6), 0);
    EXPECT_EQ(map_cell(2, 5), 0x82);
    // A step met earlier in the scan protects a block.
    map_cell(2, 6) = CELL_STEP;
    EXPECT_EQ(shot_hits(20, 21), 1);
    EXPECT_EQ(map_cell(2, 5), 0x82);
    // The creature and the enemies never break anything.
    map_cell(2, 6) = 0;
    EXPECT_EQ(player_hits(20, 20), 1);
    EXPECT_EQ(col_vs_decor(20, 20, -3, 2, 1, 1, 7), 1);
    EXPECT_EQ(map_cell(2, 5), 0x82);
}

TEST(Camera, ProjectionTableFollowsTheCircle) {
    for (int a = 0; a < 128; ++a) {
        const int expected =
            a == 64 ? 159 : static_cast<int>(std::floor(80 - 80 * std::cos(2 * M_PI * a / 128)));
        EXPECT_EQ(tab_offset_x[a], expected) << a;
        EXPECT_EQ(tab_offset_x[a], tab_offset_x[(128 - a) & 127]) << a;
    }
    EXPECT_EQ(tab_offset_x[32], 80);
}

TEST(Camera, TurnsToTheCreatureAndClosesTheGapInFourteenSteps) {
    player_num_anim = ANIM_IDLE;
    player_map_x = 4;
    player_map_y = 0;
    tower_offset_y = 64;
    calc_offset_tour();
    EXPECT_EQ(tower_rotation, 32);
    EXPECT_EQ(tower_offset_y2, 64);
    player_map_x = 40;
    player_map_y = 8;
    calc_offset_tour();
    EXPECT_EQ(tower_rotation, 124);
    EXPECT_EQ(tower_offset_y, 64);

    player_map_y = 100;
    const int expected[] = {-46, -36, -26, -20, -14, -12, -8, -6, -4, -4, -2, -2, -2, -2};
    for (int step : expected) {
        const int before = tower_offset_y;
        calc_offset_tour();
        EXPECT_EQ(tower_offset_y - before, step);
    }
    EXPECT_EQ(tower_offset_y, -120);
    calc_offset_tour();
    EXPECT_EQ(tower_offset_y, -120);

    // A jump holds the view but still aims it.
    player_num_anim = ANIM_JUMP;
    player_map_y = 8;
    calc_offset_tour();
    EXPECT_EQ(tower_offset_y2, 64);
    EXPECT_EQ(tower_offset_y, -120);
    player_num_anim = ANIM_IDLE;
}

TEST(Score, DecimalCarriesAndExtraLives) {
    lives = 3;
    set_score(0x4950);
    inc_score(0x100);
    EXPECT_EQ(get_score(), 0x5050u);
    EXPECT_EQ(lives, 4);
    set_score(0x9990);
    inc_score(0x10);
    EXPECT_EQ(get_score(), 0x10000u);
    EXPECT_EQ(lives, 5);
    set_score(0x5000);
    inc_score(0x100);
    EXPECT_EQ(lives, 5);
    set_score(0x99);
    inc_score(0x1);
    EXPECT_EQ(get_score(), 0x100u);
    lives = 8;
    set_score(0x4990);
    inc_score(0x10);
    EXPECT_EQ(lives, 8);
    set_score(0x12345);
    const uint8_t digits[8] = {0, 0, 0, 1, 2, 3, 4, 5};
    EXPECT_EQ(std::memcmp(score, digits, 8), 0);
    // The top digit has nowhere to carry: the score stops at its maximum.
    set_score(0x99999990);
    inc_score(0x50);
    EXPECT_EQ(get_score(), 0x99999999u);
    lives = 3;
}

TEST(Score, BonusCountersAndClimbingPoints) {
    init_bonus();
    dec_bonus_tech(2);
    EXPECT_EQ(bonus_tech, 98);
    bonus_tech = 3;
    dec_bonus_tech(2);
    dec_bonus_tech(2);
    EXPECT_EQ(bonus_tech, 0);
    inc_bonus_extra(5);
    inc_bonus_extra(2);
    EXPECT_EQ(bonus_extra, 7);

    reset_score();
    top_climb = 8;
    player_map_y = 11;  // three units above the best height
    for (int frame = 0; frame < 5; ++frame) calc_bonus_climb();
    EXPECT_EQ(get_score(), 0x30u) << "one unit a frame, never paid twice";
    EXPECT_EQ(top_climb, 11);
    player_map_y = 4;
    calc_bonus_climb();
    EXPECT_EQ(get_score(), 0x30u);
}

static int clock_value() {
    return time_level[0] / 8 * 100 + time_level[1] / 8 * 10 + time_level[2] / 8;
}

TEST(Clock, DrumFieldsRollThroughAFullCountDown) {
    flag_decrement_time = 1;
    set_time(0);
    set_time_level(0);
    EXPECT_EQ(time_level[0], 32);
    EXPECT_EQ(time_level[1], 0);
    EXPECT_EQ(time_level[2], 0);
    dec_time();
    EXPECT_EQ(time_level[0], 31);
    EXPECT_EQ(time_level[1], 79);
    EXPECT_EQ(time_level[2], 79);
    for (int i = 0; i < 7; ++i) dec_time();
    EXPECT_EQ(time_level[0], 24);
    EXPECT_EQ(time_level[1], 72);
    EXPECT_EQ(time_level[2], 72);

    // The rest of the 400 units: 3200 frames in all, and 0 exactly at the end.
    int frames = 8;
    while (dec_time() != 0) {
        ++frames;
        for (int f = 0; f < 3; ++f) ASSERT_TRUE(time_level[f] >= 0 && time_level[f] <= 79);
        ASSERT_LT(frames, 4000);
    }
    EXPECT_EQ(frames + 1, 3200);
    EXPECT_EQ(clock_value(), 0);

    flag_decrement_time = 0;
    EXPECT_EQ(dec_time(), 0xFFFF) << "a stopped clock never runs out";
    EXPECT_EQ(clock_value(), 0);
}

TEST(Clock, AddingTimeCarriesAndStopsAt999) {
    set_time(0);
    inc_time(0x14);
    inc_time(0x6);
    EXPECT_EQ(clock_value(), 20);
    EXPECT_EQ(time_level[2], 0);
    set_time(0);
    inc_time(0x2);
    inc_time(0x4);
    inc_time(0x6);
    set_time_level(3);
    EXPECT_EQ(clock_value(), 562);
    set_time(0);
    inc_time(0x750);
    inc_time(0x300);
    EXPECT_EQ(clock_value(), 999);
}

TEST(Panel, SlidesInAndDrawsDigitsMarksAndClock) {
    init_panel();
    EXPECT_EQ(flag_panel_displayed, 0);
    for (int i = 0; i < 12; ++i) aff_panel(0);
    EXPECT_EQ(flag_panel_displayed, 24);
    aff_panel(0);
    EXPECT_EQ(flag_panel_displayed, 24);

    // Each piece lands where the layout puts it: compare with the picture.
    auto same = [](SDL_Surface* from, int sx, int sy, int px, int py) {
        SDL_LockSurface(from);
        SDL_LockSurface(panel);
        const uint16_t a =
            reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(from->pixels) + sy * from->pitch)[sx];
        const uint16_t b = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(panel->pixels) +
                                                       py * panel->pitch)[px];
        SDL_UnlockSurface(panel);
        SDL_UnlockSurface(from);
        return a == b;
    };
    set_score(0x01234567);
    lives = 8;
    set_time(0);
    set_time_level(0);
    gere_panel(0);
    for (int y = 0; y < 8; ++y)
        for (int x = 0; x < 8; ++x) {
            ASSERT_TRUE(same(spr_chiffres, x, 8 * 7 + y, 8 + 8 * 7 + x, 3 + y));  // units digit 7
            ASSERT_TRUE(same(spr_chiffres, x, 80 + y, 8 + 8 * 7 + x, 11 + y));    // eighth life
        }
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) ASSERT_TRUE(same(spr_time, x, 64 + y, 264 + x, 3 + y));
    aff_panel(1);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_TRUE(same(spr_icons, 16 + x, y, 248 + x, 3 + y));
    lives = 3;
}
