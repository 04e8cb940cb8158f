// The interlevel: the submarine's steering, countdown and way out, its
// bullet, and the fish it stuns and catches, frame by frame in the
// interlevel loop's order.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "Ascelon.h"
#include "blank_tower.h"
#include "controls.h"
#include "gfx.h"
#include "nmis.h"
#include "panel.h"
#include "player.h"
#include "sim.h"

namespace {

class Interlevel : public testing::Test {
  protected:
    void SetUp() override {
        clear_records();
        // Where a tower's end sequence leaves the submarine.
        player_scr_x = 0;
        player_scr_y = -20;
        reset_all_nmis();
        init_ilvars_player();
        init_il_fishs();
        ctrl_player = 0;
        idx_fish = 0;
        set_time(0);
        reset_score();
        lives = 3;
        nb_sprites = 0;
    }
    void TearDown() override { nb_sprites = 0; }

    // The interlevel loop's updates for one frame.
    static void frame(uint32_t buttons = 0) {
        ctrl_player = buttons;
        gere_il_subway();
        gere_il_bullet();
        gere_il_fishs();
        gere_il_cols();
    }
    static str_sprite& fish(int i) { return tab_sprites[i]; }
    static str_sprite& bullet() { return tab_sprites[3]; }
    static void put_fish(int i, int16_t status, int16_t type, int16_t x, int16_t y, int16_t dpl) {
        str_sprite& f = fish(i);
        f.status = status;
        f.type = type;
        f.crdx = x;
        f.crdy = y;
        f.dpl = dpl;
        f.num_spr = 0;
    }
    static int clock_units() {
        return time_level[0] / 8 * 100 + time_level[1] / 8 * 10 + time_level[2] / 8;
    }
};

using Submarine = Interlevel;
using Fish = Interlevel;

TEST_F(Submarine, LeftAloneItSinksAPixelEveryOtherFrameFromTheTopLeftToTheBottom) {
    std::vector<int> ys;
    for (int f = 0; f < 6; ++f) {
        frame();
        ys.push_back(player_scr_y);
        EXPECT_EQ(player_scr_x, 40);
    }
    EXPECT_EQ(ys, (std::vector<int>{44, 45, 45, 46, 46, 47}));
    while (player_scr_y < 120) frame();
    EXPECT_EQ(num_il_frame, 1024 - 152) << "76 pixels at one per two frames";
    for (int f = 0; f < 10; ++f) frame();
    EXPECT_EQ(player_scr_y, 120) << "it rests on the bottom limit";
}

TEST_F(Submarine, SteeringIsClampedAndLeftBeatsRightAndUpBeatsDown) {
    frame();
    player_scr_x = 100;
    player_scr_y = 80;
    frame(CTRL_LEFT | CTRL_RIGHT | CTRL_UP | CTRL_DOWN);
    EXPECT_EQ(player_scr_x, 98);
    EXPECT_EQ(player_scr_y, 78);
    const uint16_t incy = incy_il_subway;
    frame(CTRL_DOWN);
    EXPECT_EQ(player_scr_y, 80);
    EXPECT_EQ(incy_il_subway, incy) << "held up or down, it does not sink";

    for (int f = 0; f < 60; ++f) frame(CTRL_RIGHT | CTRL_DOWN);
    EXPECT_EQ(player_scr_x, 160);
    EXPECT_EQ(player_scr_y, 120);
    for (int f = 0; f < 70; ++f) frame(CTRL_LEFT | CTRL_UP);
    EXPECT_EQ(player_scr_x, 40);
    EXPECT_EQ(player_scr_y, 44);
}

TEST_F(Submarine, SteersForTheFirst1023FramesThenLeavesByX120AndTheSurface) {
    for (int f = 0; f < 1023; ++f) frame();
    EXPECT_EQ(flag_player_ilstate, 0);
    EXPECT_EQ(num_il_frame, 1);
    EXPECT_EQ(player_scr_x, 40);
    EXPECT_EQ(player_scr_y, 120);

    // The 1024th frame: the count ends, the submarine already moves, and
    // neither the stick nor fire does anything any more.
    frame(CTRL_LEFT | CTRL_FIRE);
    EXPECT_EQ(flag_player_ilstate, 1);
    EXPECT_EQ(player_scr_x, 42);
    EXPECT_EQ(bullet().status, 0);

    int frames = 1;
    while (player_scr_x != 120) {
        frame(CTRL_FIRE);
        ++frames;
    }
    EXPECT_EQ(frames, 40);
    EXPECT_EQ(player_scr_y, 120);
    frames = 0;
    while (player_scr_y != -10) {
        frame();
        ++frames;
    }
    EXPECT_EQ(frames, 65);
    EXPECT_EQ(flag_player_ilstate, 1);
    frame();
    EXPECT_EQ(flag_player_ilstate, 2);
    const int16_t x = player_scr_x, y = player_scr_y;
    frame(CTRL_RIGHT);
    EXPECT_EQ(player_scr_x, x) << "over: nothing moves";
    EXPECT_EQ(player_scr_y, y);
}

TEST_F(Submarine, FromAnOddHeightItRisesOnePixelTooFarAndIsPutBack) {
    flag_player_ilstate = 1;
    player_scr_x = 120;
    player_scr_y = 11;
    std::vector<int> ys;
    while (flag_player_ilstate == 1 && ys.size() < 50) {
        frame();
        ys.push_back(player_scr_y);
    }
    ASSERT_EQ(ys.size(), 13u);
    EXPECT_EQ(ys[10], -11);
    EXPECT_EQ(ys[11], -10);
    EXPECT_EQ(ys[12], -10);
    EXPECT_EQ(flag_player_ilstate, 2);
}

TEST_F(Submarine, TheBulletLeavesTheBowAndIsGoneInItsFourteenthFrame) {
    frame();
    player_scr_x = 160;
    player_scr_y = 100;
    frame(CTRL_FIRE);
    EXPECT_EQ(bullet().status, 3);
    EXPECT_EQ(bullet().crdx, 188) << "launched at 184, already moved";
    EXPECT_EQ(bullet().crdy, player_scr_y + 8);
    const int16_t y = bullet().crdy;
    int frames = 1;
    while (bullet().status == 3 && frames < 30) {
        frame(CTRL_FIRE | CTRL_UP);  // held fire launches no second bullet
        ++frames;
        if (bullet().status == 3) {
            EXPECT_EQ(bullet().crdy, y) << "it runs straight";
        }
    }
    EXPECT_EQ(frames, 14);
    EXPECT_EQ(bullet().crdx, 240);
    frame(CTRL_FIRE);
    EXPECT_EQ(bullet().status, 3) << "fire still held: a new bullet at once";
    EXPECT_EQ(bullet().crdx, player_scr_x + 28);
}

TEST_F(Fish, TheFirstTwoFishOfARun) {
    std::vector<int> xs;
    int left = -1;
    for (int f = 0; f < 200; ++f) {
        frame();
        if (f == 49) {
            EXPECT_EQ(fish(0).status, 0) << "nothing before the 51st frame";
            EXPECT_EQ(timer_fishs, 0);
        }
        if (f == 50) {
            EXPECT_EQ(fish(0).status, 1);
            EXPECT_EQ(fish(0).type, 0);
            EXPECT_EQ(fish(0).crdx, 320) << "a fish starts where it is";
            EXPECT_EQ(fish(0).crdy, 50);
            EXPECT_EQ(fish(0).dpl, 0);
            EXPECT_EQ(timer_fishs, 49);
            EXPECT_EQ(idx_fish, 1);
        }
        if (f > 50 && f <= 53) xs.push_back(fish(0).crdx);
        if (f == 100) {
            EXPECT_EQ(fish(1).status, 1);
            EXPECT_EQ(fish(1).type, 1);
            EXPECT_EQ(fish(1).crdy, 100);
            EXPECT_EQ(fish(1).dpl, 2);
        }
        if (f == 101) {
            EXPECT_EQ(fish(1).crdx, 318) << "a climbing or diving fish swims at 2";
            EXPECT_EQ(fish(1).crdy, 102);
        }
        if (left < 0 && f > 50 && fish(0).status == 0) left = f;
    }
    EXPECT_EQ(xs, (std::vector<int>{316, 312, 308}));
    EXPECT_EQ(left - 50, 86) << "344 pixels at 4 a frame";
}

TEST_F(Fish, BounceOffTheTopAndTheBottomOfTheSea) {
    timer_fishs = 100;
    put_fish(0, 1, 1, 200, 45, -3);
    put_fish(1, 1, 2, 200, 195, 3);
    gere_il_fishs();
    EXPECT_EQ(fish(0).crdy, 44);
    EXPECT_EQ(fish(0).dpl, 3);
    EXPECT_EQ(fish(1).crdy, 196);
    EXPECT_EQ(fish(1).dpl, -3);
    gere_il_fishs();
    EXPECT_EQ(fish(0).crdy, 47);
    EXPECT_EQ(fish(1).crdy, 193);
    EXPECT_EQ(fish(0).crdx, 196);
    EXPECT_EQ(fish(0).num_spr, 2);

    // Reaching a limit exactly is no bounce yet.
    put_fish(0, 1, 0, 200, 46, -2);
    put_fish(1, 1, 0, 200, 194, 2);
    gere_il_fishs();
    EXPECT_EQ(fish(0).crdy, 44);
    EXPECT_EQ(fish(0).dpl, -2);
    EXPECT_EQ(fish(1).crdy, 196);
    EXPECT_EQ(fish(1).dpl, 2);
}

TEST_F(Fish, TheBulletStunsOnlyTheLowerNumberedOfTwoFishAndTheirStepShrinksToItsSign) {
    frame();
    timer_fishs = 100;
    put_fish(0, 1, 1, 200, 80, -3);
    put_fish(1, 1, 0, 198, 82, 0);
    put_fish(2, 1, 2, 202, 84, 2);
    bullet().status = 3;
    bullet().crdx = 196;
    bullet().crdy = 90;
    col_fishs_bullet();
    EXPECT_EQ(bullet().status, 0) << "the bullet is spent";
    EXPECT_EQ(fish(0).status, 2);
    EXPECT_EQ(fish(0).dpl, -1);
    EXPECT_EQ(fish(1).status, 1);
    EXPECT_EQ(fish(2).status, 1);

    // Stunned fish are passed through; a level fish keeps its speed.
    bullet().status = 3;
    col_fishs_bullet();
    EXPECT_EQ(fish(1).status, 2);
    EXPECT_EQ(fish(1).dpl, 0);
    bullet().status = 3;
    col_fishs_bullet();
    EXPECT_EQ(fish(2).dpl, 1);
    gere_il_fishs();
    EXPECT_EQ(fish(0).crdx, 198);
    EXPECT_EQ(fish(0).crdy, 79);
    EXPECT_EQ(fish(1).crdx, 194);
    EXPECT_EQ(fish(1).crdy, 82);

    // The edges of the bullet's reach: 8 pixels right and below, 23 left and up.
    bullet().status = 3;
    put_fish(0, 1, 0, 108, 58, 0);
    bullet().crdx = 100;
    bullet().crdy = 49;
    col_fishs_bullet();
    EXPECT_EQ(fish(0).status, 1) << "the fish one pixel below the bullet's reach";
    bullet().crdy = 50;
    col_fishs_bullet();
    EXPECT_EQ(fish(0).status, 2);
    bullet().status = 3;
    put_fish(0, 1, 0, 76, 58, 0);
    bullet().crdx = 99;
    bullet().crdy = 82;
    col_fishs_bullet();
    EXPECT_EQ(fish(0).status, 1) << "the fish one pixel above the bullet's reach";
    bullet().crdx = 100;
    bullet().crdy = 81;
    col_fishs_bullet();
    EXPECT_EQ(fish(0).status, 1) << "the fish one pixel left of the bullet's reach";
    bullet().crdx = 99;
    col_fishs_bullet();
    EXPECT_EQ(fish(0).status, 2);
}

TEST_F(Fish, ACaughtFishGivesTimeByTypeAndPointsForTypesOneAndTwo) {
    frame();
    player_scr_x = 100;
    player_scr_y = 80;
    put_fish(0, 2, 0, 123, 99, 0);  // the box's right and bottom edges
    gere_il_cols();
    EXPECT_EQ(fish(0).status, 0);
    EXPECT_EQ(clock_units(), 2);
    EXPECT_EQ(get_score(), 0u);

    put_fish(0, 2, 2, 77, 57, 0);  // left and top edges
    gere_il_cols();
    EXPECT_EQ(fish(0).status, 0);
    EXPECT_EQ(clock_units(), 8);
    EXPECT_EQ(get_score(), 0x20u);

    // Two at once, and one just out of reach on each side.
    put_fish(0, 2, 1, 110, 90, 1);
    put_fish(1, 2, 1, 90, 70, -1);
    put_fish(2, 2, 2, 124, 80, 1);
    gere_il_cols();
    EXPECT_EQ(fish(0).status, 0);
    EXPECT_EQ(fish(1).status, 0);
    EXPECT_EQ(fish(2).status, 2);
    EXPECT_EQ(clock_units(), 16);
    EXPECT_EQ(get_score(), 0x40u);
    put_fish(2, 2, 2, 100, 100, 1);
    put_fish(1, 2, 2, 76, 80, 1);
    put_fish(0, 2, 2, 100, 56, 1);
    gere_il_cols();
    EXPECT_EQ(fish(0).status + fish(1).status + fish(2).status, 6);

    // A swimming fish is not caught: it swims through the submarine.
    put_fish(0, 1, 2, 100, 80, 0);
    gere_il_cols();
    EXPECT_EQ(fish(0).status, 1);
    EXPECT_EQ(clock_units(), 16);
    // The panel shows the fish time on its tens and units drums.
    EXPECT_EQ(time_level[1], 8);
    EXPECT_EQ(time_level[2], 48);
}

TEST_F(Fish, NoFishStartsWhileTheThreeRecordsAreBusyNorOnceTheTimeIsUp) {
    timer_fishs = 0;
    idx_fish = 7;
    put_fish(0, 1, 0, 300, 60, 1);
    put_fish(1, 2, 0, 300, 100, 1);
    put_fish(2, 1, 0, 300, 140, 1);
    for (int f = 0; f < 5; ++f) gere_il_fishs();
    EXPECT_EQ(timer_fishs, 0);
    EXPECT_EQ(idx_fish, 7);
    fish(1).status = 0;
    gere_il_fishs();
    EXPECT_EQ(fish(1).status, 1);
    EXPECT_EQ(fish(1).crdx, 320);
    EXPECT_EQ(fish(1).crdy, 70);  // the eighth of the sequence
    EXPECT_EQ(fish(1).type, 0);
    EXPECT_EQ(idx_fish, 8);
    EXPECT_EQ(timer_fishs, 49);

    fish(1).status = 0;
    timer_fishs = 0;
    flag_player_ilstate = 1;
    gere_il_fishs();
    EXPECT_EQ(fish(1).status, 0) << "the submarine is leaving";
    EXPECT_EQ(fish(0).crdx, 286) << "the others swim on";
}

TEST_F(Fish, TheSequenceRepeatsEvery32FishAndTypesPickTheirSteps) {
    // Fish 9 is the first of type 2, fish 41 the same fish a round later.
    for (uint16_t start : {9, 41}) {
        SetUp();
        idx_fish = start;
        timer_fishs = 0;
        gere_il_fishs();
        EXPECT_EQ(fish(0).type, 2);
        EXPECT_EQ(fish(0).crdy, 86);
        EXPECT_EQ(fish(0).dpl, -3);
    }
    // Index 65535 wraps to 0 after it: the tables are read with masks.
    SetUp();
    idx_fish = 0xFFFF;
    timer_fishs = 0;
    gere_il_fishs();
    EXPECT_EQ(fish(0).crdy, 82);
    EXPECT_EQ(fish(0).type, 1);
    EXPECT_EQ(fish(0).dpl, -3);
    EXPECT_EQ(idx_fish, 0);
}

TEST_F(Interlevel, SpritesNearestFirstWithTheStunnedPicturesForAnyType) {
    frame();
    player_scr_x = 100;
    player_scr_y = 80;
    bullet().status = 3;
    bullet().crdx = 150;
    bullet().crdy = 88;
    put_fish(0, 1, 2, 200, 60, 1);
    fish(0).num_spr = 13;
    put_fish(2, 2, 1, 250, 100, 1);
    fish(2).num_spr = 4;
    nb_sprites = 0;
    aff_il_subway();
    aff_il_bullet();
    aff_il_fishs();
    ASSERT_EQ(nb_sprites, 7);
    struct expect {
        int x, y, src_y;
        SDL_Surface* s;
    };
    const expect want[] = {{88, 60, 0, spr_subway},       {64, 80, 32, spr_subway},
                           {88, 80, 64, spr_subway},      {112, 80, 96, spr_subway},
                           {150, 88, 0, spr_torpille},    {200, 60, 32 * 11, spr_fishs},
                           {250, 100, 32 * 13, spr_fishs}};
    for (int i = 0; i < 7; ++i) {
        const sprite_entry& e = liste_sprites[i];
        EXPECT_EQ(e.dst.x, want[i].x) << "entry " << i;
        EXPECT_EQ(e.dst.y, want[i].y) << "entry " << i;
        EXPECT_EQ(e.src.y, want[i].src_y) << "entry " << i;
        EXPECT_EQ(e.surface, want[i].s) << "entry " << i;
    }
}

// Two interlevels in one run: the second one's first fish is the one after
// the last fish of the first, and the clock it starts from is the game
// flow's cleared clock.
TEST(InterlevelRun, ASecondInterlevelContinuesTheFishSequence) {
    sim_options o;
    o.interlevel = true;
    o.idx_fish = 0;
    o.frames = 2000;
    const sim_result first = sim_run(o);
    EXPECT_EQ(first.end, sim_end::interlevel_over);
    EXPECT_EQ(first.frames_run, 1023u + 40 + 65 + 1);
    const uint16_t after = idx_fish;
    EXPECT_EQ(after, 18) << "fish 0 to 17 started while the submarine steered";

    struct seen {
        bool ok = false;
        int16_t crdy = 0, type = 0, dpl = 0;
    } s;
    o.idx_fish = -1;
    o.frames = 51;
    o.after_frame = [](uint32_t frame, void* user) {
        if (frame != 50) return;
        seen& s = *static_cast<seen*>(user);
        s = {tab_sprites[0].status == 1, tab_sprites[0].crdy, tab_sprites[0].type,
             tab_sprites[0].dpl};
    };
    o.user = &s;
    sim_run(o);
    EXPECT_TRUE(s.ok);
    EXPECT_EQ(s.crdy, 80);  // fish 18
    EXPECT_EQ(s.type, 1);
    EXPECT_EQ(s.dpl, -2);
    EXPECT_EQ(idx_fish, after + 1);
}

}  // namespace

namespace {

TEST(InterlevelRun, SelectEndsTheInterlevelAtOnce) {
    // Pressed before the first frame: the set-up runs, no frame, the panel
    // is hidden.
    exit_game = 1;
    flag_panel_displayed = 24;
    interlevel();
    EXPECT_EQ(num_il_frame, 0) << "no frame was played";
    EXPECT_EQ(flag_player_ilstate, 0);
    EXPECT_EQ(flag_panel_displayed, 0);
    exit_game = 0;

    // Pressed in the middle of it.
    sim_options o;
    o.interlevel = true;
    o.frames = 2000;
    std::string error;
    ASSERT_TRUE(parse_input_script("0 F\n100 S\n", o.input, error)) << error;
    const sim_result r = sim_run(o);
    EXPECT_EQ(r.end, sim_end::exit);
    EXPECT_EQ(r.frames_run, 101u);
    EXPECT_EQ(num_il_frame, 1024 - 100) << "frame 100 stopped before the submarine moved";
    exit_game = 0;
}

}  // namespace
