// ascelon-artgen: draws every picture of the game from code and writes the
// BMP files the resource pack is built from.
#include <sys/stat.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "bmp.h"
#include "icon.h"
#include "png.h"
#include "sheets.h"

static void usage(FILE* f) {
    std::fprintf(
        f,
        "usage: ascelon-artgen --out DIR\n"
        "       ascelon-artgen --contact-sheet OUT.bmp\n"
        "       ascelon-artgen --help\n"
        "\n"
        "  --out DIR              write the game's %d pictures into DIR (which must exist)\n"
        "                         and its icons into DIR/icons: the window's (32 x 32\n"
        "                         BMP) and the desktop's (PNG, 32 to 256 pixels)\n"
        "  --contact-sheet FILE   write one review picture with every sheet enlarged and\n"
        "                         its frames numbered\n"
        "\n"
        "The output depends only on this program: running it twice gives the same bytes.\n",
        SHEET_COUNT);
}

// Refuses a picture the game would show wrongly: wrong size, or a colour that
// the 16-bit key test would take for magenta where it is not meant to be.
static bool check_canvas(const Sheet& s, const Canvas& c, std::string& err) {
    if (c.w != s.w || c.h != s.h) {
        err = "drawn " + std::to_string(c.w) + "x" + std::to_string(c.h);
        return false;
    }
    for (uint32_t p : c.px) {
        int r = int(p >> 16 & 255), g = int(p >> 8 & 255), b = int(p & 255);
        bool keylike = r >= 248 && b >= 248 && g < 4;
        if (p == KEY && !s.keyed) {
            err = "magenta in an opaque picture";
            return false;
        }
        if (keylike && p != KEY) {
            err = "near-magenta colour would turn transparent";
            return false;
        }
    }
    return true;
}

static int write_icons(const std::string& dir) {
    mkdir(dir.c_str(), 0755);
    const Canvas icon = draw_icon();
    std::vector<uint8_t> bytes;
    std::string err;
    int failures = 0;
    if (!encode_bmp(icon, 8, bytes, err) || !write_file(dir + "/ascelon-32.bmp", bytes)) {
        std::fprintf(stderr, "ascelon-artgen: cannot write %s/ascelon-32.bmp %s\n", dir.c_str(),
                     err.c_str());
        ++failures;
    }
    for (int size : {32, 64, 128, 256}) {
        encode_png(enlarge(icon, size / 32), bytes);
        const std::string path = dir + "/ascelon-" + std::to_string(size) + ".png";
        if (!write_file(path, bytes)) {
            std::fprintf(stderr, "ascelon-artgen: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    return failures;
}

static int write_all(const std::string& dir) {
    int failures = 0;
    for (int i = 0; i < SHEET_COUNT; ++i) {
        const Sheet& s = SHEETS[i];
        const Canvas& c = sheet_canvas(s.name);
        std::string err;
        std::vector<uint8_t> bytes;
        if (!check_canvas(s, c, err) || !encode_bmp(c, s.bpp, bytes, err)) {
            std::fprintf(stderr, "ascelon-artgen: %s: %s\n", s.name, err.c_str());
            ++failures;
            continue;
        }
        std::string path = dir + "/" + s.name;
        if (!write_file(path, bytes)) {
            std::fprintf(stderr, "ascelon-artgen: cannot write %s\n", path.c_str());
            ++failures;
        }
    }
    failures += write_icons(dir + "/icons");
    return failures ? 1 : 0;
}

static int write_contact_sheet(const std::string& path) {
    Canvas c = draw_contact_sheet();
    std::vector<uint8_t> bytes;
    std::string err;
    if (!encode_bmp(c, 24, bytes, err)) {
        std::fprintf(stderr, "ascelon-artgen: contact sheet: %s\n", err.c_str());
        return 1;
    }
    if (!write_file(path, bytes)) {
        std::fprintf(stderr, "ascelon-artgen: cannot write %s\n", path.c_str());
        return 1;
    }
    return 0;
}

int main(int argc, char** argv) {
    if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        usage(stdout);
        return 0;
    }
    if (argc == 3 && std::strcmp(argv[1], "--out") == 0) return write_all(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "--contact-sheet") == 0)
        return write_contact_sheet(argv[2]);
    usage(stderr);
    return 2;
}
