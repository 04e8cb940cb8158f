// Test towers built by hand: the live map emptied to a chosen height and
// the moving-object records cleared, through the game's own set-up.
#pragma once

#include <cstring>

#include "map.h"
#include "nmis.h"
#include "player.h"

inline void blank_map(uint16_t rows) {
    init_map(0, 0);  // allocates the live map on first use
    std::memset(current_map, 0, MAP_COLUMNS * MAP_ROWS);
    nb_tiles_tour = rows;
}

inline void clear_records() {
    init_nmis();  // allocates the record table on first use
    std::memset(tab_sprites, 0, NB_SPRITES_TAB * sizeof(str_sprite));
    reset_fire();  // no shot in flight
}
