// The creature's shot: its course, the blocks it breaks, the enemies it
// stuns or destroys.
#include <vector>

#include "player_fixture.h"

namespace {

using Shot = PlayerTest;

TEST_F(Shot, FliesTwelveStepsAroundTheTowerRisingFourUnits) {
    stand(127, 40);
    insert_fire();
    const str_sprite& s = tab_sprites[4];
    EXPECT_EQ(s.crdx, 0);
    EXPECT_EQ(s.dpl, 2);
    EXPECT_EQ(s.status, NMI_SHOT);
    std::vector<int> xs;
    for (int i = 0; i < 12; ++i) {
        gere_fire();
        xs.push_back(s.crdx);
        EXPECT_EQ(s.num_spr, i & 3);
    }
    EXPECT_EQ(xs.front(), 2);
    EXPECT_EQ(xs.back(), 24);
    EXPECT_EQ(s.crdy, 44);
    EXPECT_EQ(s.cpt, 12);
    gere_fire();  // the thirteenth call ends it
    EXPECT_EQ(s.cpt, -1);
    EXPECT_EQ(s.status, NMI_FREE);
    // Facing left it leaves one unit to the left and flies the other way.
    stand(0, 40, 1);
    insert_fire();
    EXPECT_EQ(s.crdx, 127);
    gere_fire();
    EXPECT_EQ(s.crdx, 125);
}

TEST_F(Shot, BreaksTheFirstShootableBlockAndIsPaidForIt) {
    map_cell(12, 15) = 0x82;
    map_cell(12, 16) = 0x82;
    stand(109, 60, 1);
    reset_score();
    const uint32_t before = get_score();
    insert_fire();
    for (int i = 0; i < 3 && tab_sprites[4].cpt != -1; ++i) gere_fire();
    EXPECT_EQ(tab_sprites[4].cpt, -1);
    // Rising into row 16 on its second step, it meets the upper block first.
    EXPECT_EQ(map_cell(12, 16), 0);
    EXPECT_EQ(map_cell(12, 15), 0x82);
    EXPECT_EQ(get_score(), before + 0x50);
    // A column block stops the shot but stays.
    map_cell(12, 15) = 0x80;
    insert_fire();
    for (int i = 0; i < 13 && tab_sprites[4].cpt != -1; ++i) gere_fire();
    EXPECT_EQ(map_cell(12, 15), 0x80);
}

TEST_F(Shot, StunsRollersDestroysOthersAndStopsOnPatrollers) {
    struct {
        int16_t status, after_status, after_cpt;
        uint32_t paid;
    } cases[] = {
        {NMI_ROLLER, NMI_STUNNED, 75, 0},
        {NMI_BOUNCER, NMI_VANISH, 0, 0x100},
        {NMI_VPATROL, NMI_VPATROL, 9, 0},
        {NMI_STUNNED, NMI_STUNNED, 9, 0},
    };
    for (const auto& c : cases) {
        std::memset(tab_sprites, 0, NB_SPRITES_TAB * sizeof(str_sprite));
        reset_fire();
        str_sprite& e = tab_sprites[0];
        e.status = c.status;
        e.crdx = 46;
        e.crdy = 40;
        e.cpt = 9;
        stand(40, 40);
        reset_score();
        const uint32_t before = get_score();
        insert_fire();
        for (int i = 0; i < 13 && tab_sprites[4].cpt != -1; ++i) gere_fire();
        EXPECT_EQ(tab_sprites[4].cpt, -1) << c.status;
        EXPECT_LT(tab_sprites[4].crdx, 46 + 4) << c.status;  // stopped on the enemy
        EXPECT_EQ(e.status, c.after_status) << c.status;
        EXPECT_EQ(e.cpt, c.after_cpt) << c.status;
        EXPECT_EQ(get_score() - before, c.paid) << c.status;
    }
}

}  // namespace
