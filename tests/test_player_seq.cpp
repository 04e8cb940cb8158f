// The creature's longer passages on a hand-built tower: doors, lifts, the
// arrival by submarine and the departure while the tower sinks.
#include <vector>

#include "gfx.h"
#include "player_fixture.h"
#include "tour.h"

namespace {

using Door = PlayerTest;

// A tunnel door in column 2 (rows 2-4) facing one in column 10.
static void build_tunnel(bool floor_behind) {
    for (int r = 2; r <= 4; ++r) map_cell(2, r) = map_cell(10, r) = 0x83;
    map_cell(1, 1) = map_cell(2, 1) = map_cell(3, 1) = CELL_STEP;
    if (floor_behind) map_cell(9, 1) = map_cell(10, 1) = map_cell(11, 1) = CELL_STEP;
}

TEST_F(Door, PassageCentresHidesThirtyTwoFramesAndComesOutHalfATurnAway) {
    build_tunnel(true);
    stand(18, 8);  // column 2, two units left of its centre
    frame(CTRL_UP);
    EXPECT_EQ(player_num_anim, ANIM_TUNNEL);
    EXPECT_EQ(player_num_spr, 12);
    std::vector<int> sprs;
    int hidden = 0, calls = 0, first_hidden = -1;
    while (player_num_anim == ANIM_TUNNEL && calls < 100) {
        frame(0);
        ++calls;
        if (!flag_player_aff) {
            if (first_hidden < 0) first_hidden = calls;
            ++hidden;
        } else {
            sprs.push_back(player_num_spr);
        }
    }
    EXPECT_EQ(crdx_togo, 84u);    // centred at 20 before the crossing
    EXPECT_EQ(first_hidden, 11);  // 4 frames facing the door, 6 stepping in
    EXPECT_EQ(hidden, 32);        // 64 units at 2 a frame
    EXPECT_EQ(player_map_x, 84);
    EXPECT_EQ(player_map_x & 7, 4);
    EXPECT_EQ(player_map_y, 8);
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
    EXPECT_EQ(calls, 51);
    const std::vector<int> expect = {16,  17,  18, 19,            // facing the door
                                     148, 20,  21, 149, 150, 22,  // stepping in
                                     151, 152, 25, 25,            // out: entries 0, 2, 4
                                     11,  10,  9,  8,             // turning back
                                     8};                          // idle again
    EXPECT_EQ(sprs, expect);
}

TEST_F(Door, ExitOverNothingDropsARowAFrameThenTurnsBack) {
    for (int r = 5; r <= 7; ++r) map_cell(2, r) = map_cell(10, r) = 0x83;
    map_cell(2, 4) = CELL_STEP;   // the door's sill on this side
    map_cell(10, 1) = CELL_STEP;  // on the far side only the ground row
    stand(20, 20, 1);             // centred, facing left
    frame(CTRL_UP);
    std::vector<int> ys;
    std::vector<int> fr;
    while (player_num_anim == ANIM_TUNNEL && ys.size() < 100) {
        frame(0);
        if (player_num_frame >= 29) {
            ys.push_back(player_map_y);
            fr.push_back(player_num_frame);
        }
    }
    // Hidden 32 frames, then 3 drops of 4 while the exit pictures play.
    EXPECT_EQ(ys, (std::vector<int>{20, 16, 12, 8, 8, 8, 8, 8, 8, 8}));
    EXPECT_EQ(fr, (std::vector<int>{29, 30, 31, 32, 34, 36, 37, 38, 39, 40}));
    EXPECT_EQ(player_map_x, 84);
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
}

TEST_F(Door, DirectionHeldAtTheExitChoosesTheFacing) {
    build_tunnel(true);
    stand(20, 8);
    frame(CTRL_UP);
    while (player_num_frame < 35 && player_num_anim == ANIM_TUNNEL) frame(0);
    frame(CTRL_LEFT);
    EXPECT_EQ(flag_player_sens, 1);
    std::vector<int> sprs;
    while (player_num_anim == ANIM_TUNNEL) {
        frame(0);
        sprs.push_back(player_num_spr);
    }
    EXPECT_EQ(sprs, (std::vector<int>{11, 138, 137, 136, 136}));
}

TEST_F(Door, ExitDoorHandsOverToTheLevelLoopThenTheDeparture) {
    steps(42, 0, 15);
    for (int r = 43; r <= 45; ++r) map_cell(4, r) = CELL_EXIT_DOOR;
    stand(36, 172);
    frame(CTRL_UP);
    EXPECT_EQ(flag_finish_level, 1);
    EXPECT_EQ(player_num_anim, ANIM_TUNNEL);
    int calls = 0;
    while (flag_finish_level != 3 && calls < 50) {
        ctrl_player = 0;
        gere_player();
        gere_col_player();
        ++calls;
        if (flag_finish_level == 2) {
            EXPECT_EQ(flag_player_aff, 0);
            flag_finish_level = 3;  // the level loop, in the same frame
        }
    }
    EXPECT_EQ(calls, 11);  // hidden in the first frame inside
    frame(0);              // one frame of the way out, then the departure
    EXPECT_EQ(flag_player_aff, 1);
    EXPECT_EQ(player_num_spr, 151);
    EXPECT_EQ(player_num_anim, ANIM_ENDLEVEL);
    EXPECT_EQ(player_num_frame, 0);
}

using Lift = PlayerTest;

// A lift in column 5: bottom stop at row 1, middle stop at row 4, top at 7.
static void build_lift() {
    map_cell(4, 1) = CELL_STEP;
    map_cell(5, 1) = CELL_LIFT_BOTTOM;
    map_cell(5, 4) = 0x0C;
    map_cell(5, 7) = 0x08;
}

static std::vector<int> shaft() {
    std::vector<int> cells;
    for (int r = 1; r <= 7; ++r) cells.push_back(map_cell(5, r));
    return cells;
}

TEST_F(Lift, RidesUpPastTheHeldMiddleStopAndBackDownWritingTheShaft) {
    build_lift();
    stand(42, 8);
    frame(CTRL_UP);
    EXPECT_EQ(player_num_anim, ANIM_LIFT);
    EXPECT_EQ(dir_dpl_ascenseur, 1);
    frame(CTRL_UP);  // walks to the middle of the platform
    frame(CTRL_UP);
    EXPECT_EQ(player_map_x, 44);
    EXPECT_EQ(player_map_y, 8);
    EXPECT_EQ(flag_player_ascenseur, -1);
    frame(CTRL_UP);  // boards and rises at once
    EXPECT_EQ(flag_player_ascenseur, 1);
    EXPECT_EQ(player_map_y, 9);
    EXPECT_EQ(map_cell(5, 1), 0x84);
    int calls = 1;
    while (player_num_anim == ANIM_LIFT && calls < 100) {
        frame(CTRL_UP);
        ++calls;
    }
    EXPECT_EQ(calls, 24);  // one unit a frame, 6 rows
    EXPECT_EQ(player_map_y, 32);
    EXPECT_EQ(flag_player_ascenseur, -1);
    EXPECT_EQ(shaft(), (std::vector<int>{0x84, 0x80, 0x80, 0x8C, 0x80, 0x80, 0x89}));
    // Left at its top stop, the lift is handed to the return records.
    EXPECT_EQ(tab_piliers[0].cell, &map_cell(5, 7));
    EXPECT_EQ(tab_piliers[0].wait, 125);

    // From the top the lift can only go down; up does nothing.
    frame(CTRL_UP);
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
    EXPECT_EQ(player_num_spr, 12);
    frame(CTRL_DOWN);
    EXPECT_EQ(player_num_anim, ANIM_LIFT);
    EXPECT_EQ(tab_piliers[0].wait, -1);  // boarded: it no longer returns by itself
    calls = 0;
    while (player_num_anim == ANIM_LIFT && calls < 100) {
        frame(CTRL_DOWN);
        ++calls;
        if (player_map_y == 24) {
            // The rows above are already bare markers again.
            EXPECT_EQ(map_cell(5, 7), 0x08);
            EXPECT_EQ(map_cell(5, 6), 0x00);
            EXPECT_EQ(map_cell(5, 5), 0x00);
            EXPECT_EQ(map_cell(5, 4), 0x8C);
        }
    }
    EXPECT_EQ(calls, 24);
    EXPECT_EQ(player_map_y, 8);
    EXPECT_EQ(shaft(), (std::vector<int>{0x85, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x08}));
}

TEST_F(Lift, StopsAtTheMiddleStopWhenTheButtonIsLetGo) {
    build_lift();
    stand(44, 8);
    frame(CTRL_UP);
    int calls = 0;
    while (player_num_anim == ANIM_LIFT && calls < 100) {
        frame(0);
        ++calls;
    }
    EXPECT_EQ(calls, 12);
    EXPECT_EQ(player_map_y, 20);
    EXPECT_EQ(shaft(), (std::vector<int>{0x84, 0x80, 0x80, 0x8D, 0x00, 0x00, 0x08}));
    // A middle stop goes either way: down takes it back to the bottom.
    frame(CTRL_DOWN);
    EXPECT_EQ(player_num_anim, ANIM_LIFT);
    EXPECT_EQ(dir_dpl_ascenseur, -1);
    while (player_num_anim == ANIM_LIFT && calls++ < 100) frame(0);
    EXPECT_EQ(player_map_y, 8);
    EXPECT_EQ(shaft(), (std::vector<int>{0x85, 0x00, 0x00, 0x0C, 0x00, 0x00, 0x08}));
    // And down on a bottom stop only shows the standing frame.
    player_num_spr = 3;
    frame(CTRL_DOWN);
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
    EXPECT_EQ(player_num_spr, 12);
}

// With the bottom block (0x84) shot away, riding back down finds no bottom
// stop marker: the lift stops at the foot of the tower instead of carrying
// the creature below row 0.
TEST_F(Lift, WithItsBottomBlockShotAwayTheRideDownEndsAtTheFoot) {
    build_lift();
    stand(44, 8);
    frame(CTRL_UP);
    int calls = 0;
    while (player_num_anim == ANIM_LIFT && calls++ < 100) frame(CTRL_UP);
    ASSERT_EQ(player_map_y, 32);
    map_cell(5, 1) = 0x00;  // what a shot leaves of the 0x84
    frame(CTRL_DOWN);
    calls = 0;
    while (player_num_anim == ANIM_LIFT && calls++ < 100) frame(CTRL_DOWN);
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
    EXPECT_EQ(player_map_y, 4);
    EXPECT_EQ(map_cell(5, 0), 0x85);
    EXPECT_EQ(map_cell(5, 1), 0x00);
    EXPECT_EQ(map_cell(4, 255), 0x00);
    EXPECT_EQ(map_cell(5, 255), 0x00);
    EXPECT_EQ(tab_piliers[0].wait, -1) << "at its bottom stop it needs no return";
    // Standing on it, down does nothing more; up rides it again.
    frame(CTRL_DOWN);
    EXPECT_EQ(player_map_y, 4);
}

TEST_F(Lift, CarryingTheRiderIntoDecorKnocksItOffAtTheNextRow) {
    build_lift();
    map_cell(5, 6) = CELL_STEP;  // a step across the shaft
    stand(44, 8);
    frame(CTRL_UP);
    int calls = 0;
    while (player_num_anim == ANIM_LIFT && calls < 100) {
        frame(CTRL_UP);
        ++calls;
        if (player_map_y == 15) {
            EXPECT_EQ(flag_player_ascenseur2, 1);  // box reaches row 6
        }
    }
    EXPECT_EQ(player_num_anim, ANIM_KNOCKED);
    EXPECT_EQ(player_map_y, 16);  // held until the row boundary
    EXPECT_EQ(lg_seq_heurte, 20);
    EXPECT_EQ(flag_player_ascenseur, -1);
    EXPECT_EQ(flag_player_ascenseur2, 0);
    // The lift stays where its rider left it, as a middle stop that returns.
    EXPECT_EQ(map_cell(5, 3), CELL_LIFT_MIDDLE);
    EXPECT_EQ(tab_piliers[0].cell, &map_cell(5, 3));
}

using Arrival = PlayerTest;

TEST_F(Arrival, SeventyFramesVisibleFromTheNineteenthThenTheClockRuns) {
    steps(1, 0, 15);
    init_vars_player();
    int first_visible = 0, calls = 0;
    while (player_num_anim == ANIM_SUBWAY && calls < 200) {
        EXPECT_EQ(flag_decrement_time, 0);
        frame(CTRL_RIGHT | CTRL_FIRE);  // buttons mean nothing meanwhile
        ++calls;
        if (flag_player_aff && !first_visible) first_visible = calls;
        if (calls < 70) {
            EXPECT_EQ(buffer->clip_rect.h, 178);
        }
    }
    EXPECT_EQ(calls, 70);
    EXPECT_EQ(first_visible, 19);
    EXPECT_EQ(flag_decrement_time, 1);
    EXPECT_EQ(player_map_x, 4);
    EXPECT_EQ(player_map_y, 8);
    EXPECT_EQ(player_scr_x, 0);
    EXPECT_EQ(player_scr_y, -20);
    EXPECT_EQ(buffer->clip_rect.h, 240);
}

TEST_F(Arrival, SubmarineSegmentsSitAtTheFootAndHideUnderWater) {
    tower_offset_y = 64;
    player_scr_x = -24;
    player_scr_y = -2;  // surfaced, dome open
    nb_sprites = 0;
    aff_subway();
    ASSERT_EQ(nb_sprites, 4);
    EXPECT_EQ(liste_sprites[0].dst.x, 124);  // the dome, first on top
    EXPECT_EQ(liste_sprites[0].dst.y, 140);
    EXPECT_EQ(liste_sprites[0].src.y, 0);
    const int xs[] = {124, 148, 172};
    for (int i = 1; i < 4; ++i) {
        EXPECT_EQ(liste_sprites[i].dst.x, xs[i - 1]);
        EXPECT_EQ(liste_sprites[i].dst.y, 160);
        EXPECT_EQ(liste_sprites[i].src.y, 32 * i);
        EXPECT_EQ(liste_sprites[i].surface, spr_subway);
    }
    player_scr_y = -10;  // hull under, dome still out
    nb_sprites = 0;
    aff_subway();
    EXPECT_EQ(nb_sprites, 1);
    player_scr_y = -20;
    nb_sprites = 0;
    aff_subway();
    EXPECT_EQ(nb_sprites, 0);
}

using Departure = PlayerTest;

TEST_F(Departure, TowerSinksToSixRowsThenTheSubmarineTakesTheCreature) {
    steps(42, 0, 3);
    map_cell(4, 42) = CELL_STEP;
    for (int r = 43; r <= 45; ++r) map_cell(4, r) = CELL_EXIT_DOOR;
    map_cell(9, 30) = CELL_STEP;  // below the sinking band: eaten by it
    stand(36, 172);
    player_num_anim = ANIM_ENDLEVEL;
    flag_finish_level = 3;
    int sink = 0;
    while (nb_tiles_tour > 6 && sink < 100) {
        frame(0);
        ++sink;
        EXPECT_EQ(player_map_y, 172 - 4 * sink);
        EXPECT_EQ(flag_decrement_time, 0);
    }
    EXPECT_EQ(sink, 41);
    EXPECT_EQ(player_num_frame, 0);
    // The top six rows came down whole: step row, door rows.
    EXPECT_EQ(map_cell(4, 1), CELL_STEP);
    EXPECT_EQ(map_cell(0, 1), CELL_STEP);
    for (int r = 2; r <= 4; ++r) EXPECT_EQ(map_cell(4, r), CELL_EXIT_DOOR);
    EXPECT_EQ(map_cell(9, 30), 0);
    int calls = 0;
    while (flag_finish_level != 4 && calls < 200) {
        frame(0);
        ++calls;
        if (calls < 70) {
            EXPECT_EQ(buffer->clip_rect.h, 178);
        }
    }
    EXPECT_EQ(calls, 70);  // 18 + 12 + 8 + 12 + 1 + 18 + 1
    EXPECT_EQ(player_map_y, 0);
    EXPECT_EQ(flag_player_aff, 0);
    EXPECT_EQ(player_scr_y, -20);
    EXPECT_EQ(buffer->clip_rect.h, 240);
}

TEST_F(Departure, ALowTowerGoesStraightToTheSubmarine) {
    nb_tiles_tour = 6;
    stand(36, 20);
    player_num_anim = ANIM_ENDLEVEL;
    frame(0);
    EXPECT_EQ(player_num_frame, 1);
    EXPECT_EQ(player_scr_y, -19);
    EXPECT_EQ(nb_tiles_tour, 6);
}

}  // namespace
