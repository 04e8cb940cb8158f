// The tower enemies on hand-built towers: the spawn scan and the flyer's
// countdown, each kind's moves against the decor and each other, and what
// the frame draws and frees.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "blank_tower.h"
#include "decors.h"
#include "gfx.h"
#include "map.h"
#include "nmis.h"
#include "player.h"
#include "sim.h"
#include "tour.h"

namespace {

class Enemies : public testing::Test {
  protected:
    void SetUp() override {
        blank_map(47);
        clear_records();
        init_nmi_lvl(0);
        init_decors();
        tower_rotation = 0;
        tower_offset_y = 64;
        nb_sprites = 0;
        // The creature stands far above everything, in plain sight.
        player_map_x = 100;
        player_map_y = 400;
        player_num_anim = ANIM_IDLE;
        flag_player_aff = 1;
    }
    void TearDown() override { nb_sprites = 0; }

    static str_sprite& put(int i, int16_t status, int16_t x, int16_t y, int16_t dpl,
                           int16_t cpt = 0) {
        str_sprite& s = tab_sprites[i];
        s = str_sprite{status, status, x, y, 0, 0, dpl, 0, cpt, 4};
        return s;
    }
    static void steps(int row, int first, int last, uint8_t code = CELL_STEP) {
        for (int c = first; c <= last; ++c) map_cell(c, row) = code;
    }
    // The heights of record i after each of n frames.
    static std::vector<int> heights(int i, int n) {
        std::vector<int> ys;
        for (int k = 0; k < n; ++k) {
            gere_nmis();
            ys.push_back(tab_sprites[i].crdy);
        }
        return ys;
    }
    static int busy() {
        int n = 0;
        for (int i = 0; i < 4; ++i) n += tab_sprites[i].status != NMI_FREE;
        return n;
    }
};

using SpawnScan = Enemies;
using Flyer = Enemies;
using Bouncer = Enemies;
using Roller = Enemies;
using Patroller = Enemies;

TEST_F(SpawnScan, OneEnemyAFrameColumnByColumn) {
    map_cell(5, 3) = 0x10;
    map_cell(9, 3) = 0x50;
    map_cell(12, 3) = 0x91;  // a breaking step: solid, never an enemy
    map_cell(15, 4) = 0x60;
    offset_spawn = 3;

    spawn_nmi();
    const str_sprite& a = tab_sprites[0];
    EXPECT_EQ(a.status, NMI_APPEAR);
    EXPECT_EQ(a.type, NMI_ROLLER);
    EXPECT_EQ(a.dpl, 1);
    EXPECT_EQ(a.crdx, 44);
    EXPECT_EQ(a.crdy, 12);
    EXPECT_EQ(a.num_spr, 0);
    EXPECT_EQ(offset_spawn, 6 << 8 | 3) << "on to the next column of the row";
    spawn_nmi();
    const str_sprite& b = tab_sprites[1];
    EXPECT_EQ(b.type, NMI_VPATROL);
    EXPECT_EQ(b.dpl, 2);
    EXPECT_EQ(b.crdx, 76);
    EXPECT_EQ(offset_spawn, 10 << 8 | 3);
    spawn_nmi();  // nothing more in row 3
    EXPECT_EQ(busy(), 2);
    EXPECT_EQ(offset_spawn, 4);
    spawn_nmi();
    EXPECT_EQ(tab_sprites[2].type, NMI_HPATROL);
    EXPECT_EQ(tab_sprites[2].crdx, 124);
    EXPECT_EQ(offset_spawn, 5) << "column 15 leads to the next row";
}

TEST_F(SpawnScan, AFullTableOrTheArrivalHoldsTheScan) {
    map_cell(3, 2) = 0x20;
    offset_spawn = 2;
    for (int i = 0; i < 4; ++i) put(i, NMI_HPATROL, int16_t(20 * i), 200, 1);
    for (int k = 0; k < 10; ++k) spawn_nmi();
    EXPECT_EQ(offset_spawn, 2);
    EXPECT_EQ(flying_nmi_delay, 125) << "the flyer's countdown waits as well";
    tab_sprites[2].status = NMI_FREE;
    spawn_nmi();
    EXPECT_EQ(tab_sprites[2].status, NMI_APPEAR) << "the lowest free record";
    EXPECT_EQ(tab_sprites[2].type, NMI_BOUNCER);
    EXPECT_EQ(offset_spawn, 4 << 8 | 2);

    for (uint16_t anim : {ANIM_DROWN, ANIM_ENDLEVEL, ANIM_SUBWAY}) {
        clear_records();
        offset_spawn = 2;
        player_num_anim = anim;
        spawn_nmi();
        EXPECT_EQ(busy(), 0) << anim;
        EXPECT_EQ(offset_spawn, 2) << anim;
    }
}

TEST_F(SpawnScan, ClimbsARowAFrameUpToTheTopOfTheView) {
    // The top of the screen shows row (224 - tower_offset_y) / 8; the scan
    // looks at that row and waits above it, running the flyer's countdown.
    for (int k = 0; k < 21; ++k) spawn_nmi();
    EXPECT_EQ(offset_spawn, 21);
    EXPECT_EQ(flying_nmi_delay, 125);
    for (int k = 0; k < 10; ++k) spawn_nmi();
    EXPECT_EQ(offset_spawn, 21);
    EXPECT_EQ(flying_nmi_delay, 115);

    tower_offset_y = -100;  // 324 / 8 truncates to row 40
    for (int k = 0; k < 30; ++k) spawn_nmi();
    EXPECT_EQ(offset_spawn, 41);
    // The top of the tower ends the scan whatever the view shows.
    offset_spawn = 0;
    nb_tiles_tour = 30;
    for (int k = 0; k < 40; ++k) spawn_nmi();
    EXPECT_EQ(offset_spawn, 30);
}

TEST_F(SpawnScan, EachTowerHasItsSheet) {
    for (uint16_t lvl : {0, 4, 7, 2}) {
        init_nmi_lvl(lvl);
        char name[16];
        std::snprintf(name, sizeof name, "nmis%d.bmp", (lvl & 3) + 1);
        SDL_Surface* expected = load_bmp(name, true, 255, 0, 255);
        ASSERT_EQ(spr_nmis->h, expected->h);
        SDL_LockSurface(spr_nmis);
        SDL_LockSurface(expected);
        EXPECT_EQ(std::memcmp(spr_nmis->pixels, expected->pixels,
                              size_t(expected->pitch) * size_t(expected->h)),
                  0)
            << "tower " << lvl << " shows " << name;
        SDL_UnlockSurface(expected);
        SDL_UnlockSurface(spr_nmis);
        SDL_FreeSurface(expected);
    }
    // Each attempt starts the scan and the flyer afresh.
    offset_spawn = 33;
    flying_nmi_delay = -1;
    flying_nmi_sens = 2;
    init_nmi_lvl(0);
    EXPECT_EQ(offset_spawn, 0);
    EXPECT_EQ(flying_nmi_delay, 125);
    EXPECT_EQ(flying_nmi_sens, -2);
}

TEST_F(Flyer, CrossesFromAlternateSidesAtTheCreaturesHeight) {
    offset_spawn = 47;  // the scan has passed the top
    player_map_y = 120;
    for (int k = 0; k < 123; ++k) spawn_nmi();
    EXPECT_EQ(busy(), 0);
    spawn_nmi();  // the 124th quiet frame
    const str_sprite& f = tab_sprites[0];
    ASSERT_EQ(f.status, NMI_FLYER);
    EXPECT_EQ(f.crdx, -32);
    EXPECT_EQ(f.dpl, 2);
    EXPECT_EQ(f.crdy, 120);
    // The countdown runs down to -1 and rests there: no second flyer.
    for (int k = 0; k < 5; ++k) spawn_nmi();
    EXPECT_EQ(flying_nmi_delay, -1);
    EXPECT_EQ(busy(), 1);

    int frames = 0;
    while (f.crdx != 160 && frames < 200) gere_nmis(), ++frames;
    EXPECT_EQ(frames, 96);
    EXPECT_EQ(f.dpl, 4) << "twice as fast past the middle of the screen";
    player_map_y = 300;  // it keeps the height it was launched at
    while (f.status == NMI_FLYER && frames < 300) gere_nmis(), ++frames;
    EXPECT_EQ(frames, 96 + 41) << "freed once past x 320";
    EXPECT_EQ(flying_nmi_delay, 125);
    EXPECT_EQ(f.crdy, 120);

    for (int k = 0; k < 124; ++k) spawn_nmi();
    ASSERT_EQ(f.status, NMI_FLYER);
    EXPECT_EQ(f.crdx, 320);
    EXPECT_EQ(f.dpl, -2);
    EXPECT_EQ(f.crdy, 300);
}

TEST_F(Flyer, PictureChangesEveryTwoPixels) {
    str_sprite& f = put(2, NMI_FLYER, 6, 120, 2);
    tower_offset_y = -160;
    aff_flying_nmi();
    ASSERT_EQ(nb_sprites, 1);
    EXPECT_EQ(liste_sprites[0].surface, spr_flying);
    EXPECT_EQ(liste_sprites[0].src.y, 32 * 3);
    EXPECT_EQ(liste_sprites[0].dst.x, 6);
    EXPECT_EQ(liste_sprites[0].dst.y, 224 - 240 + 160);
    nb_sprites = 0;
    f.crdx = -31;  // -15 & 7
    aff_flying_nmi();
    EXPECT_EQ(liste_sprites[0].src.y, 32 * 1);
}

TEST_F(Enemies, AppearsInSixPicturesAndStepsAtOnce) {
    steps(1, 4, 6);
    str_sprite& e = put(0, NMI_APPEAR, 44, 8, 1);
    e.type = NMI_ROLLER;
    e.num_spr = 0;
    std::vector<int> pictures;
    for (int k = 0; k < 6; ++k) gere_nmis(), pictures.push_back(e.num_spr);
    EXPECT_EQ(pictures, (std::vector<int>{11, 10, 9, 11, 10, 9}));
    EXPECT_EQ(e.status, NMI_APPEAR);
    gere_nmis();
    EXPECT_EQ(e.status, NMI_ROLLER);
    EXPECT_EQ(e.num_spr, 5);
    EXPECT_EQ(e.crdx, 45) << "the first step in the same frame";

    str_sprite& v = put(1, NMI_VANISH, 100, 200, 1);
    pictures.clear();
    for (int k = 0; k < 6; ++k) gere_nmis(), pictures.push_back(v.num_spr);
    EXPECT_EQ(pictures, (std::vector<int>{9, 10, 11, 9, 10, 11}));
    gere_nmis();
    EXPECT_EQ(v.status, NMI_FREE);
}

TEST_F(Enemies, NothingIsDrawnInTheSpawnFrame) {
    steps(1, 3, 5);
    map_cell(4, 2) = 0x20;  // at the front centre
    auto drawn = [] {
        nb_sprites = 0;
        calc_crdz_nmis();
        build_spr_decors();
        std::vector<int> ys;
        for (int i = 0; i < nb_sprites; ++i)
            if (liste_sprites[i].surface == spr_nmis) ys.push_back(liste_sprites[i].src.y);
        return ys;
    };
    for (int k = 0; k < 3; ++k) spawn_nmi();
    ASSERT_EQ(tab_sprites[0].status, NMI_APPEAR);
    EXPECT_TRUE(drawn().empty());
    gere_nmis();
    EXPECT_EQ(drawn(), (std::vector<int>{16 * 11 - 64}));
}

TEST_F(Enemies, DecorWhereItStandsMakesItVanishAndDoNothingElse) {
    steps(1, 0, 15);
    map_cell(5, 2) = 0x80;  // as if a lift had risen into it
    str_sprite& e = put(0, NMI_BOUNCER, 44, 8, 1, 3);
    gere_nmis();
    EXPECT_EQ(e.status, NMI_VANISH);
    EXPECT_EQ(e.cpt, 0);
    EXPECT_EQ(e.crdx, 44);
    EXPECT_EQ(e.crdy, 8);
    int frames = 0;
    while (e.status != NMI_FREE && frames < 20) gere_nmis(), ++frames;
    EXPECT_EQ(frames, 7) << "the whole vanishing follows";
}

TEST_F(Bouncer, BouncesEveryElevenFramesOnFlatGround) {
    steps(1, 0, 15);
    str_sprite& e = put(0, NMI_BOUNCER, 44, 8, 1);
    const std::vector<int> arc{10, 12, 13, 14, 14, 14, 13, 12, 10, 8, 8};
    EXPECT_EQ(heights(0, 11), arc);
    EXPECT_EQ(e.cpt, 0);
    EXPECT_EQ(heights(0, 11), arc);
    EXPECT_EQ(e.crdx, 44 + 22);
}

TEST_F(Bouncer, ACeilingCutsTheRiseShortAndTheArcGoesOn) {
    steps(1, 0, 15);
    map_cell(5, 5) = CELL_STEP;  // box reaches row 5 from y 13
    put(0, NMI_BOUNCER, 44, 8, 0);
    const std::vector<int> arc{10, 12, 12, 12, 12, 12, 11, 10, 8, 8};
    EXPECT_EQ(heights(0, 10), arc);
    EXPECT_EQ(heights(0, 10), arc);
}

TEST_F(Bouncer, AWaitingBouncerSetsOffTowardsTheCreatureLevelWithIt) {
    steps(1, 0, 15);
    auto start = [](int d, uint16_t anim = ANIM_IDLE, uint8_t shown = 1, int dy = 0) {
        put(0, NMI_BOUNCER, 60, 8, 0, 10);  // about to land
        player_map_x = int16_t(60 + d);
        player_map_y = int16_t(8 + dy);
        player_num_anim = anim;
        flag_player_aff = shown;
        gere_nmis();
        return tab_sprites[0].dpl;
    };
    EXPECT_EQ(start(0), -1);
    EXPECT_EQ(start(1), 1);
    EXPECT_EQ(start(31), 1);
    EXPECT_EQ(start(32), 0);
    EXPECT_EQ(start(-31), -1);
    EXPECT_EQ(start(-32), 0);
    EXPECT_EQ(start(10, ANIM_JUMP), 0);
    EXPECT_EQ(start(10, ANIM_IDLE, 0), 0);
    EXPECT_EQ(start(10, ANIM_IDLE, 1, 1), 0);
    // Measured straight, not around the tower: from x 60, the creature at
    // x 2 is 58 units away even though x 120 would be nearer the other way.
    put(0, NMI_BOUNCER, 120, 8, 0, 10);
    player_map_x = 2;
    player_map_y = 8;
    gere_nmis();
    EXPECT_EQ(tab_sprites[0].dpl, 0);
    player_map_x = 100;
    player_map_y = 400;
    put(0, NMI_BOUNCER, 60, 8, -1, 10);
    gere_nmis();
    EXPECT_EQ(tab_sprites[0].dpl, -1) << "once moving it never stops";
}

TEST_F(Roller, TurnsBackAtTheEndsOfItsStep) {
    steps(1, 3, 5);  // x 24 to 47
    str_sprite& e = put(0, NMI_ROLLER, 44, 8, 1);
    int lo = 44, hi = 44;
    for (int k = 0; k < 80; ++k) {
        gere_nmis();
        ASSERT_EQ(e.status, NMI_ROLLER) << k;
        ASSERT_EQ(e.crdy, 8);
        lo = std::min<int>(lo, e.crdx);
        hi = std::max<int>(hi, e.crdx);
        if (k == 3) {
            EXPECT_EQ(e.crdx, 48) << "the step into the empty column stands";
            EXPECT_EQ(e.dpl, -1);
        }
    }
    EXPECT_EQ(lo, 23);
    EXPECT_EQ(hi, 48);
}

TEST_F(Roller, FallsWhenItsStepBreaksAwayAndRollsOnWhereItLands) {
    steps(1, 0, 15);
    map_cell(4, 5) = 0x91;
    str_sprite& e = put(0, NMI_ROLLER, 36, 24, 1);
    gere_nmis();
    EXPECT_EQ(e.status, NMI_ROLLER);
    map_cell(4, 5) = 0;  // broken away
    gere_nmis();
    EXPECT_EQ(e.status, NMI_FALLING);
    EXPECT_EQ(e.cpt, 10);
    EXPECT_EQ(heights(0, 5), (std::vector<int>{20, 16, 12, 8, 8}));
    EXPECT_EQ(e.status, NMI_ROLLER) << "landed";
    EXPECT_EQ(e.crdx, 38) << "a falling roller takes no sideways step";
    gere_nmis();
    EXPECT_EQ(e.crdx, 39);

    // With nothing below it falls into the sea.
    clear_records();
    steps(1, 0, 15, 0);
    str_sprite& s = put(0, NMI_ROLLER, 36, 8, 1);
    EXPECT_EQ(heights(0, 4), (std::vector<int>{8, 4, 0, 0}));
    EXPECT_EQ(s.status, NMI_VANISH);
}

TEST_F(Roller, SupportUnderItsCentre) {
    str_sprite& e = put(0, NMI_ROLLER, 36, 8, 1);
    const struct {
        uint8_t below;
        uint16_t verdict;
    } cases[] = {{0x81, 0}, {0x91, 0}, {0xB1, 0}, {0x80, 0}, {0x82, 0},
                 {0x85, 2}, {0x8D, 2}, {0x83, 1}, {0x00, 1}, {0x40, 1}};
    for (const auto& c : cases) {
        map_cell(4, 1) = c.below;
        EXPECT_EQ(ballh_col_dec(&e), c.verdict) << int(c.below);
    }
    // Row 0 has nothing under it, in column 0 as in the others: whatever
    // the top of the map holds, the roller falls.
    map_cell(0, 255) = CELL_STEP;
    map_cell(15, 255) = CELL_STEP;
    e.crdx = 4;
    e.crdy = 0;
    EXPECT_EQ(ballh_col_dec(&e), 1);
    e.crdx = 1;  // at the edge, looking at column 15
    EXPECT_EQ(ballh_col_dec(&e), 1);
}

TEST_F(Roller, StunnedForSeventySixFramesThenRollsOn) {
    steps(1, 0, 15);
    str_sprite& e = put(0, NMI_STUNNED, 36, 8, -1, 75);
    for (int k = 0; k < 75; ++k) gere_nmis();
    EXPECT_EQ(e.status, NMI_STUNNED);
    EXPECT_EQ(e.crdx, 36);
    gere_nmis();
    EXPECT_EQ(e.status, NMI_ROLLER);
    EXPECT_EQ(e.crdx, 36);
    gere_nmis();
    EXPECT_EQ(e.crdx, 35) << "the way it was going";
}

TEST_F(Roller, EnemiesTurnBackWhenTheyMeet) {
    steps(1, 0, 15);
    str_sprite& a = put(0, NMI_ROLLER, 40, 8, 1);
    str_sprite& b = put(1, NMI_ROLLER, 50, 8, -1);
    for (int k = 0; k < 4; ++k) gere_nmis();
    EXPECT_EQ(a.crdx, 43) << "its fourth step would have touched";
    EXPECT_EQ(a.dpl, -1);
    EXPECT_EQ(b.crdx, 46);
}

TEST_F(Patroller, VerticalAtTheFootAndUnderAStep) {
    str_sprite& low = put(0, NMI_VPATROL, 44, 1, -2);
    str_sprite& foot = put(1, NMI_VPATROL, 84, 2, -2);
    gere_nmis();
    EXPECT_EQ(low.status, NMI_VANISH) << "below the foot of the tower";
    EXPECT_EQ(low.cpt, 1) << "the patrol picture step counts the frame";
    EXPECT_EQ(low.crdy, 0);
    EXPECT_EQ(foot.status, NMI_VPATROL);
    EXPECT_EQ(foot.crdy, 0);

    clear_records();
    map_cell(2, 8) = CELL_STEP;
    str_sprite& up = put(2, NMI_VPATROL, 20, 20, 1);
    EXPECT_EQ(heights(2, 6), (std::vector<int>{21, 22, 23, 24, 24, 23}));
    EXPECT_EQ(up.dpl, -1);
    EXPECT_EQ(up.num_spr, 12 + 1) << "a new picture every 4 frames";
}

TEST_F(Patroller, HorizontalTurnsBackAtDecor) {
    map_cell(6, 3) = CELL_STEP;
    str_sprite& e = put(0, NMI_HPATROL, 40, 12, 1);
    for (int k = 0; k < 6; ++k) gere_nmis();
    EXPECT_EQ(e.crdx, 45);
    EXPECT_EQ(e.dpl, -1);
    EXPECT_EQ(e.crdy, 12);
}

// The creature rides a lift up from the foot while a roller rolls on the
// ring below: once the view has left it behind, the roller is freed.
struct RideUp {
    int freed_at = -1;
    int sy_when_freed = 0;
    bool knocked = false;
};

void ride_up_tower(void*) {
    std::memset(current_map, 0, MAP_COLUMNS * MAP_ROWS);
    for (int c = 0; c < 16; ++c) map_cell(c, 1) = CELL_STEP;
    map_cell(4, 1) = CELL_LIFT_BOTTOM;
    map_cell(4, 40) = 0x08;
    tab_sprites[0] = str_sprite{NMI_ROLLER, NMI_ROLLER, 100, 8, 0, 0, 1, 0, 0, 5};
}

void watch_ride(uint32_t frame, void* user) {
    RideUp& r = *static_cast<RideUp*>(user);
    if (player_num_anim == ANIM_KNOCKED) r.knocked = true;
    const str_sprite& s = tab_sprites[0];
    if (r.freed_at < 0 && s.status == NMI_FREE) {
        r.freed_at = int(frame);
        r.sy_when_freed = 224 - 2 * s.crdy - tower_offset_y;
    }
}

TEST(EnemiesInTheGame, AnEnemyLeftBelowTheScreenIsFreed) {
    RideUp ride;
    sim_options o;
    std::string error;
    ASSERT_TRUE(parse_input_script("0 U\n", o.input, error));
    o.frames = 120;
    o.place = true;
    o.place_x = 36;
    o.place_y = 8;
    o.before_first_frame = ride_up_tower;
    o.after_frame = watch_ride;
    o.user = &ride;
    sim_run(o);
    EXPECT_FALSE(ride.knocked);
    ASSERT_GT(ride.freed_at, 0);
    EXPECT_GT(ride.sy_when_freed, 240);
    EXPECT_LE(ride.sy_when_freed, 250) << "freed as soon as its picture left the screen";
}

}  // namespace
