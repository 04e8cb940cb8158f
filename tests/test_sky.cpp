// The sky behind the tower and the water at its foot, checked on the pixels
// written into the frame buffer.
#include <vector>

#include "backgnd.h"
#include "inters.h"
#include "world_fixture.h"

namespace {

uint16_t& px(int x, int y) {
    return reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(buffer->pixels) +
                                       y * buffer->pitch)[x];
}

void fill_buffer(uint16_t v) {
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) px(x, y) = v;
}

class Sky : public BlankTower {
  protected:
    void SetUp() override {
        BlankTower::SetUp();
        init_back(0);
        fill_buffer(0xABCD);
    }
    // Draws the sky for tower lvl at scroll o; the stars and horizon are
    // left queued.
    void draw(uint16_t level, int16_t o) {
        lvl = level;
        tower_offset_y = o;
        nb_sprites = 0;
        build_back(level);
    }
    static bool whole_line(int y, uint16_t v) {
        for (int x = 0; x < 320; ++x)
            if (px(x, y) != v) return false;
        return true;
    }
};

TEST_F(Sky, BandsAtTheFootOfTowerOne) {
    draw(0, 64);
    EXPECT_EQ(px(0, 103), 0xABCD);  // black sky is the flip's, not ours
    // Upper band: black to full red.
    EXPECT_TRUE(whole_line(104, 0x0000));
    EXPECT_TRUE(whole_line(105, 0x0800));
    EXPECT_TRUE(whole_line(135, 0xF800));
    // Lower band: red to yellow (green 0 to 62 over the full red).
    EXPECT_TRUE(whole_line(136, 0xF800));
    EXPECT_TRUE(whole_line(137, 0xF840));
    EXPECT_TRUE(whole_line(167, 0xFFC0));
    // The sea below the lower band.
    EXPECT_TRUE(whole_line(168, 3));   // 7th sea line: 28 / 8
    EXPECT_TRUE(whole_line(200, 19));  // 39th: 156 / 8
    EXPECT_TRUE(whole_line(210, 24));  // 49th: 196 / 8
    EXPECT_TRUE(whole_line(211, 25));  // from the 50th on, held at 25
    EXPECT_TRUE(whole_line(239, 25));
}

TEST_F(Sky, BandColoursCarryBetweenFields) {
    struct line {
        uint16_t level;
        int y;
        uint16_t colour;
    };
    const line lines[] = {
        // Tower 2, lower band: green accumulator 2040 spills into red.
        {1, 136, 0x3FC0},
        {1, 167, 0x3FDF},
        // Tower 7: the upper band is magenta, then blue 255 carries over
        // green and the sum wraps past 16 bits.
        {7, 135, 0xF81F},
        {7, 136, 0xF8FF},
        {7, 167, 0x00A0},
        // Tower 6: a falling green field under a rising red one.
        {6, 104, 0x0000},
        {6, 135, 0x07DF},
        {6, 136, 0x40BF},
        {6, 167, 0x30FF},
        // Tower 4: blue, then green over a blue that carried into green.
        {4, 135, 0x001F},
        {4, 136, 0x00FF},
        {4, 137, 0x013F},
    };
    for (const line& l : lines) {
        fill_buffer(0xABCD);
        draw(l.level, 64);
        EXPECT_EQ(px(17, l.y), l.colour) << "tower " << l.level + 1 << " line " << l.y;
    }
    // The formula on its own: full red plus a green that overflows its field.
    EXPECT_EQ(back_colour(2040, 2040, 0), 0x37C0);
    EXPECT_EQ(back_colour(0, 2040 - 8 * 31, 2040), 0x38FF);
}

TEST_F(Sky, HighUpOnlyTheUpperBandShowsAndIsCut) {
    draw(0, -50);
    // The upper band starts at line 218 and is cut at 239.
    EXPECT_EQ(px(0, 217), 0xABCD);
    EXPECT_TRUE(whole_line(218, 0x0000));
    EXPECT_TRUE(whole_line(239, 21 * 2048));
    // No sea and no horizon strip.
    EXPECT_TRUE(queued_from(spr_backgnd).empty());
    // Scrolled so far that even the upper band is below the screen.
    fill_buffer(0xABCD);
    draw(0, -80);
    for (int y = 0; y < 240; ++y) ASSERT_TRUE(whole_line(y, 0xABCD)) << y;
}

TEST_F(Sky, HorizonCopiesTurnWithTheTower) {
    auto copies = [&](uint16_t rot, uint16_t tower) {
        tower_rotation = rot;
        draw(tower, 64);
        std::vector<int> xs;
        for (int i : queued_from(spr_backgnd)) {
            EXPECT_EQ(liste_sprites[i].dst.y, 161);
            EXPECT_EQ(liste_sprites[i].src.y, 16 * tower);
            EXPECT_EQ(liste_sprites[i].src.w, 64);
            xs.push_back(liste_sprites[i].dst.x);
        }
        return xs;
    };
    EXPECT_EQ(copies(0, 0), (std::vector<int>{0, 64, 128, 192, 256}));
    EXPECT_EQ(copies(1, 3), (std::vector<int>{-1, 63, 127, 191, 255, 319}));
    EXPECT_EQ(copies(63, 7), (std::vector<int>{-63, 1, 65, 129, 193, 257}));
    EXPECT_EQ(copies(64, 0), copies(0, 0));
}

TEST_F(Sky, StarsTurnScrollAndTwinkle) {
    // At the foot with no tower: two stars, from line 16 upward.
    nb_tiles_tour = 0;
    draw(0, 64);
    auto stars = queued_from(spr_etoiles);
    ASSERT_EQ(stars.size(), 2u);
    EXPECT_EQ(liste_sprites[stars[0]].dst.x, 0);
    EXPECT_EQ(liste_sprites[stars[0]].dst.y, 16);
    EXPECT_EQ(liste_sprites[stars[1]].dst.x, 80);
    EXPECT_EQ(liste_sprites[stars[1]].dst.y, 8);
    // Turned by 3: star 0 goes round to x 488, off screen.
    init_back(0);
    tower_rotation = 3;
    draw(0, 64);
    stars = queued_from(spr_etoiles);
    ASSERT_EQ(stars.size(), 1u);
    EXPECT_EQ(liste_sprites[stars[0]].dst.x, 56);

    // Star 32 reuses star 0's angle and twinkles with it.
    init_back(0);
    tower_rotation = 0;
    nb_sprites = 0;
    tower_offset_y = -200;  // 35 stars, star 32 at line 24
    aff_etoiles();
    nb_sprites = 0;
    aff_etoiles();  // star 0 now shows frame 1
    const sprite_entry* star32 = nullptr;
    for (int i : queued_from(spr_etoiles))
        if (liste_sprites[i].dst.y == 24) star32 = &liste_sprites[i];
    ASSERT_NE(star32, nullptr);
    EXPECT_EQ(star32->dst.x, 0);
    EXPECT_EQ(star32->src.x, 8);
}

TEST_F(Sky, OneStarAtATimeSwellsAndFades) {
    tower_rotation = 0;
    tower_offset_y = 64;
    nb_tiles_tour = 0;
    std::vector<int> frames0, frames1;
    for (int f = 0; f < 13; ++f) {
        nb_sprites = 0;
        aff_etoiles();
        auto stars = queued_from(spr_etoiles);
        ASSERT_EQ(stars.size(), 2u);
        frames0.push_back(liste_sprites[stars[0]].src.x / 8);
        frames1.push_back(liste_sprites[stars[1]].src.x / 8);
    }
    EXPECT_EQ(frames0, (std::vector<int>{0, 1, 2, 3, 2, 1, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(frames1, (std::vector<int>{0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 2, 1, 0}));
    EXPECT_EQ(star_idx, 2);
    // Round the table and back to the first star.
    for (int f = 13; f < 32 * 6; ++f) aff_etoiles();
    EXPECT_EQ(star_idx, 0);
    EXPECT_EQ(star_frm, 17);
    EXPECT_EQ(star_inc, 1);
}

// The water, against a plain reading of the mixing rule.
uint16_t mix_by_components(uint16_t p, uint16_t sea) {
    const rgb_color a = MakeRGB(p), s = MakeRGB(sea);
    const int r = (a.r + s.r) / 2, g = (a.g + s.g) / 2, b = (a.b + s.b) / 2;
    return static_cast<uint16_t>((r / 8) * 2048 + (g / 4) * 32 + b / 8);
}

TEST(WaterMix, HalfPictureHalfSea) {
    EXPECT_EQ(water_mix(0x0000, 25), 12);  // black on blue 25: blue 12
    EXPECT_EQ(water_mix(0xFFFF, 0x0000), 0x7BEF);
    EXPECT_EQ(water_mix(0xF800, 0x0800), 0x8000);
    uint32_t seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        const uint16_t p = static_cast<uint16_t>(seed >> 8);
        seed = seed * 1103515245u + 12345u;
        const uint16_t s = static_cast<uint16_t>(seed >> 8);
        ASSERT_EQ(water_mix(p, s), mix_by_components(p, s)) << std::hex << p << " " << s;
    }
}

class Water : public Sky {
  protected:
    std::vector<uint16_t> before;
    void SetUp() override {
        Sky::SetUp();
        // Every pixel different, the sea lines each with its own colour.
        uint32_t seed = 777;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) {
                seed = seed * 1103515245u + 12345u;
                px(x, y) = static_cast<uint16_t>(seed >> 12);
            }
        before.clear();
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) before.push_back(px(x, y));
    }
    uint16_t old(int x, int y) const { return before[y * 320 + x]; }
    int changed_lines() const {
        int n = 0;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x)
                if (px(x, y) != old(x, y)) {
                    ++n;
                    break;
                }
        return n;
    }
};

TEST_F(Water, MirrorsTheSceneAtHalfHeight) {
    tower_offset_y = 64;
    iSin = 10;  // the first water line gets phase 11: no shift
    aff_water();
    EXPECT_EQ(iSin, 11);
    for (int y = 0; y < 176; ++y)
        for (int x = 0; x < 320; ++x) ASSERT_EQ(px(x, y), old(x, y)) << x << "," << y;
    for (int y = 176; y < 240; ++y) {
        const int src = 176 - 2 * (y - 176 + 1);  // 174 for line 176, 48 for line 239
        const int d = SinTab1[(11 + y - 176) % 24];
        const uint16_t sea = old(0, y);
        for (int x = 0; x < 320; ++x) {
            // Pixels uncovered by the shift repeat the source's edge pixel.
            int from = x - d;
            if (from < 0) from = 0;
            if (from > 319) from = 320 + d;
            ASSERT_EQ(px(x, y), mix_by_components(old(from, src), sea))
                << "pixel " << x << "," << y << " shift " << d;
        }
    }
    EXPECT_EQ(changed_lines(), 64);
}

TEST_F(Water, ShiftedEdgesRepeatOneColour) {
    tower_offset_y = 64;
    iSin = 3;  // phase 4 on line 176: shifted 5 to the right
    aff_water();
    const uint16_t left = mix_by_components(old(0, 174), old(0, 176));
    for (int x = 0; x < 5; ++x) EXPECT_EQ(px(x, 176), left) << x;
    EXPECT_EQ(px(5, 176), left);  // the source's own first pixel, shifted
    EXPECT_EQ(px(319, 176), mix_by_components(old(314, 174), old(0, 176)));

    SetUp();
    tower_offset_y = 64;
    iSin = 15;  // phase 16: shifted 5 to the left
    aff_water();
    const uint16_t right = mix_by_components(old(315, 174), old(0, 176));
    for (int x = 315; x < 320; ++x) EXPECT_EQ(px(x, 176), right) << x;
    EXPECT_EQ(px(0, 176), mix_by_components(old(5, 174), old(0, 176)));
}

TEST_F(Water, StopsAtThePanelAndBelowTheScreen) {
    tower_offset_y = 64;
    flag_panel_displayed = 24;
    aff_water();
    EXPECT_EQ(changed_lines(), 40);  // 176 to 215
    for (int x = 0; x < 320; ++x) ASSERT_EQ(px(x, 216), old(x, 216));

    // Scrolled up: the water line is under the panel, nothing changes but
    // the wave still moves on and wraps after 24 phases.
    SetUp();
    tower_offset_y = 0;
    flag_panel_displayed = 0;
    iSin = 23;
    aff_water();
    EXPECT_EQ(iSin, 0);
    EXPECT_EQ(changed_lines(), 0);
    tower_offset_y = 20;
    flag_panel_displayed = 24;
    aff_water();
    EXPECT_EQ(changed_lines(), 0);
    EXPECT_EQ(iSin, 1);
}

}  // namespace
