// Reading, checking and packing the tower sources.
#include "towerc.h"

#include <cstdio>
#include <fstream>
#include <sstream>

// Height, start field, stored cells, lifts, tunnel doors and enemy spawn
// markers of every tower. The start fields follow from the cell counts (each
// tower's codes begin where the previous tower's end); pack_mission checks it.
const TowerQuota tower_quota[2][TOWERS_PER_MISSION] = {
    {{47, 0x1018, 140, 6, 10, 9},
     {71, 0x10A4, 140, 9, 8, 8},
     {49, 0x1130, 109, 6, 8, 6},
     {66, 0x119D, 186, 7, 12, 12},
     {96, 0x1257, 225, 10, 18, 19},
     {64, 0x1338, 155, 11, 8, 14},
     {80, 0x13D3, 158, 14, 0, 21},
     {96, 0x1471, 232, 9, 19, 18}},
    {{54, 0x1018, 159, 6, 14, 12},
     {56, 0x10B7, 168, 6, 14, 10},
     {54, 0x115F, 138, 8, 12, 8},
     {64, 0x11E9, 193, 11, 20, 5},
     {56, 0x12AA, 132, 10, 10, 7},
     {94, 0x132E, 186, 9, 6, 14},
     {80, 0x13E8, 157, 14, 0, 20},
     {96, 0x1485, 232, 9, 19, 18}},
};
const uint16_t objs_size[2] = {1370, 1390};

namespace {

struct Symbol {
    char symbol;
    uint8_t code;
};

// The legend of the sources (data/towers/README.md explains each one).
constexpr Symbol legend[] = {
    {'.', CELL_EMPTY},
    {'^', CELL_TOP_STOP},
    {':', CELL_MIDDLE_STOP},
    {'#', CELL_BLOCK},
    {'=', CELL_STEP},
    {'X', CELL_SHOOTABLE},
    {'D', CELL_DOOR},
    {'L', CELL_LIFT_BOTTOM},
    {'-', CELL_BREAKING},
    {'<', CELL_SLIDE_LEFT},
    {'>', CELL_SLIDE_RIGHT},
    {'E', CELL_EXIT_DOOR},
    {'1', 0x10},
    {'2', 0x20},
    {'3', 0x30},
    {'4', 0x40},
    {'5', 0x50},
    {'6', 0x60},
    {'7', 0x70},
};

std::string where(const std::string& name, int row, int column) {
    return name + ": row " + std::to_string(row) + ", column " + std::to_string(column) + ": ";
}

std::string hex(uint8_t code) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

bool is_spawn(uint8_t code) { return code < 0x80 && (code & 0x70) != 0; }

// A platform of kind 1 without lift bits: what a column block run stands on
// and carries. Lifts do not count: a lift under a block could never rise.
bool is_step(uint8_t code) {
    return code == CELL_STEP || code == CELL_BREAKING || code == CELL_SLIDE_LEFT ||
           code == CELL_SLIDE_RIGHT;
}

// Solid for the creature and the enemies whatever their x: anything with
// bit 7 except the doors, which never collide.
bool collides(uint8_t code) { return (code & 0x80) != 0 && (code & 3) != 3; }

void check_codes(const TowerSource& t, std::vector<std::string>& errors) {
    for (int c = 0; c < TOWER_COLUMNS; c++)
        for (int r = 0; r < TOWER_MAX_ROWS; r++) {
            uint8_t code = t.cell[c][r];
            if (code == 0 || code_symbol(code) != 0) continue;
            std::string what;
            switch (code) {
            case 0x84:
            case 0x88:
            case 0x8C:
                what = " is a lift column block, which only a rising lift writes while playing";
                break;
            case CELL_LIFT_TOP:
            case CELL_LIFT_MIDDLE:
                what =
                    " is a lift away from its bottom stop, which only exists while playing; "
                    "every lift starts at its bottom stop (0x85)";
                break;
            default: what = " is not a cell of the towers";
            }
            errors.push_back(where(t.name, r, c) + "code " + hex(code) + what);
        }
}

void check_rows(const TowerSource& t, std::vector<std::string>& errors) {
    int h = t.height;
    for (int c = 0; c < TOWER_COLUMNS; c++) {
        if (t.cell[c][0] != 0)
            errors.push_back(where(t.name, 0, c) + "the foot row stays empty (the sea)");
        for (int r = h - 1; r < TOWER_MAX_ROWS; r++)
            if (r > 0 && t.cell[c][r] != 0)
                errors.push_back(where(t.name, r, c) + "nothing may be stored above row " +
                                 std::to_string(h - 2) + ", the top of the exit door");
    }
    // The submarine drops the creature at x 4 onto row 1: it must be able to stand there.
    uint8_t start = t.cell[0][1];
    if (start != CELL_STEP && start != CELL_SLIDE_LEFT && start != CELL_SLIDE_RIGHT)
        errors.push_back(where(t.name, 1, 0) +
                         "the creature climbs out of the submarine onto this cell, "
                         "which must be a step that holds (=, < or >)");
}

void check_counts(const TowerSource& t, const TowerQuota& q, std::vector<std::string>& errors) {
    if (t.height != q.height)
        errors.push_back(t.name + ": the tower is " + std::to_string(t.height) +
                         " rows high, it must be " + std::to_string(q.height) + " (" +
                         std::to_string(q.height + 1) + " lines from the top row down to row 0)");
    const TowerCounts n = count_tower(t);
    auto compare = [&](const char* what, int have, int need) {
        if (have != need)
            errors.push_back(t.name + ": " + std::to_string(have) + " " + what +
                             ", the tower needs " + std::to_string(need));
    };
    compare("stored cells", n.cells, q.cells);
    compare("lifts", n.lifts, q.lifts);
    if (n.door_cells % 3 != 0 || n.door_cells / 3 != q.doors)
        errors.push_back(t.name + ": " + std::to_string(n.door_cells) +
                         " tunnel door cells, the tower needs " + std::to_string(q.doors) +
                         " doors of 3 cells (" + std::to_string(q.doors * 3) + ")");
    compare("enemy spawn markers", n.spawns, q.spawns);
}

void check_exit(const TowerSource& t, std::vector<std::string>& errors) {
    int h = t.height, top = h - 2;
    int column = -1;
    for (int c = 0; c < TOWER_COLUMNS && top > 0; c++)
        if (t.cell[c][top] == CELL_EXIT_DOOR) {
            column = c;
            break;
        }
    if (column < 0) {
        errors.push_back(t.name + ": row " + std::to_string(top) +
                         ": no exit door; its top row is the highest stored row");
    } else {
        for (int r = h - 4; r <= top; r++)
            if (r >= 0 && t.cell[column][r] != CELL_EXIT_DOOR)
                errors.push_back(where(t.name, r, column) + "the exit door fills rows " +
                                 std::to_string(h - 4) + " to " + std::to_string(top) +
                                 " of its column");
    }
    for (int c = 0; c < TOWER_COLUMNS; c++)
        for (int r = 0; r < TOWER_MAX_ROWS; r++)
            if (t.cell[c][r] == CELL_EXIT_DOOR && (c != column || r < h - 4 || r > top))
                errors.push_back(
                    where(t.name, r, c) + "an exit door cell outside the one exit door (rows " +
                    std::to_string(h - 4) + " to " + std::to_string(top) + " of one column)");
}

// Tunnel doors: 3 rows high, and the passage comes out at the door 8 columns
// away in the same rows (the opposite side of the tower), which may be the exit.
void check_doors(const TowerSource& t, std::vector<std::string>& errors) {
    for (int c = 0; c < TOWER_COLUMNS; c++) {
        int r = 0;
        while (r < TOWER_MAX_ROWS) {
            if (t.cell[c][r] != CELL_DOOR) {
                r++;
                continue;
            }
            int bottom = r;
            while (r < TOWER_MAX_ROWS && t.cell[c][r] == CELL_DOOR) r++;
            int length = r - bottom;
            if (length != 3) {
                errors.push_back(where(t.name, bottom, c) +
                                 "a tunnel door is 3 rows high, this one " +
                                 std::to_string(length));
                continue;
            }
            int f = (c + 8) & 15;
            auto run_is = [&](uint8_t code) {
                for (int k = 0; k < 3; k++)
                    if (t.cell[f][bottom + k] != code) return false;
                return true;
            };
            bool facing_exit = run_is(CELL_EXIT_DOOR);
            bool facing_door = run_is(CELL_DOOR) &&
                               (bottom == 0 || t.cell[f][bottom - 1] != CELL_DOOR) &&
                               (bottom + 3 >= TOWER_MAX_ROWS || t.cell[f][bottom + 3] != CELL_DOOR);
            if (!facing_exit && !facing_door)
                errors.push_back(where(t.name, bottom, c) + "the tunnel door in rows " +
                                 std::to_string(bottom) + " to " + std::to_string(bottom + 2) +
                                 " has no door facing it in column " + std::to_string(f) +
                                 ", same rows");
        }
    }
}

// A lift rises from its bottom stop to the top stop marker above it, stopping
// at middle markers on the way; its shaft must let the rider through.
void check_lifts(const TowerSource& t, std::vector<std::string>& errors) {
    for (int c = 0; c < TOWER_COLUMNS; c++)
        for (int r = 0; r < TOWER_MAX_ROWS; r++) {
            uint8_t code = t.cell[c][r];
            if (code == CELL_LIFT_BOTTOM) {
                int top = -1;
                for (int k = r + 1; k < TOWER_MAX_ROWS; k++) {
                    uint8_t up = t.cell[c][k];
                    if (up == CELL_TOP_STOP) {
                        top = k;
                        break;
                    }
                    if (up == CELL_LIFT_BOTTOM) {
                        errors.push_back(where(t.name, r, c) +
                                         "the lift has no top stop marker "
                                         "before the next lift up its column (row " +
                                         std::to_string(k) + ")");
                        top = -2;
                        break;
                    }
                    // Breaking steps may stand in the shaft: the creature breaks
                    // them on its way down to the lift. Anything else solid would
                    // knock the rider off, and a door or an enemy marker would be
                    // overwritten by the rising lift column.
                    if (up != 0 && up != CELL_MIDDLE_STOP && up != CELL_BREAKING) {
                        errors.push_back(where(t.name, k, c) + "cell " + hex(up) +
                                         " stands in the shaft of the lift at row " +
                                         std::to_string(r));
                    }
                }
                if (top == -1)
                    errors.push_back(where(t.name, r, c) +
                                     "the lift has no top stop marker above it in its column");
                // Room for the rider's head when the lift arrives.
                for (int k = top + 1; top >= 0 && k <= top + 3 && k < TOWER_MAX_ROWS; k++)
                    if (collides(t.cell[c][k]))
                        errors.push_back(where(t.name, k, c) + "cell " + hex(t.cell[c][k]) +
                                         " is where the rider's head arrives at the top stop "
                                         "(row " +
                                         std::to_string(top) + ")");
            } else if (code == CELL_TOP_STOP || code == CELL_MIDDLE_STOP) {
                bool lift_below = false;
                for (int k = r - 1; k >= 0; k--) {
                    uint8_t down = t.cell[c][k];
                    if (down == CELL_LIFT_BOTTOM) {
                        lift_below = true;
                        break;
                    }
                    if (down == CELL_TOP_STOP) break;
                }
                bool top_above = code == CELL_TOP_STOP;
                for (int k = r + 1; !top_above && k < TOWER_MAX_ROWS; k++) {
                    if (t.cell[c][k] == CELL_TOP_STOP) top_above = true;
                    if (t.cell[c][k] == CELL_LIFT_BOTTOM) break;
                }
                if (!lift_below || !top_above)
                    errors.push_back(where(t.name, r, c) +
                                     (code == CELL_TOP_STOP ? "top" : "middle") +
                                     " stop marker outside the shaft of a lift");
            }
        }
}

// Column blocks are short runs held between a step below and a step above.
void check_blocks(const TowerSource& t, std::vector<std::string>& errors) {
    for (int c = 0; c < TOWER_COLUMNS; c++) {
        int r = 0;
        while (r < TOWER_MAX_ROWS) {
            if (t.cell[c][r] != CELL_BLOCK) {
                r++;
                continue;
            }
            int bottom = r;
            while (r < TOWER_MAX_ROWS && t.cell[c][r] == CELL_BLOCK) r++;
            int length = r - bottom;
            if (length > 5)
                errors.push_back(where(t.name, bottom, c) +
                                 "a column block run is 1 to 5 rows, this one " +
                                 std::to_string(length));
            if (bottom == 0 || !is_step(t.cell[c][bottom - 1]))
                errors.push_back(where(t.name, bottom, c) +
                                 "a column block run must stand on a step (=, -, < or >)");
            if (r >= TOWER_MAX_ROWS || !is_step(t.cell[c][r]))
                errors.push_back(where(t.name, r - 1, c) +
                                 "a column block run must carry a step right above it");
        }
    }
}

// An enemy is born on its marker with a box two rows high; decor there makes it vanish at once.
void check_spawns(const TowerSource& t, std::vector<std::string>& errors) {
    for (int c = 0; c < TOWER_COLUMNS; c++)
        for (int r = 0; r + 1 < TOWER_MAX_ROWS; r++)
            if (is_spawn(t.cell[c][r]) && collides(t.cell[c][r + 1]))
                errors.push_back(where(t.name, r, c) +
                                 "an enemy born here meets the decor right above and vanishes");
}

}  // namespace

TowerCounts count_tower(const TowerSource& t) {
    TowerCounts n;
    for (int c = 0; c < TOWER_COLUMNS; c++)
        for (int r = 0; r <= t.height && r < TOWER_MAX_ROWS; r++) {
            uint8_t code = t.cell[c][r];
            n.cells += code != 0;
            n.lifts += code == CELL_LIFT_BOTTOM;
            n.door_cells += code == CELL_DOOR;
            n.spawns += is_spawn(code);
        }
    return n;
}

int symbol_code(char symbol) {
    for (const Symbol& s : legend)
        if (s.symbol == symbol) return s.code;
    return -1;
}

char code_symbol(uint8_t code) {
    for (const Symbol& s : legend)
        if (s.code == code) return s.symbol;
    return 0;
}

bool tower_id_from_path(const std::string& path, int& mission, int& lvl) {
    std::string base = path.substr(path.find_last_of('/') + 1);
    if (base.size() != 9 || base[0] != 'm' || base[2] != '_' || base[3] != 't' ||
        base.compare(5, 4, ".txt") != 0)
        return false;
    if (base[1] < '1' || base[1] > '2' || base[4] < '0' || base[4] > '7') return false;
    mission = base[1] - '0';
    lvl = base[4] - '0';
    return true;
}

bool parse_tower(const std::string& name, const std::string& text, TowerSource& tower,
                 std::vector<std::string>& errors) {
    size_t before = errors.size();
    tower = TowerSource();
    tower.name = name;
    struct Line {
        int number;
        std::string text;
    };
    std::vector<Line> rows;
    std::istringstream in(text);
    std::string line;
    for (int number = 1; std::getline(in, line); number++) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == ';') continue;
        rows.push_back({number, line});
    }
    if (rows.size() < 2 || rows.size() > TOWER_MAX_ROWS) {
        errors.push_back(name + ": " + std::to_string(rows.size()) +
                         " map rows; a tower has 2 to 256 lines, top row first");
        return false;
    }
    tower.height = uint16_t(rows.size() - 1);
    for (size_t i = 0; i < rows.size(); i++) {
        int row = tower.height - int(i);
        const std::string& s = rows[i].text;
        std::string at = name + ": line " + std::to_string(rows[i].number) + " (row " +
                         std::to_string(row) + ")";
        if (s.size() < TOWER_COLUMNS) {
            errors.push_back(at + ": a row has 16 cell symbols, this one " +
                             std::to_string(s.size()));
            continue;
        }
        for (int c = 0; c < TOWER_COLUMNS; c++) {
            int code = symbol_code(s[c]);
            if (code < 0)
                errors.push_back(at + ", column " + std::to_string(c) + ": unknown symbol '" +
                                 std::string(1, s[c]) + "'");
            else
                tower.cell[c][row] = uint8_t(code);
        }
        // Optional row number after the cells, checked so that a shifted line shows.
        std::string rest = s.substr(TOWER_COLUMNS);
        size_t p = rest.find_first_not_of(" \t");
        if (p == std::string::npos) continue;
        size_t q = rest.find_first_not_of("0123456789", p);
        bool only_number =
            p > 0 && q != p &&
            (q == std::string::npos || rest.find_first_not_of(" \t", q) == std::string::npos);
        std::string number = only_number ? rest.substr(p, q == std::string::npos ? q : q - p) : "";
        if (!only_number)
            errors.push_back(at + ": after the 16 cells only blanks and the row number may follow");
        else if (number.size() > 3 || std::stoi(number) != row)
            errors.push_back(at + ": the line is numbered " + number + " but stands at row " +
                             std::to_string(row));
    }
    return errors.size() == before;
}

bool check_tower(const TowerSource& tower, const TowerQuota& quota,
                 std::vector<std::string>& errors) {
    size_t before = errors.size();
    check_codes(tower, errors);
    check_rows(tower, errors);
    check_counts(tower, quota, errors);
    check_exit(tower, errors);
    check_doors(tower, errors);
    check_lifts(tower, errors);
    check_blocks(tower, errors);
    check_spawns(tower, errors);
    return errors.size() == before;
}

bool load_tower_file(const std::string& path, const TowerQuota& quota, TowerSource& tower,
                     std::vector<std::string>& errors) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        errors.push_back(path + ": cannot be read");
        return false;
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (!parse_tower(path, text.str(), tower, errors)) return false;
    return check_tower(tower, quota, errors);
}

void pack_mission(const TowerSource towers[TOWERS_PER_MISSION], uint8_t maps[MAPS_SIZE],
                  std::vector<uint8_t>& objs) {
    for (int i = 0; i < MAPS_SIZE; i++) maps[i] = 0;
    objs.assign(OBJS_HEADER_SIZE, 0);
    for (int lvl = 0; lvl < TOWERS_PER_MISSION; lvl++) {
        const TowerSource& t = towers[lvl];
        uint16_t start = uint16_t(OBJS_BASE + objs.size());
        objs[lvl] = uint8_t(start & 0xff);
        objs[lvl + 8] = uint8_t(start >> 8);
        objs[lvl + 16] = uint8_t(t.height);
        // Rows upward, each as two bytes (columns 0-7, then 8-15), one code per set bit:
        // the order in which the game expands them.
        uint8_t* bits = maps + lvl * TOWER_MAPS_SIZE;
        for (int r = 0; r <= t.height && r < TOWER_MAX_ROWS; r++)
            for (int half = 0; half < 2; half++)
                for (int k = 0; k < 8; k++) {
                    uint8_t code = t.cell[half * 8 + k][r];
                    if (code == 0) continue;
                    bits[2 * r + half] |= uint8_t(1 << k);
                    objs.push_back(code);
                }
    }
    objs.push_back(0);
}

namespace {

void emit_table(std::string& out, const char* name, const uint8_t* data, size_t size) {
    out += "extern const uint8_t " + std::string(name) + "[" + std::to_string(size) + "];\n";
    out += "const uint8_t " + std::string(name) + "[" + std::to_string(size) + "] = {\n";
    for (size_t i = 0; i < size; i += 16) {
        out += "   ";
        for (size_t j = i; j < i + 16 && j < size; j++) {
            char text[8];
            std::snprintf(text, sizeof text, " 0x%02X,", data[j]);
            out += text;
        }
        out += "\n";
    }
    out += "};\n\n";
}

}  // namespace

std::string emit_towers_cpp(const uint8_t maps1[MAPS_SIZE], const std::vector<uint8_t>& objs1,
                            const uint8_t maps2[MAPS_SIZE], const std::vector<uint8_t>& objs2) {
    std::string out =
        "// The compiled towers of both missions, made by ascelon-towerc from data/towers.\n"
        "// Do not edit: change the tower sources and rebuild.\n"
        "#include <cstdint>\n\n";
    emit_table(out, "maps_mission1", maps1, MAPS_SIZE);
    emit_table(out, "objs_mission1", objs1.data(), objs1.size());
    emit_table(out, "maps_mission2", maps2, MAPS_SIZE);
    emit_table(out, "objs_mission2", objs2.data(), objs2.size());
    return out;
}
