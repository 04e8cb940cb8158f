// artgen-check DATA_DIR: reads every picture the way the game's loader does
// and checks what the game depends on: header layout, size and depth,
// palette and transparency rules, and the frame placements that the game's
// drawing code assumes (feet on the step, mirrored sheet, door spans).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Expect {
    const char* name;
    int w, h, bpp;
    bool keyed;
};

// The resource pack's pictures: size, depth and whether the game keys out
// magenta when it loads them.
const Expect EXPECT[] = {
    {"backgnds.bmp", 64, 128, 8, true},
    {"bastower.bmp", 128, 24, 8, false},
    {"char8x8.bmp", 312, 8, 4, false},
    {"char8x8_2.bmp", 312, 8, 4, false},
    {"char8x8_3.bmp", 312, 8, 4, false},
    {"char8x8_4.bmp", 312, 8, 4, false},
    {"char8x8_5.bmp", 312, 8, 8, false},
    {"chiffres.bmp", 8, 88, 8, false},
    {"decors.bmp", 96, 8, 8, true},
    {"etoiles.bmp", 32, 8, 8, true},
    {"fire.bmp", 32, 8, 8, true},
    {"fishs.bmp", 32, 512, 8, true},
    {"flying.bmp", 32, 256, 8, true},
    {"font.bmp", 128, 48, 8, false},
    {"mplayer.bmp", 32, 384, 8, false},
    {"nmis1.bmp", 32, 256, 8, true},
    {"nmis2.bmp", 32, 256, 8, true},
    {"nmis3.bmp", 32, 256, 8, true},
    {"nmis4.bmp", 32, 256, 8, true},
    {"panel1.bmp", 8, 24, 8, false},
    {"panel2.bmp", 64, 24, 8, false},
    {"panel3.bmp", 64, 24, 8, false},
    {"parallax1.bmp", 8, 8, 8, false},
    {"parallax2.bmp", 16, 128, 8, false},
    {"parallax3.bmp", 320, 24, 8, false},
    {"parallax4.bmp", 320, 32, 8, false},
    {"player.bmp", 32, 1200, 8, true},
    {"player2.bmp", 32, 1200, 8, true},
    {"podium.bmp", 32, 32, 8, true},
    {"portes.bmp", 32, 544, 8, true},
    {"presentation.bmp", 240, 160, 8, false},
    {"subway.bmp", 32, 128, 8, true},
    {"time.bmp", 16, 176, 8, false},
    {"time_icons.bmp", 48, 16, 8, false},
    {"titre.bmp", 240, 64, 8, true},
    {"toptower.bmp", 128, 64, 8, true},
    {"torpille.bmp", 8, 8, 8, true},
    {"tour1.bmp", 128, 64, 8, false},
    {"tour2.bmp", 128, 64, 8, false},
    {"tour3.bmp", 128, 64, 8, false},
    {"tour4.bmp", 128, 64, 8, false},
    {"tour5.bmp", 128, 64, 8, false},
    {"tour6.bmp", 128, 64, 8, false},
    {"tour7.bmp", 128, 64, 8, false},
    {"tour8.bmp", 128, 64, 8, false},
    {"present.bmp", 320, 200, 8, false},
    {"vrusk.bmp", 320, 240, 8, false},
};

int failures = 0;

void fail(const std::string& file, const std::string& what) {
    std::printf("FAIL %s: %s\n", file.c_str(), what.c_str());
    ++failures;
}

uint32_t rd(const std::vector<uint8_t>& b, size_t off, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | (off + i < b.size() ? b[off + i] : 0);
    return v;
}

// A picture as the game sees it: top-down RGB565 pixels, plus whether each
// pixel is transparent under the game's colour key.
struct Picture {
    int w = 0, h = 0;
    std::vector<uint16_t> px;
    uint16_t at(int x, int y) const { return px[size_t(y) * w + x]; }
};

const uint16_t KEY565 = 0xF81F;

uint16_t to565(uint8_t r, uint8_t g, uint8_t b) {
    return uint16_t((r >> 3) << 11 | (g >> 2) << 5 | (b >> 3));
}

bool load(const std::string& dir, const Expect& e, Picture& pic) {
    std::string path = dir + "/" + e.name;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) {
        fail(e.name, "missing");
        return false;
    }
    std::vector<uint8_t> b;
    uint8_t buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) b.insert(b.end(), buf, buf + n);
    std::fclose(f);

    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') {
        fail(e.name, "not a BMP");
        return false;
    }
    int w = int(rd(b, 18, 4)), h = int(rd(b, 22, 4)), bpp = int(rd(b, 28, 2));
    uint32_t ncol = rd(b, 46, 4);
    if (w != e.w || h != e.h || bpp != e.bpp) {
        fail(e.name, "is " + std::to_string(w) + "x" + std::to_string(h) + "x" +
                         std::to_string(bpp) + ", expected " + std::to_string(e.w) + "x" +
                         std::to_string(e.h) + "x" + std::to_string(e.bpp));
        return false;
    }
    if (rd(b, 14, 4) != 40 || rd(b, 26, 2) != 1 || rd(b, 30, 4) != 0)
        fail(e.name, "header is not a plain 40-byte, 1-plane, uncompressed one");
    uint32_t maxcol = bpp == 4 ? 16 : 256;
    if (ncol == 0 || ncol > maxcol) {
        fail(e.name, "palette count " + std::to_string(ncol));
        return false;
    }
    size_t rowbytes = bpp == 4 ? size_t(w) / 2 : size_t(w);
    size_t offset = 54 + 4 * size_t(ncol);
    if (rd(b, 10, 4) != offset) fail(e.name, "data offset field does not point after the palette");
    if (b.size() != offset + rowbytes * h)
        fail(e.name, "file length " + std::to_string(b.size()) + " != header + palette + rows");
    if (rd(b, 2, 4) != b.size()) fail(e.name, "file size field is wrong");
    if (rd(b, 34, 4) != rowbytes * h) fail(e.name, "image size field is wrong");
    if (b.size() < offset + rowbytes * h) return false;

    std::vector<uint16_t> pal565(ncol);
    std::vector<bool> used(ncol, false);
    for (uint32_t i = 0; i < ncol; ++i) {
        uint8_t bl = b[54 + 4 * i], g = b[55 + 4 * i], r = b[56 + 4 * i];
        pal565[i] = to565(r, g, b[54 + 4 * i]);
        (void)bl;
        bool key = r == 255 && g == 0 && bl == 255;
        if (!key && ((r & 7) || (g & 3) || (bl & 7)))
            fail(e.name, "palette colour " + std::to_string(i) + " is not exact in RGB565");
    }
    pic.w = w;
    pic.h = h;
    pic.px.assign(size_t(w) * h, 0);
    for (int y = 0; y < h; ++y) {
        const uint8_t* row = &b[offset + rowbytes * size_t(h - 1 - y)];  // stored bottom-up
        for (int x = 0; x < w; ++x) {
            uint32_t idx = bpp == 8 ? row[x] : (x & 1 ? row[x / 2] & 15 : row[x / 2] >> 4);
            if (idx >= ncol) {
                fail(e.name, "pixel index beyond the palette");
                return false;
            }
            used[idx] = true;
            pic.px[size_t(y) * w + x] = pal565[idx];
        }
    }
    bool any_key = false;
    for (uint32_t i = 0; i < ncol; ++i)
        if (used[i] && pal565[i] == KEY565) {
            any_key = true;
            uint32_t rgb =
                uint32_t(b[56 + 4 * i]) << 16 | uint32_t(b[55 + 4 * i]) << 8 | b[54 + 4 * i];
            if (rgb != 0xFF00FF) fail(e.name, "a near-magenta colour that the key would swallow");
        }
    if (e.keyed && !any_key) fail(e.name, "keyed picture without any transparent pixel");
    if (!e.keyed && any_key) fail(e.name, "opaque picture with magenta in it");
    return true;
}

bool opaque(const Picture& p, int x, int y) { return p.at(x, y) != KEY565; }

int count_opaque(const Picture& p, int x0, int y0, int w, int h) {
    int n = 0;
    for (int y = y0; y < y0 + h; ++y)
        for (int x = x0; x < x0 + w; ++x) n += opaque(p, x, y);
    return n;
}

// Every cell the game draws must hold a picture.
void check_cells(const char* name, const Picture& p, int cw, int ch, int first, int last,
                 int min_pixels) {
    for (int i = first; i <= last; ++i) {
        int x = (cw == p.w) ? 0 : cw * i, y = (cw == p.w) ? ch * i : 0;
        if (count_opaque(p, x, y, cw, ch) < min_pixels)
            fail(name, "cell " + std::to_string(i) + " is (nearly) empty");
    }
}

void check_creature(const Picture& pl, const Picture& pl2) {
    for (int f = 0; f < 37; ++f)
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (pl.at(x, 32 * f + y) != pl2.at(31 - x, 32 * f + y)) {
                    fail("player2.bmp",
                         "frame " + std::to_string(f) + " is not the mirror of player.bmp");
                    x = y = 32;
                }
    // Standing (12) and walking (0-7) the creature's feet rest on frame row
    // 19 and its body is centred on column 16, where the step is drawn.
    const int upright[] = {0, 1, 2, 3, 4, 5, 6, 7, 12};
    for (int f : upright) {
        int low = -1;
        long sx = 0, n = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (opaque(pl, x, 32 * f + y)) {
                    low = y;
                    sx += x;
                    ++n;
                }
        if (low != 19)
            fail("player.bmp", "frame " + std::to_string(f) + " has its lowest pixel on row " +
                                   std::to_string(low));
        if (n && std::abs(double(sx) / n - 15.5) > 2.0)
            fail("player.bmp", "frame " + std::to_string(f) + " is not centred on column 16");
    }
    // The lift platform is drawn under the feet, centred like the creature.
    long sx = 0, n = 0;
    for (int y = 1184; y < 1200; ++y)
        for (int x = 0; x < 32; ++x)
            if (opaque(pl, x, y)) {
                sx += x;
                ++n;
            }
    if (n < 40)
        fail("player.bmp", "lift platform strip is empty");
    else if (std::abs(double(sx) / n - 15.5) > 1.0)
        fail("player.bmp", "lift platform is not centred");
}

// A door view may only cover its own column's face: from angle a - 4 to
// a + 4 around the cylinder, placed at the game's fixed left edge.
void check_doors(const Picture& p) {
    const double PI = 3.14159265358979323846;
    auto bx = [&](double t) { return 64.0 - 64.0 * std::cos(2.0 * PI * t / 128.0); };
    const int off[68] = {0,   0,   0,   0,   0,   0,   0,   0,   1,   1,   2,   3,   4,   6,
                         7,   9,   10,  12,  14,  16,  18,  21,  23,  25,  28,  31,  33,  36,
                         39,  42,  45,  48,  51,  54,  57,  60,  64,  67,  70,  73,  76,  79,
                         82,  85,  88,  91,  94,  96,  99,  102, 104, 106, 109, 111, 113, 115,
                         117, 118, 120, 121, 123, 124, 125, 126, 126, 127, 127, 127};
    for (int a = 0; a < 68; ++a) {
        double left = bx(a - 4 < 0 ? 0 : a - 4) - off[a],
               right = bx(a + 4 > 64 ? 64 : a + 4) - off[a];
        for (int y = 8 * a; y < 8 * a + 8; ++y)
            for (int x = 0; x < 32; ++x)
                if (opaque(p, x, y) && (x + 1 < left - 0.01 || x > right + 0.01)) {
                    fail("portes.bmp", "view " + std::to_string(a) +
                                           " draws outside its column at x " + std::to_string(x));
                    x = 32, y = 8 * a + 8;
                }
        // Every view of the front half shows a door, and its rows tile.
        if (a <= 60 && count_opaque(p, 0, 8 * a, 32, 8) < 8)
            fail("portes.bmp", "view " + std::to_string(a) + " is empty");
    }
}

// The game rolls the clock by sliding a 16-pixel window down the strip; the
// strip ends with a copy of its first digit so 9 rolls on into 0.
void check_drum(const Picture& t) {
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            if (t.at(x, y) != t.at(x, 160 + y)) {
                fail("time.bmp", "last digit is not a copy of the first");
                return;
            }
}

// The renderer turns the tower by whole strips and shifts every other row by
// half a column, which only lines up if strip p has its vertical joints at
// view angles p + 4 + 8k. A joint shows the mortar of the strip's bottom row
// (the bed joint); the block face beside it does not.
void check_tower_joints(const char* name, const Picture& t) {
    const double PI = 3.14159265358979323846;
    for (int p = 0; p < 8; ++p)
        for (int k = 0; k < 8; ++k) {
            double theta = p + 4 + 8 * k;
            if (theta < 10 || theta > 50) continue;  // edges are too foreshortened to tell
            double x = 64.0 - 64.0 * std::cos(2.0 * PI * theta / 128.0);
            int jx = int(x);
            int row = 8 * p + 3, bed = 8 * p + 7;
            bool joint = t.at(jx, row) == t.at(jx, bed) || t.at(jx + 1, row) == t.at(jx + 1, bed);
            bool face =
                t.at(jx - 3, row) != t.at(jx - 3, bed) && t.at(jx + 4, row) != t.at(jx + 4, bed);
            if (!joint || !face)
                fail(name, "strip " + std::to_string(p) + " has no joint at angle " +
                               std::to_string(int(theta)));
        }
}

// Enemies stand on the step below them and are centred where the game
// centres them; appear/vanish and patroller pictures may float.
void check_enemy_feet(const char* name, const Picture& p) {
    for (int pic : {4, 5}) {
        int y0 = 16 * pic - 64, low = -1;
        long sx = 0, n = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 32; ++x)
                if (opaque(p, x, y0 + y)) {
                    low = y;
                    sx += x;
                    ++n;
                }
        if (low != 15)
            fail(name, "picture " + std::to_string(pic) + " does not stand on its last row");
        if (n && std::abs(double(sx) / n - 15.5) > 1.5)
            fail(name, "picture " + std::to_string(pic) + " is off centre");
    }
}

// The flyer uses the same pictures both ways, so each must be symmetric.
void check_flyer(const Picture& p) {
    for (int k = 0; k < 8; ++k) {
        int diff = 0;
        for (int y = 32 * k; y < 32 * k + 32; ++y)
            for (int x = 0; x < 16; ++x) diff += opaque(p, x, y) != opaque(p, 31 - x, y);
        if (diff > 8) fail("flying.bmp", "picture " + std::to_string(k) + " is not symmetric");
    }
}

// The game tests a fish against a 24x24 box from the picture's corner.
void check_fish_box(const Picture& p) {
    for (int k = 0; k < 16; ++k) {
        int inside = 0, all = 0;
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (opaque(p, x, 32 * k + y)) {
                    ++all;
                    inside += x < 26 && y < 26;
                }
        if (all && inside * 10 < all * 9)
            fail("fishs.bmp", "picture " + std::to_string(k) + " swims outside its hit box");
    }
}

// The hull pieces are drawn 24 pixels apart, so each overlap of 8 columns
// must show the same picture from both pieces.
void check_hull_overlaps(const Picture& p) {
    for (int s = 1; s < 3; ++s)
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 8; ++x)
                if (p.at(24 + x, 32 * s + y) != p.at(x, 32 * (s + 1) + y) &&
                    opaque(p, 24 + x, 32 * s + y)) {
                    fail("subway.bmp", "hull pieces " + std::to_string(s) + " and " +
                                           std::to_string(s + 1) + " do not meet");
                    return;
                }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::printf(
            "usage: artgen-check DATA_DIR\n"
            "Checks that every picture in DATA_DIR is the BMP the game expects.\n");
        return argc == 2 ? 0 : 2;
    }
    std::string dir = argv[1];
    Picture pics[sizeof EXPECT / sizeof EXPECT[0]];
    auto get = [&](const char* name) -> const Picture* {
        for (size_t i = 0; i < sizeof EXPECT / sizeof EXPECT[0]; ++i)
            if (std::string(EXPECT[i].name) == name) return pics[i].w ? &pics[i] : nullptr;
        return nullptr;
    };
    int loaded = 0;
    for (size_t i = 0; i < sizeof EXPECT / sizeof EXPECT[0]; ++i)
        loaded += load(dir, EXPECT[i], pics[i]);

    if (auto p = get("player.bmp")) {
        check_cells("player.bmp", *p, 32, 32, 0, 36, 40);
        if (auto p2 = get("player2.bmp")) check_creature(*p, *p2);
    }
    for (const char* n : {"nmis1.bmp", "nmis2.bmp", "nmis3.bmp", "nmis4.bmp"})
        if (auto p = get(n)) {
            check_cells(n, *p, 32, 16, 0, 1, 20);  // bouncer, roller
            check_cells(n, *p, 32, 16, 5, 15, 4);  // appear/vanish, patroller
        }
    if (auto p = get("fishs.bmp")) check_cells("fishs.bmp", *p, 32, 32, 0, 15, 40);
    if (auto p = get("flying.bmp")) check_cells("flying.bmp", *p, 32, 32, 0, 7, 30);
    if (auto p = get("subway.bmp")) check_cells("subway.bmp", *p, 32, 32, 0, 3, 60);
    if (auto p = get("fire.bmp")) check_cells("fire.bmp", *p, 8, 8, 0, 3, 4);
    if (auto p = get("etoiles.bmp")) check_cells("etoiles.bmp", *p, 8, 8, 0, 3, 1);
    if (auto p = get("portes.bmp")) check_doors(*p);
    if (auto p = get("time.bmp")) check_drum(*p);
    for (const char* n : {"tour1.bmp", "tour2.bmp", "tour3.bmp", "tour4.bmp", "tour5.bmp",
                          "tour6.bmp", "tour7.bmp", "tour8.bmp"})
        if (auto p = get(n)) check_tower_joints(n, *p);
    for (const char* n : {"nmis1.bmp", "nmis2.bmp", "nmis3.bmp", "nmis4.bmp"})
        if (auto p = get(n)) check_enemy_feet(n, *p);
    if (auto p = get("flying.bmp")) check_flyer(*p);
    if (auto p = get("fishs.bmp")) check_fish_box(*p);
    if (auto p = get("subway.bmp")) check_hull_overlaps(*p);

    std::printf("%d pictures read, %d problems\n", loaded, failures);
    return failures ? 1 : 0;
}
