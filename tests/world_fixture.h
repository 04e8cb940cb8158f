// A blank tower for the tower world's tests: an empty live map of a given
// height, the decor tables, the object records and an empty sprite list.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "Ascelon.h"
#include "blank_tower.h"
#include "decors.h"
#include "gfx.h"
#include "map.h"
#include "nmis.h"
#include "player.h"
#include "tour.h"

class BlankTower : public ::testing::Test {
  protected:
    void SetUp() override {
        blank_map(47);
        init_tour(0);
        init_decors();
        init_nmis();
        reset_all_nmis();
        reset_piliers();
        nb_sprites = 0;
        tower_rotation = 0;
        tower_offset_y = 64;
        flag_panel_displayed = 0;
        lvl = 0;
    }
    void TearDown() override { nb_sprites = 0; }

    // Indices of the queued sprites that draw from a given surface.
    static std::vector<int> queued_from(SDL_Surface* s) {
        std::vector<int> out;
        for (int i = 0; i < nb_sprites; ++i)
            if (liste_sprites[i].surface == s) out.push_back(i);
        return out;
    }
};
