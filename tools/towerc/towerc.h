// The tower compiler: reads the readable tower sources (one text line per map
// row, top row first), checks them against the building rules of the towers
// and packs each mission into the compact tables the game expands at every
// attempt (occupancy bits, object list header, one code per stored cell).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "map.h"  // the cell codes, as the game defines them

constexpr int TOWER_COLUMNS = 16;
constexpr int TOWER_MAX_ROWS = 256;
constexpr int TOWERS_PER_MISSION = 8;
constexpr int MAPS_SIZE = 4096;       // occupancy bytes of one mission
constexpr int TOWER_MAPS_SIZE = 512;  // occupancy bytes of one tower
constexpr int OBJS_HEADER_SIZE = 24;  // start field low, high, height
constexpr uint16_t OBJS_BASE = 4096;  // start fields count as if the maps stood in front

// What the table of towers fixes for each tower.
struct TowerQuota {
    uint8_t height;  // nb_tiles_tour
    uint16_t start;  // start field as stored in the header
    uint16_t cells;  // stored (non-zero) cells
    uint8_t lifts;   // 0x85 cells
    uint8_t doors;   // tunnel doors, 3 cells of 0x83 each
    uint8_t spawns;  // enemy spawn markers
};
extern const TowerQuota tower_quota[2][TOWERS_PER_MISSION];
extern const uint16_t objs_size[2];  // 1370 and 1390 bytes

// One tower as read from its source: cell[c][r] is column c, row r (row 0 at the foot).
struct TowerSource {
    std::string name;  // file name or label, used in every message
    uint16_t height = 0;
    uint8_t cell[TOWER_COLUMNS][TOWER_MAX_ROWS] = {};
};

// What a tower holds, in the terms of the table of towers.
struct TowerCounts {
    int cells = 0, lifts = 0, door_cells = 0, spawns = 0;
};
TowerCounts count_tower(const TowerSource& tower);

// Symbol of a cell code in the sources, and back. symbol_code gives -1 for
// an unknown symbol; code_symbol gives 0 for a code that has no symbol.
int symbol_code(char symbol);
char code_symbol(uint8_t code);

// Mission 1..2 and tower 0..7 from a file name "mM_tN.txt"; false if it is not one.
bool tower_id_from_path(const std::string& path, int& mission, int& lvl);

// Reads a source text. Lines starting with ';' and blank lines are comments;
// every other line is one map row, top row first: 16 symbols, optionally
// followed by blanks and the row number (checked when present).
bool parse_tower(const std::string& name, const std::string& text, TowerSource& tower,
                 std::vector<std::string>& errors);

// Checks a tower against its quota and the building rules; every broken rule
// adds one message "name: row R, column C: ..." (or "name: ..." for counts).
bool check_tower(const TowerSource& tower, const TowerQuota& quota,
                 std::vector<std::string>& errors);

// Packs the 8 towers of a mission: maps gets 4096 occupancy bytes, objs the
// header, the codes and the final 0 byte.
void pack_mission(const TowerSource towers[TOWERS_PER_MISSION], uint8_t maps[MAPS_SIZE],
                  std::vector<uint8_t>& objs);

// The C++ source that defines maps_mission1, objs_mission1, maps_mission2, objs_mission2.
std::string emit_towers_cpp(const uint8_t maps1[MAPS_SIZE], const std::vector<uint8_t>& objs1,
                            const uint8_t maps2[MAPS_SIZE], const std::vector<uint8_t>& objs2);

// Reads and checks one source file; the tower is named by its path.
bool load_tower_file(const std::string& path, const TowerQuota& quota, TowerSource& tower,
                     std::vector<std::string>& errors);
