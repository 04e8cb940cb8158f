// The creature's ordinary moves on a hand-built tower: jumps, falls, edges,
// turns, throws, knock-backs and drowning.
#include <vector>

#include "gfx.h"
#include "player_fixture.h"
#include "tour.h"

namespace {

class Jump : public PlayerTest {
  protected:
    // Starts a long jump to the right and gives the creature's y after each
    // frame of it.
    static std::vector<int> long_jump_to_the_right() {
        frame(CTRL_RIGHT | CTRL_FIRE);
        std::vector<int> ys;
        while (player_num_anim == ANIM_JUMP && ys.size() < 20) {
            frame(0);
            ys.push_back(player_map_y);
        }
        return ys;
    }
};

TEST_F(Jump, LongJumpInOpenSpaceRisesNineAndLandsWithTwoFrames) {
    steps(1, 0, 15);  // a full ring: ground everywhere at y 8
    stand(4, 8);
    std::vector<int> ys;
    frame(CTRL_RIGHT | CTRL_FIRE);  // the take-off frame only sets up the jump
    EXPECT_EQ(player_num_anim, ANIM_JUMP);
    EXPECT_EQ(lg_seq_saut, 12);
    for (int i = 0; i < 12; ++i) {
        frame(CTRL_RIGHT);
        EXPECT_EQ(player_num_spr, static_cast<uint16_t>(i & 7));
        ys.push_back(player_map_y);
    }
    EXPECT_EQ(ys, (std::vector<int>{11, 13, 15, 16, 17, 17, 17, 16, 15, 13, 11, 8}));
    EXPECT_EQ(player_map_x, 16);  // 12 units along
    // Table exhausted on the ground: the fall state shows the landing.
    EXPECT_EQ(player_num_anim, ANIM_FALL);
    std::vector<int> sprs;
    while (player_num_anim == ANIM_FALL && sprs.size() < 10) {
        frame(0);
        sprs.push_back(player_num_spr);
        EXPECT_EQ(player_map_y, 8);
    }
    ASSERT_GE(sprs.size(), 2u);
    EXPECT_EQ(sprs[sprs.size() - 2], 13);
    EXPECT_EQ(sprs.back(), 12);
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
}

TEST_F(Jump, DescentOntoAHigherStepShrinksTheStepAndLandsWithoutLandingFrames) {
    steps(1, 0, 15);
    map_cell(2, 2) = CELL_STEP;  // one row up, ahead
    stand(4, 8);
    const std::vector<int> ys = long_jump_to_the_right();
    // Frame 10 wants -2 (to 11) but meets the step: -1 fits (12). Frame 11
    // wants -3 and shrinks to nothing: it stands on the step.
    EXPECT_EQ(ys, (std::vector<int>{11, 13, 15, 16, 17, 17, 17, 16, 15, 13, 12, 12}));
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
    EXPECT_EQ(player_num_frame, 0);
    EXPECT_EQ(player_map_x, 16);
}

TEST_F(Jump, AscentUnderACeilingGivesUpForTheFrame) {
    steps(1, 0, 15);
    steps(5, 0, 15);  // its underside at y 20: the 10-unit box fits up to y 10
    stand(4, 8);
    const std::vector<int> ys = long_jump_to_the_right();
    EXPECT_EQ(ys, (std::vector<int>{10, 10, 10, 10, 10, 10, 10, 9, 8, 8}));
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
}

TEST_F(Jump, WalkingIntoAStepHopsOntoIt) {
    steps(1, 0, 15);
    map_cell(1, 2) = CELL_STEP;  // a step one row up, just ahead
    stand(5, 8);
    frame(CTRL_RIGHT);  // x 6 would touch it: a hop instead of a step
    EXPECT_EQ(player_map_x, 5);
    EXPECT_EQ(player_num_anim, ANIM_JUMP);
    EXPECT_EQ(lg_seq_saut, 8);
    EXPECT_EQ(flag_petit_saut, 1);
    std::vector<std::pair<int, int>> path;
    while (player_num_anim == ANIM_JUMP && path.size() < 20) {
        frame(CTRL_RIGHT);
        path.emplace_back(player_map_x, player_map_y);
    }
    // Sideways blocked until the creature has risen above the step.
    EXPECT_EQ(path, (std::vector<std::pair<int, int>>{
                        {5, 10}, {5, 12}, {6, 13}, {7, 13}, {8, 12}, {9, 12}}));
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
}

TEST_F(Jump, FreeWalkStepsOneUnitAFrameThroughTheCycle) {
    steps(1, 0, 15);
    stand(4, 8);
    for (int i = 1; i <= 9; ++i) {
        frame(CTRL_RIGHT);
        EXPECT_EQ(player_map_x, 4 + i);
        EXPECT_EQ(player_num_spr, static_cast<uint16_t>(i & 7));
    }
    frame(0);
    EXPECT_EQ(player_num_spr, 12);  // standing
}

using Fall = PlayerTest;

TEST_F(Fall, AcceleratesToFourUnitsAFrame) {
    stand(20, 200);  // nothing underneath
    frame(0);
    EXPECT_EQ(player_num_anim, ANIM_FALL);
    EXPECT_EQ(player_num_spr, 0);
    std::vector<int> drops;
    int y = player_map_y;
    for (int i = 0; i < 6; ++i) {
        frame(0);
        drops.push_back(y - player_map_y);
        y = player_map_y;
    }
    EXPECT_EQ(drops, (std::vector<int>{1, 2, 3, 4, 4, 4}));
}

TEST_F(Fall, LandsOnAStepThroughShrinkingSteps) {
    steps(1, 0, 15);
    stand(20, 23);  // 15 units above the ground at 8
    frame(0);
    std::vector<int> ys;
    while (player_num_anim == ANIM_FALL && ys.size() < 20) {
        frame(0);
        ys.push_back(player_map_y);
    }
    // 1, 2, 3, 4, 4 units; the last unit to the floor is found by shrinking
    // the drop; then the two landing frames.
    EXPECT_EQ(ys, (std::vector<int>{22, 20, 17, 13, 9, 8, 8, 8}));
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
}

TEST_F(Fall, SidewaysFallIgnoresGroundForItsFirstTwoFrames) {
    steps(1, 0, 0);  // one step, column 0 only
    stand(7, 8);
    frame(CTRL_RIGHT);  // x 8: the step is now the previous column
    EXPECT_EQ(player_map_x, 8);
    frame(0);
    EXPECT_EQ(player_num_anim, ANIM_FALL);
    EXPECT_EQ(player_num_spr, 15);  // tipping forward
    EXPECT_EQ(dplx_chute, 1);
    // Two frames drifting while the box still touches column 0's step,
    // then the fall proper.
    std::vector<std::pair<int, int>> path;
    for (int i = 0; i < 5; ++i) {
        frame(0);
        path.emplace_back(player_map_x, player_map_y);
    }
    EXPECT_EQ(path, (std::vector<std::pair<int, int>>{{9, 8}, {10, 8}, {11, 7}, {12, 5}, {13, 2}}));
    EXPECT_EQ(player_num_spr, 15);  // kept all through the fall
}

TEST_F(Fall, AFallWithNoSpeedInsideDecorNeverRises) {
    // A jump that ends on ground keeps the fall speed of an earlier fall,
    // which is 0 before the first one. Ending it with the creature's box in
    // a block must not shrink the drop below nothing: that would carry the
    // creature up through the tower, one block at a time.
    steps(1, 0, 15);
    map_cell(2, 2) = CELL_BLOCK;
    map_cell(2, 3) = CELL_BLOCK;
    stand(20, 8);
    player_num_anim = ANIM_FALL;
    player_num_frame = 0;
    vitesse_chute = 0;
    for (int i = 0; i < 6; ++i) {
        frame(0);
        EXPECT_EQ(player_map_y, 8) << "frame " << i;
    }
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
    EXPECT_GE(vitesse_chute, 0);
}

// The support rule as the game describes it, computed independently of
// the table: the creature stands on its own column's cell; the other cell
// only tips it one way or the other.
static uint16_t expected_verdict(int x7, bool left, bool right, bool facing_left) {
    const bool own = x7 >= 6 ? left : right;
    if (own) return 0;
    int dir = 0;  // +1 toward larger x, -1 toward smaller x
    if (x7 <= 2 && left) dir = 1;
    if (x7 >= 6 && right) dir = -1;
    if (dir == 0) return 1;
    const int ahead = facing_left ? -1 : 1;
    return dir == ahead ? 2 : 3;
}

using Edge = PlayerTest;

TEST_F(Edge, EveryVerdictForBothFacingsFollowsTheSupportRule) {
    int seen[4] = {};
    for (int x7 = 0; x7 < 8; ++x7)
        for (int s = 0; s < 4; ++s)
            for (uint8_t facing = 0; facing < 2; ++facing) {
                std::memset(current_map, 0, MAP_COLUMNS * MAP_ROWS);
                const int x = 40 + x7;  // column 5
                const int left = ((x - 6) / 8) & 15;
                if (s & 2) map_cell(left, 1) = CELL_STEP;
                if (s & 1) map_cell(left + 1, 1) = CELL_STEP;
                stand(static_cast<int16_t>(x), 8, facing);
                const uint16_t v = test_player_edge();
                EXPECT_EQ(v, expected_verdict(x7, s & 2, s & 1, facing))
                    << "x&7=" << x7 << " s=" << s << " facing=" << int(facing);
                ++seen[v];
            }
    for (int v = 0; v < 4; ++v) EXPECT_GT(seen[v], 0) << "verdict " << v << " never met";
}

TEST_F(Edge, DoorsGiveNoSupportAndTheWrapAroundColumnCounts) {
    map_cell(5, 1) = 0x83;
    stand(44, 8);
    EXPECT_EQ(test_player_edge(), 1);
    map_cell(5, 1) = CELL_EXIT_DOOR;
    EXPECT_EQ(test_player_edge(), 1);
    // x 1: the previous column is 15, around the tower.
    std::memset(current_map, 0, MAP_COLUMNS * MAP_ROWS);
    map_cell(15, 1) = CELL_STEP;
    stand(1, 8);
    EXPECT_EQ(test_player_edge(), 2);
    stand(1, 8, 1);
    EXPECT_EQ(test_player_edge(), 3);
}

TEST_F(Edge, IdleStartsTheFallTheVerdictAsks) {
    struct {
        int x;
        uint8_t facing;
        uint16_t spr;
        int16_t drift;
    } cases[] = {
        {44, 0, 0, 0},    // x&7 4, previous column only: straight down
        {41, 0, 15, 1},   // x&7 1, previous column: forward, facing right
        {41, 1, 14, 1},   // the same facing left: backward, still toward +x
        {47, 0, 14, -1},  // x&7 7, next column only: backward facing right
        {47, 1, 15, -1},  // forward facing left
    };
    for (const auto& c : cases) {
        std::memset(current_map, 0, MAP_COLUMNS * MAP_ROWS);
        const int left = ((c.x - 6) / 8) & 15;
        if ((c.x & 7) < 6)
            map_cell(left, 1) = CELL_STEP;
        else
            map_cell(left + 1, 1) = CELL_STEP;
        stand(static_cast<int16_t>(c.x), 8, c.facing);
        player_num_frame = 5;
        frame(0);
        EXPECT_EQ(player_num_anim, ANIM_FALL) << c.x;
        EXPECT_EQ(player_num_spr, c.spr) << c.x << " facing " << int(c.facing);
        EXPECT_EQ(dplx_chute, c.drift) << c.x << " facing " << int(c.facing);
        EXPECT_EQ(vitesse_chute, 1);
        EXPECT_EQ(cpt_chute, -1);
        EXPECT_EQ(player_num_frame, 0);
    }
}

using Cells = PlayerTest;

TEST_F(Cells, BreakingStepVanishesAndTheCreatureFallsThatFrame) {
    map_cell(4, 1) = 0x91;
    map_cell(3, 1) = CELL_STEP;
    stand(36, 8);
    frame(0);
    EXPECT_EQ(map_cell(4, 1), 0);
    EXPECT_EQ(player_num_anim, ANIM_FALL);
}

TEST_F(Cells, SlipperyStepPushesOnlyAnIdleCreatureUntilAWall) {
    steps(1, 3, 6, 0xB1);   // towards +x
    map_cell(6, 2) = 0x80;  // a column block: stops x from 48 on
    stand(28, 8);
    frame(0);
    EXPECT_EQ(player_map_x, 29);
    for (int i = 0; i < 30; ++i) frame(0);
    EXPECT_EQ(player_map_x, 47);  // the block's range starts at 48
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
    // Walking against the push is not slowed.
    for (int i = 0; i < 8; ++i) frame(CTRL_LEFT);  // turn first
    const int x = player_map_x;
    frame(CTRL_LEFT);
    EXPECT_EQ(player_map_x, x - 1);
    // A slope towards -x, and plain steps push nothing.
    map_cell(2, 1) = 0xA1;
    stand(20, 8);
    EXPECT_EQ(test_block_glissant(), -1);
    map_cell(2, 1) = 0x91;
    EXPECT_EQ(test_block_glissant(), 0);
}

TEST_F(Cells, DoorAndLiftQueriesReadTheRightCells) {
    stand(36, 8);  // own cell (4, 2), cell under (4, 1)
    EXPECT_EQ(test_tunnel(), -1);
    map_cell(4, 2) = 0x83;
    EXPECT_EQ(test_tunnel(), 0);
    map_cell(4, 2) = CELL_EXIT_DOOR;
    EXPECT_EQ(test_tunnel(), 0x40);
    const std::pair<uint8_t, int16_t> lifts[] = {{0x85, 1}, {0x89, -1}, {0x8D, 0},
                                                 {0x81, 2}, {0x84, 2},  {0x0C, 2}};
    for (const auto& l : lifts) {
        map_cell(4, 1) = l.first;
        EXPECT_EQ(test_ascenseur(), l.second) << std::hex << int(l.first);
    }
}

TEST_F(Cells, MovesAreUndoneWhenTheyCollideAndYBelowZeroDrowns) {
    steps(1, 0, 15);
    map_cell(6, 2) = 0x80;
    stand(47, 8);
    EXPECT_EQ(test_player_movex(1), 1);
    EXPECT_EQ(player_map_x, 47);
    stand(127, 8);
    EXPECT_EQ(test_player_movex(1), 0);
    EXPECT_EQ(player_map_x, 0);
    EXPECT_EQ(test_player_movey(-1), 1);
    EXPECT_EQ(player_map_y, 8);
    std::memset(current_map, 0, MAP_COLUMNS * MAP_ROWS);
    stand(40, 3);
    EXPECT_EQ(test_player_movey(-5), 0);
    EXPECT_EQ(player_num_anim, ANIM_DROWN);
    EXPECT_EQ(player_num_frame, 1);
    EXPECT_EQ(player_map_y, 0);
    EXPECT_EQ(flag_decrement_time, 0);
}

using Turn = PlayerTest;

TEST_F(Turn, SevenFramesFlippingOnTheFourthThenWalkingStarts) {
    steps(1, 0, 15);
    stand(44, 8);
    frame(CTRL_LEFT);
    EXPECT_EQ(player_num_anim, ANIM_TURN);
    std::vector<int> sprs, facing;
    for (int i = 0; i < 7; ++i) {
        frame(CTRL_LEFT);
        sprs.push_back(player_num_spr);
        facing.push_back(flag_player_sens);
    }
    EXPECT_EQ(sprs, (std::vector<int>{8, 9, 10, 11, 10, 9, 8}));
    EXPECT_EQ(facing, (std::vector<int>{0, 0, 0, 1, 1, 1, 1}));
    EXPECT_EQ(player_map_x, 44);
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
    frame(CTRL_LEFT);
    EXPECT_EQ(player_map_x, 43);
}

using Throw = PlayerTest;

TEST_F(Throw, OncePerPressAndNeverWhileTheShotFlies) {
    steps(1, 0, 15);
    stand(44, 8);
    tab_sprites[4].cpt = 3;  // a shot in flight
    player_num_spr = 7;
    player_num_frame = 4;
    frame(CTRL_FIRE);
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
    EXPECT_EQ(player_num_frame, 0);
    EXPECT_EQ(player_num_spr, 7);  // nothing else happens
    EXPECT_EQ(flag_player_fire, 0);
    tab_sprites[4].cpt = -1;  // the shot is gone: the held button throws now
    frame(CTRL_FIRE);
    EXPECT_EQ(player_num_anim, ANIM_FIRE);
    EXPECT_EQ(flag_player_fire, 1);
    std::vector<int> sprs;
    for (int i = 0; i < 4; ++i) {
        frame(CTRL_FIRE);
        sprs.push_back(player_num_spr);
    }
    EXPECT_EQ(sprs, (std::vector<int>{26, 27, 26, 26}));
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
    // Held on: no second throw until the button is let go.
    for (int i = 0; i < 5; ++i) frame(CTRL_FIRE);
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
    EXPECT_EQ(player_num_spr, 12);
    frame(0);
    EXPECT_EQ(flag_player_fire, 0);
    for (int n = 0; tab_sprites[4].cpt != -1 && n < 20; ++n) frame(0);  // the shot ends
    frame(CTRL_FIRE);
    EXPECT_EQ(player_num_anim, ANIM_FIRE);
}

using Knock = PlayerTest;

TEST_F(Knock, FlightHeightsForBothLengthsThenAStraightFall) {
    for (uint16_t length : {15, 20}) {
        stand(44, 300);
        player_num_anim = ANIM_KNOCKED;
        lg_seq_heurte = length;
        int top = 0;
        std::vector<int> sprs;
        for (int i = 0; i < length; ++i) {
            frame(0);
            top = std::max<int>(top, player_map_y);
            sprs.push_back(player_num_spr);
        }
        EXPECT_EQ(top, 308);
        EXPECT_EQ(player_map_y, length == 15 ? 288 : 268);
        EXPECT_EQ(sprs[0], 0);
        EXPECT_EQ(sprs[2], 28);
        EXPECT_EQ(sprs[7], 30);
        frame(0);  // the flight's end: one more row down, then a fall
        EXPECT_EQ(player_map_y, length == 15 ? 284 : 264);
        EXPECT_EQ(player_num_anim, ANIM_FALL);
        EXPECT_EQ(vitesse_chute, 1);
        EXPECT_EQ(dplx_chute, 0);
    }
}

TEST_F(Knock, EndingInsideDecorDropsARowAFrameUntilFree) {
    steps(66, 0, 15);  // the flight passes through it untested
    stand(44, 300);
    player_num_anim = ANIM_KNOCKED;
    lg_seq_heurte = 20;
    for (int i = 0; i < 20; ++i) frame(0);
    EXPECT_EQ(player_map_y, 268);
    std::vector<int> ys;
    while (player_num_anim == ANIM_KNOCKED && ys.size() < 10) {
        frame(0);
        ys.push_back(player_map_y);
        if (ys.size() == 1) {
            EXPECT_EQ(player_num_spr, 20);
        }
    }
    // The box (3 rows from the feet) leaves row 66 at y 252.
    EXPECT_EQ(ys, (std::vector<int>{264, 260, 256, 252}));
    EXPECT_EQ(player_num_anim, ANIM_FALL);
}

TEST_F(Knock, FlightBelowTheFootDrowns) {
    stand(44, 5);
    player_num_anim = ANIM_KNOCKED;
    lg_seq_heurte = 20;
    int n = 0;
    while (player_num_anim == ANIM_KNOCKED && n++ < 30) frame(0);
    EXPECT_EQ(player_num_anim, ANIM_DROWN);
    EXPECT_EQ(player_map_y, 0);
    EXPECT_EQ(player_num_frame, 1);
    EXPECT_EQ(flag_decrement_time, 0);
    // 5 + 3 + 2 + 1 + 1 + 1 + 0 + 0 - 1 - 2 - 2 - 3 - 3 = 2; -3 goes below.
    EXPECT_EQ(n, 13);
}

// Moving enemies meet the creature in the level loop's order: they move,
// then the creature's contact test knocks it off.
TEST_F(Knock, ARollerOrTheFlyerMeetingTheCreatureKnocksItOff) {
    steps(1, 0, 15);
    stand(40, 8);
    init_bonus();
    const uint16_t tech = bonus_tech;
    tab_sprites[0] = str_sprite{NMI_ROLLER, NMI_ROLLER, 30, 8, 0, 0, 1, 0, 0, 5};
    int frames = 0;
    while (player_num_anim == ANIM_IDLE && frames < 20) frame(0), ++frames;
    EXPECT_EQ(frames, 6) << "the probe reaches 4 units behind the creature";
    EXPECT_EQ(tab_sprites[0].crdx, 36);
    EXPECT_EQ(player_num_anim, ANIM_KNOCKED);
    EXPECT_EQ(lg_seq_heurte, 20);
    EXPECT_EQ(bonus_tech, tech - 2);
    EXPECT_EQ(tab_sprites[0].status, NMI_ROLLER) << "the enemy itself is not changed";

    clear_records();
    stand(40, 8);
    tab_sprites[1] = str_sprite{NMI_FLYER, 0, 130, 8, 0, 0, 2, 0, 0, 0};
    frame(0);  // x 132
    EXPECT_EQ(player_num_anim, ANIM_IDLE);
    frame(0);  // x 134: in the window around the creature's screen x
    EXPECT_EQ(player_num_anim, ANIM_KNOCKED);
    EXPECT_EQ(lg_seq_heurte, 15);
}

using Drown = PlayerTest;

TEST_F(Drown, TwentyThreeFramesShownThirtyTwoHiddenThenDead) {
    stand(44, 2);
    player_start_drowning();
    std::vector<int> shown;
    int hidden = 0, calls = 0;
    while (!flag_player_dead && calls < 100) {
        frame(0);
        ++calls;
        if (flag_player_dead) break;
        if (flag_player_aff)
            shown.push_back(player_num_spr);
        else
            ++hidden;
    }
    EXPECT_EQ(calls, 56);
    EXPECT_EQ(hidden, 32);
    std::vector<int> expect(3, 0);
    for (int f = 1; f <= 5; ++f) expect.insert(expect.end(), 4, f);
    EXPECT_EQ(shown, expect);
    frame(0);
    EXPECT_EQ(flag_player_dead, 1);  // stays set
}

TEST_F(Drown, JumpOffTheFootDrownsFromFrameTwo) {
    stand(44, 1);  // nothing below: a jump comes down into the sea
    player_num_anim = ANIM_JUMP;
    player_dpl_x = 1;
    lg_seq_saut = 8;
    flag_petit_saut = 1;
    player_num_frame = 5;  // the -2 step
    frame(0);
    EXPECT_EQ(player_num_anim, ANIM_DROWN);
    EXPECT_EQ(player_num_frame, 2);
}

using Draw = PlayerTest;

TEST_F(Draw, SheetFrameAndScreenHeight) {
    tower_offset_y = tower_offset_y2 = -120;
    stand(44, 100);
    player_num_spr = 5;
    nb_sprites = 0;
    aff_player();
    ASSERT_EQ(nb_sprites, 1);
    EXPECT_EQ(liste_sprites[0].dst.x, 144);
    EXPECT_EQ(liste_sprites[0].dst.y, 140);
    EXPECT_EQ(liste_sprites[0].src.y, 160);
    EXPECT_EQ(liste_sprites[0].surface, spr_player);
    // Mirrored frame, camera lagging 6 pixels, a lift platform under the feet.
    player_num_spr = 0x80 | 20;
    tower_offset_y2 = -126;
    flag_player_ascenseur = 1;
    nb_sprites = 0;
    aff_player();
    ASSERT_EQ(nb_sprites, 2);
    EXPECT_EQ(liste_sprites[0].surface, spr_player2);
    EXPECT_EQ(liste_sprites[0].src.y, 640);
    EXPECT_EQ(liste_sprites[0].dst.y, 134);
    EXPECT_EQ(liste_sprites[1].src.y, 1184);
    EXPECT_EQ(liste_sprites[1].dst.y, 153);
    EXPECT_EQ(liste_sprites[1].surface, spr_player);
    // At the foot the camera stops and the creature moves on the screen.
    tower_offset_y = tower_offset_y2 = 64;
    flag_player_ascenseur = -1;
    player_map_y = 3;
    player_num_spr = 12;
    flag_player_sens = 1;
    nb_sprites = 0;
    aff_player();
    ASSERT_EQ(nb_sprites, 1);
    EXPECT_EQ(liste_sprites[0].dst.y, 150);
    EXPECT_EQ(liste_sprites[0].surface, spr_player2);
    // Drowning frames come from 31 on; past 5 nothing is drawn.
    player_num_anim = ANIM_DROWN;
    player_num_spr = 2;
    nb_sprites = 0;
    aff_player();
    ASSERT_EQ(nb_sprites, 1);
    EXPECT_EQ(liste_sprites[0].src.y, 32 * 33);
    player_num_spr = 6;
    nb_sprites = 0;
    aff_player();
    EXPECT_EQ(nb_sprites, 0);
    flag_player_aff = 0;
    player_num_anim = ANIM_IDLE;
    aff_player();
    EXPECT_EQ(nb_sprites, 0);
}

}  // namespace
