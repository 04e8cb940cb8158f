// A hand-built tower for the creature's tests: an empty 16 x 256 map the
// test fills cell by cell, the creature standing where the test puts it, and
// frames run through the same update order as the level loop.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>

#include "Ascelon.h"
#include "blank_tower.h"
#include "controls.h"
#include "decors.h"
#include "map.h"
#include "nmis.h"
#include "player_internal.h"

class PlayerTest : public testing::Test {
  protected:
    void SetUp() override {
        blank_map(47);
        clear_records();
        init_decors();
        reset_piliers();
        init_vars_player();
        ctrl_player = 0;
        flag_player_fire = 0;
        vitesse_chute = dplx_chute = cpt_chute = 0;
    }

    // Standing still at (x, y), the clock running, as after the arrival.
    static void stand(int16_t x, int16_t y, uint8_t facing = 0) {
        player_map_x = x;
        player_map_y = y;
        flag_player_sens = facing;
        player_num_anim = ANIM_IDLE;
        player_num_frame = 0;
        player_num_spr = 12;
        flag_player_aff = 1;
        flag_decrement_time = 1;
    }

    // A run of plain steps in one row, columns first..last.
    static void steps(int row, int first, int last, uint8_t code = CELL_STEP) {
        for (int c = first; c <= last; ++c) map_cell(c, row) = code;
    }

    // The update part of one frame of the level loop, with the loop's
    // answer to the creature entering the exit door.
    static void frame(uint32_t buttons) {
        ctrl_player = buttons;
        game_update();
    }
};
