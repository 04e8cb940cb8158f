#include "map.h"

#include <cstdlib>
#include <cstring>

#include "gfx.h"
#include "player.h"

uint8_t* current_map;
uint16_t nb_tiles_tour;

// Every attempt starts from a fresh copy of the tower: cells broken, shot or
// rewritten by lifts during the last attempt come back.
void init_map(uint16_t mission, uint16_t lvl) {
    if (!current_map) {
        current_map = static_cast<uint8_t*>(std::malloc(MAP_COLUMNS * MAP_ROWS));
        if (!current_map) ComplainAndExit("no memory for the tower map", true);
    }
    std::memset(current_map, 0, MAP_COLUMNS * MAP_ROWS);

    lvl &= 7;
    const uint8_t* maps = mission == 0 ? maps_mission1 : maps_mission2;
    const uint8_t* objs = mission == 0 ? objs_mission1 : objs_mission2;
    nb_tiles_tour = objs[lvl + 16];
    // The start field counts as if the 4096 occupancy bytes stood in front
    // of the code list.
    const uint16_t start = static_cast<uint16_t>(objs[lvl + 8] * 256 + objs[lvl] - 4096);
    const uint8_t* code = objs + start;
    const uint8_t* bits = maps + lvl * 512;
    for (int row = 0; row <= nb_tiles_tour; ++row)
        for (int half = 0; half < 2; ++half) {
            const uint8_t occupied = *bits++;
            for (int k = 0; k < 8; ++k)
                if (occupied & 1 << k) current_map[(half * 8 + k) * MAP_ROWS + row] = *code++;
        }
}

// The box spans columns (x + dx_left) / 8 to (x + dx_right) / 8 (truncating,
// so a box reaching below x 0 does not wrap to column 15) and 2 to 4 rows by
// height class. Steps stop the box anywhere in their column; blocks and
// lift platforms only when x lies within sub_x .. sub_x + sub_w of their
// column, which lets a mover stand close beside a block. A shot breaks the
// first breakable cell it meets, and only that one.
uint16_t col_vs_decor(int16_t x, int16_t y, int16_t dx_left, int16_t dx_right,
                      uint16_t height_class, uint16_t sub_x, uint16_t sub_w) {
    const int first = ((x + dx_left) / 8) & 15;
    const int end = ((x + dx_right) / 8 + 1) & 15;
    const int base = y / 4;
    int rows;
    switch (height_class) {
    case 0: rows = (y & 3) == 3 ? 3 : 2; break;  // the creature: 10 units high
    case 1: rows = (y & 3) ? 2 : 1; break;       // an enemy: 8
    default: rows = (y & 3) ? 1 : 0; break;      // a shot: 4
    }
    for (int column = first; column != end; column = (column + 1) & 15) {
        for (int k = rows; k >= 0; --k) {
            uint8_t& cell = map_cell(column, base + k);
            if (!(cell & CELL_SOLID)) continue;
            const int t = cell & 15;
            if (t == 1) return 1;                // a step of any kind
            if ((t & 3) == KIND_DOOR) continue;  // doors never collide
            const int left = column * 8 + sub_x;
            if (x < left || x > left + sub_w) continue;
            if (height_class == 2 && (t & 1) == 0 && t != 0) {
                // Shootable blocks and the column under a raised lift.
                cell = 0;
                inc_score(0x50);
                inc_bonus_extra(2);
            }
            return 1;
        }
    }
    return 0;
}
