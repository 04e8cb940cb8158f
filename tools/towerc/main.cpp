// ascelon-towerc: checks the tower sources and compiles them into the tables
// the game links (maps_mission1/2, objs_mission1/2).
#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "towerc.h"

namespace {

void usage(FILE* out) {
    std::fprintf(out,
                 "Usage: ascelon-towerc [-o OUT.cpp] FILE...\n"
                 "\n"
                 "Reads tower sources named mM_tN.txt (mission M 1-2, tower N 0-7), one text\n"
                 "line per map row, top row first (legend in data/towers/README.md), and checks\n"
                 "each against the table of towers and the building rules. Every broken rule is\n"
                 "reported as FILE: row R, column C: reason, and the exit status is 1.\n"
                 "\n"
                 "  -o OUT.cpp  also write the C++ source defining maps_mission1, objs_mission1,\n"
                 "              maps_mission2 and objs_mission2; needs all 16 towers\n"
                 "  --help      show this text\n"
                 "\n"
                 "Without -o the given files are only checked, and a line of figures is printed\n"
                 "for each. A way up a tower, with its enemies and clock, is searched by\n"
                 "ascelon-route, which plays the game itself.\n");
}

}  // namespace

int main(int argc, char** argv) {
    std::string out_path;
    std::vector<std::string> files;
    for (int i = 1; i < argc; i++) {
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h")) {
            usage(stdout);
            return 0;
        }
        if (!std::strcmp(argv[i], "-o")) {
            if (++i >= argc) {
                usage(stderr);
                return 2;
            }
            out_path = argv[i];
        } else if (argv[i][0] == '-') {
            std::fprintf(stderr, "ascelon-towerc: unknown option %s\n", argv[i]);
            usage(stderr);
            return 2;
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.empty()) {
        usage(stderr);
        return 2;
    }

    static TowerSource towers[2][TOWERS_PER_MISSION];
    bool present[2][TOWERS_PER_MISSION] = {};
    std::vector<std::string> errors;
    for (const std::string& path : files) {
        int mission, lvl;
        if (!tower_id_from_path(path, mission, lvl)) {
            errors.push_back(path + ": the file name must be mM_tN.txt (mission 1-2, tower 0-7)");
            continue;
        }
        if (present[mission - 1][lvl]) {
            errors.push_back(path + ": mission " + std::to_string(mission) + " tower " +
                             std::to_string(lvl) + " is given twice");
            continue;
        }
        present[mission - 1][lvl] = true;
        TowerSource& t = towers[mission - 1][lvl];
        if (load_tower_file(path, tower_quota[mission - 1][lvl], t, errors) && out_path.empty()) {
            const TowerCounts n = count_tower(t);
            std::printf("%s: ok, %d rows, %d cells, %d lifts, %d doors, %d enemies\n", path.c_str(),
                        t.height, n.cells, n.lifts, n.door_cells / 3, n.spawns);
        }
    }
    if (!out_path.empty())
        for (int m = 0; m < 2; m++)
            for (int lvl = 0; lvl < TOWERS_PER_MISSION; lvl++)
                if (!present[m][lvl])
                    errors.push_back("mission " + std::to_string(m + 1) + " tower " +
                                     std::to_string(lvl) + ": no source given (m" +
                                     std::to_string(m + 1) + "_t" + std::to_string(lvl) + ".txt)");
    if (!errors.empty()) {
        for (const std::string& e : errors) std::fprintf(stderr, "%s\n", e.c_str());
        std::fprintf(stderr, "ascelon-towerc: %zu problem(s), nothing written\n", errors.size());
        return 1;
    }
    if (out_path.empty()) return 0;

    uint8_t maps[2][MAPS_SIZE];
    std::vector<uint8_t> objs[2];
    for (int m = 0; m < 2; m++) {
        pack_mission(towers[m], maps[m], objs[m]);
        // The header's start fields and the list's size follow from the cell counts;
        // checking them guards the packing itself.
        for (int lvl = 0; lvl < TOWERS_PER_MISSION; lvl++) {
            uint16_t start = uint16_t(objs[m][lvl] | objs[m][lvl + 8] << 8);
            if (start != tower_quota[m][lvl].start) {
                std::fprintf(stderr,
                             "ascelon-towerc: mission %d tower %d starts at 0x%04X, not 0x%04X\n",
                             m + 1, lvl, start, tower_quota[m][lvl].start);
                return 1;
            }
        }
        if (objs[m].size() != objs_size[m]) {
            std::fprintf(stderr, "ascelon-towerc: mission %d object list is %zu bytes, not %u\n",
                         m + 1, objs[m].size(), objs_size[m]);
            return 1;
        }
    }
    std::string text = emit_towers_cpp(maps[0], objs[0], maps[1], objs[1]);
    std::string tmp = out_path + ".tmp";
    {
        std::ofstream out(tmp, std::ios::binary);
        out << text;
        if (!out) {
            std::fprintf(stderr, "ascelon-towerc: cannot write %s\n", tmp.c_str());
            return 1;
        }
    }
    if (std::rename(tmp.c_str(), out_path.c_str()) != 0) {
        std::fprintf(stderr, "ascelon-towerc: cannot write %s\n", out_path.c_str());
        return 1;
    }
    return 0;
}
