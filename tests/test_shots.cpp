// The creature's shot: its course, and what it does to blocks and enemies.
#include <gtest/gtest.h>

#include <cstring>

#include "blank_tower.h"
#include "map.h"
#include "nmis.h"
#include "player_internal.h"

namespace {

class Shots : public testing::Test {
  protected:
    void SetUp() override {
        blank_map(40);
        clear_records();
        reset_score();
        init_bonus();
    }
    static str_sprite& shot() { return tab_sprites[4]; }
    static void throw_from(int16_t x, int16_t y, uint8_t facing) {
        player_map_x = x;
        player_map_y = y;
        flag_player_sens = facing;
        insert_fire();
    }
    static int steps_until_gone() {
        int steps = 0;
        while (shot().cpt != -1 && steps < 50) {
            gere_fire();
            ++steps;
        }
        return steps;
    }
};

}  // namespace

TEST_F(Shots, FliesTwelveStepsAroundTheTowerRisingFourUnits) {
    throw_from(127, 40, 0);
    EXPECT_EQ(shot().crdx, 0);
    EXPECT_EQ(shot().status, NMI_SHOT);
    for (int step = 0; step < 12; ++step) gere_fire();
    EXPECT_EQ(shot().crdx, 24);
    EXPECT_EQ(shot().crdy, 44);
    EXPECT_EQ(shot().num_spr, 3);
    gere_fire();
    EXPECT_EQ(shot().cpt, -1) << "gone on the 13th step";
    EXPECT_EQ(shot().status, NMI_FREE);

    throw_from(0, 40, 1);
    EXPECT_EQ(shot().crdx, 127);
    gere_fire();
    EXPECT_EQ(shot().crdx, 125);
}

TEST_F(Shots, BreaksAShootableBlockAndEndsOnAnyDecor) {
    map_cell(2, 10) = 0x82;
    throw_from(8, 40, 0);  // reaches x 18, inside the block's range, on step 5
    EXPECT_EQ(steps_until_gone(), 5);
    EXPECT_EQ(map_cell(2, 10), 0);
    EXPECT_EQ(get_score(), 0x50u);
    EXPECT_EQ(bonus_extra, 2);

    map_cell(2, 10) = 0x80;
    throw_from(8, 40, 0);
    EXPECT_EQ(steps_until_gone(), 5);
    EXPECT_EQ(map_cell(2, 10), 0x80) << "a column block stops the shot unbroken";
}

TEST_F(Shots, StunsRollersDestroysBouncersAndCannotHurtPatrollers) {
    const struct {
        int16_t status, after;
        uint32_t score;
    } cases[] = {
        {NMI_ROLLER, NMI_STUNNED, 0},
        {NMI_BOUNCER, NMI_VANISH, 0x100},
        {NMI_FALLING, NMI_VANISH, 0x100},
        {NMI_STUNNED, NMI_STUNNED, 0},
        {NMI_VPATROL, NMI_VPATROL, 0},
        {NMI_HPATROL, NMI_HPATROL, 0},
        // Not there for the shot: it flies through.
        {NMI_APPEAR, NMI_APPEAR, 0},
        {NMI_VANISH, NMI_VANISH, 0},
        {NMI_FLYER, NMI_FLYER, 0},
    };
    for (const auto& c : cases) {
        SetUp();
        str_sprite& e = tab_sprites[0];
        e = str_sprite{};
        e.status = c.status;
        e.crdx = 20;
        e.crdy = 40;
        e.cpt = 33;
        throw_from(14, 40, 0);
        gere_fire();  // x 17
        gere_fire();  // x 19: touching
        const bool met = c.status != NMI_APPEAR && c.status != NMI_VANISH && c.status != NMI_FLYER;
        EXPECT_EQ(shot().cpt == -1, met) << c.status;
        EXPECT_EQ(e.status, c.after) << c.status;
        EXPECT_EQ(get_score(), c.score) << c.status;
        if (c.status == NMI_ROLLER) {
            EXPECT_EQ(e.cpt, 75);
        }
        if (c.status == NMI_STUNNED) {
            EXPECT_EQ(e.cpt, 33) << "the countdown does not restart";
        }
        if (c.after == NMI_VANISH && c.status != NMI_VANISH) {
            EXPECT_EQ(bonus_extra, 5);
        }
    }
}
