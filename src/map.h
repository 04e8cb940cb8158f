// The towers: their compiled tables, the live map of the tower being played
// and the one collision query every mover asks of the decor.
#pragma once

#include <cstdint>

// Cell byte: bit 7 solid; bits 1-0 the kind of a solid cell.
constexpr uint8_t CELL_SOLID = 0x80;
constexpr uint8_t KIND_BLOCK = 0, KIND_PLATFORM = 1, KIND_SHOOTABLE = 2, KIND_DOOR = 3;
// The cell codes a tower is built of; the tower compiler and the tools use
// these too.
constexpr uint8_t CELL_EMPTY = 0x00;
constexpr uint8_t CELL_TOP_STOP = 0x08;     // a rising lift stops in this row
constexpr uint8_t CELL_MIDDLE_STOP = 0x0C;  // a lift stops here unless its way is held
constexpr uint8_t CELL_BLOCK = 0x80;        // a column block between two steps
constexpr uint8_t CELL_STEP = 0x81;
constexpr uint8_t CELL_SHOOTABLE = 0x82;
constexpr uint8_t CELL_DOOR = 0x83;  // a tunnel door, facing another 8 columns on
constexpr uint8_t CELL_LIFT_BOTTOM = 0x85, CELL_LIFT_TOP = 0x89, CELL_LIFT_MIDDLE = 0x8D;
constexpr uint8_t CELL_BREAKING = 0x91;
constexpr uint8_t CELL_SLIDE_LEFT = 0xA1, CELL_SLIDE_RIGHT = 0xB1;  // slippery towards -x, +x
constexpr uint8_t CELL_EXIT_DOOR = 0xC3;
constexpr uint8_t LIFT_STOP_BITS = 0x0C;  // 1 bottom, 2 top, 3 middle stop (<< 2)

constexpr int MAP_COLUMNS = 16;
constexpr int MAP_ROWS = 256;

// The compiled towers (generated from data/towers at build time).
extern const uint8_t maps_mission1[4096];
extern const uint8_t objs_mission1[1370];
extern const uint8_t maps_mission2[4096];
extern const uint8_t objs_mission2[1390];

// The live map: cell (column c, row r) is current_map[c * 256 + r], row 0 at
// the foot of the tower.
extern uint8_t* current_map;
extern uint16_t nb_tiles_tour;  // the tower's height in rows

inline uint8_t& map_cell(int column, int row) {
    return current_map[(column & 15) * MAP_ROWS + (row & 255)];
}

void init_map(uint16_t mission, uint16_t lvl);
uint16_t col_vs_decor(int16_t x, int16_t y, int16_t dx_left, int16_t dx_right,
                      uint16_t height_class, uint16_t sub_x, uint16_t sub_w);
