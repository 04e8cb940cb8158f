// The button table and SELECT: the console's buttons as the game reads them.
#include <SDL.h>
#include <gtest/gtest.h>

#include "controls.h"

TEST(Controls, ButtonTable) {
    ctrl_player = 0;
    const struct {
        int button;
        uint32_t bit;
    } table[] = {{0, CTRL_UP}, {2, CTRL_LEFT}, {4, CTRL_DOWN}, {6, CTRL_RIGHT}, {15, CTRL_FIRE}};
    for (const auto& row : table) {
        process_key_down(row.button);
        EXPECT_EQ(ctrl_player, row.bit) << row.button;
        process_key_up(row.button);
        EXPECT_EQ(ctrl_player, 0u) << row.button;
    }
    // Diagonals, START, SELECT and the other buttons hold nothing.
    for (int button : {1, 3, 5, 7, 8, 9, 10, 11, 12, 13, 14, 16, 18}) process_key_down(button);
    EXPECT_EQ(ctrl_player, 0u);
    process_key_down(JOY_LEFT);
    process_key_down(JOY_RIGHT);
    EXPECT_EQ(ctrl_player, CTRL_LEFT | CTRL_RIGHT) << "both held: the player logic decides";
    process_key_up(JOY_UP);  // a release never seen pressed
    EXPECT_EQ(ctrl_player, CTRL_LEFT | CTRL_RIGHT);
    ctrl_player = 0;
}
