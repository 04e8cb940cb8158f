// Behind the tower: star frames, the horizon strips (one per tower) and the
// parallax layers the game loads but does not draw.
#include <cmath>

#include "palette.h"
#include "sheets.h"

namespace {

using namespace pal;
const double PI = 3.14159265358979323846;

// A height profile that repeats every 64 pixels, so the strip tiles.
double wave(int x, const double* amp, int n, double phase) {
    double h = 0;
    for (int k = 0; k < n; ++k)
        h += amp[k] * std::sin(2 * PI * (k + 1) * x / 64.0 + phase * (k + 1));
    return h;
}

// Fills from row `top` of column x down to the strip's bottom; the top pixel
// is the rim colour, the rest the body colour.
void column(Canvas& c, int x, int y0, int top, uint32_t rim, uint32_t body) {
    for (int y = std::max(top, 0); y < 16; ++y) c.set(x, y0 + y, y == top ? rim : body);
}

void islands(Canvas& c, int y0) {  // two low islands with palm trees
    for (int x = 0; x < 64; ++x) {
        int d1 = std::abs(x - 18), d2 = std::abs(x - 48);
        int h = std::max(d1 < 12 ? 5 - d1 * d1 / 30 : 0, d2 < 8 ? 3 - d2 * d2 / 22 : 0);
        if (h > 0) column(c, x, y0, 15 - h, C(0x386848), C(0x183828));
    }
    // palms: trunk and fronds
    for (int i = 0; i < 6; ++i) c.set(20 + i / 3, y0 + 10 - i, C(0x183828));
    const int fr[][2] = {{-3, 1}, {-2, 0},  {-1, 0}, {1, 0}, {2, 0},
                         {3, 1},  {-2, -1}, {2, -1}, {0, -1}};
    for (auto& f : fr) c.set(22 + f[0], y0 + 4 + f[1], C(0x286838));
    for (int i = 0; i < 4; ++i) c.set(15 - i / 3, y0 + 10 - i, C(0x183828));
    for (auto& f : fr)
        if (std::abs(f[0]) < 3) c.set(14 + f[0], y0 + 6 + f[1], C(0x286838));
}

void hills(Canvas& c, int y0) {
    const double a[3] = {2.5, 1.2, 0.6};
    for (int x = 0; x < 64; ++x) {
        int back = int(std::lround(8 + wave(x, a, 3, 0.7)));
        column(c, x, y0, 15 - back, C(0x508860), C(0x305840));
        int front = int(std::lround(4 + wave(x, a, 2, 2.1) * 0.8));
        column(c, x, y0, 15 - front, C(0x407848), C(0x204828));
    }
}

void city(Canvas& c, int y0) {  // a far city: blocks with lit windows
    const int tops[16] = {6, 9, 4, 11, 7, 5, 13, 8, 6, 10, 4, 7, 12, 5, 9, 6};
    for (int x = 0; x < 64; ++x) {
        int b = x / 4, h = tops[b];
        column(c, x, y0, 15 - h, C(0x485878), C(0x283048));
        if (x % 4 == 3) column(c, x, y0, 15 - h, C(0x283048), C(0x202840));
    }
    for (int x = 1; x < 64; x += 2)
        for (int y = 6; y < 15; y += 3)
            if (c.get(x, y0 + y) == C(0x283048) && ((x * 7 + y * 3) % 5 == 0))
                c.set(x, y0 + y, C(0xF8E070));
    line(c, 26, y0 + 2, 26, y0 + 0, C(0x485878));  // an antenna
    c.set(26, y0, RED);
}

void mountains(Canvas& c, int y0) {
    for (int x = 0; x < 64; ++x) {
        int d1 = std::abs(x - 20), d2 = std::abs(x - 47);
        int h = std::max(14 - d1 * 2 / 3, 10 - d2 * 2 / 3);
        h = std::max(h, 3);
        int top = 15 - h;
        for (int y = top; y < 16; ++y) {
            uint32_t col = (y - top < 3 && h > 7)
                               ? (x < (d1 < d2 ? 20 : 47) ? WHITE : GREY_L)
                               : (x < (d1 < d2 ? 20 : 47) ? C(0x6878A0) : C(0x485878));
            c.set(x, y0 + y, col);
        }
    }
}

void clouds(Canvas& c, int y0) {  // a bank of puffy clouds on the horizon
    const int puffs[][3] = {{6, 9, 5},  {16, 7, 6},  {27, 10, 4},
                            {38, 8, 6}, {50, 10, 5}, {60, 9, 4}};
    for (auto& p : puffs)
        for (int dx = -p[2]; dx <= p[2]; ++dx) {
            int x = (p[0] + dx + 64) % 64;
            int h = int(std::sqrt(double(p[2] * p[2] - dx * dx)));
            for (int y = p[1] - h; y < 16; ++y) {
                uint32_t col = y == p[1] - h ? WHITE : (y < p[1] ? C(0xE0E0F0) : C(0xB0B0D0));
                if (c.get(x, y0 + y) == KEY || col == WHITE) c.set(x, y0 + y, col);
            }
        }
}

void mesas(Canvas& c, int y0) {  // desert buttes
    for (int x = 0; x < 64; ++x) {
        int h = 2;
        if (x >= 8 && x < 24) h = x < 10 || x > 21 ? 7 : 10;
        if (x >= 36 && x < 46) h = x < 38 || x > 43 ? 5 : 7;
        column(c, x, y0, 15 - h, C(0xD89858), C(0x985830));
        if (h > 4) c.set(x, y0 + 15 - h + 3, C(0xB07040));
    }
}

void icebergs(Canvas& c, int y0) {
    for (int x = 0; x < 64; ++x) {
        int d1 = std::abs(x - 14), d2 = std::abs(x - 44);
        int h = std::max(d1 < 9 ? 11 - d1 - (x > 14 ? d1 / 2 : 0) : 0, d2 < 6 ? 6 - d2 : 0);
        if (h > 0)
            column(c, x, y0, 15 - h, WHITE,
                   x < 14 || (x > 38 && x < 44) ? C(0xC0E8F8) : C(0x88B8D8));
    }
}

void volcano(Canvas& c, int y0) {
    for (int x = 0; x < 64; ++x) {
        int d = std::abs(x - 32);
        int h = d < 3 ? 10 : std::max(0, 10 - (d - 3) * 2 / 3);
        if (h > 0) column(c, x, y0, 15 - h, C(0x604050), C(0x302030));
    }
    fill_rect(c, 30, y0 + 5, 5, 1, C(0xF86020));  // glowing crater
    const int smoke[][2] = {{32, 3}, {33, 2}, {31, 2}, {34, 1}, {33, 0}, {35, 0}};
    for (auto& s : smoke) c.set(s[0], y0 + s[1], GREY);
}

}  // namespace

Canvas draw_etoiles() {
    // four twinkle frames, from a faint dot to a bright cross with glints
    Canvas c(32, 8);
    c.set(3, 3, GREY);
    c.set(11, 3, WHITE);
    c.set(10, 3, GREY);
    c.set(12, 3, GREY);
    c.set(11, 2, GREY);
    c.set(11, 4, GREY);
    c.set(19, 3, WHITE);
    for (int r = 1; r <= 2; ++r) {
        uint32_t col = r == 1 ? YEL_L : GREY;
        c.set(19 - r, 3, col);
        c.set(19 + r, 3, col);
        c.set(19, 3 - r, col);
        c.set(19, 3 + r, col);
    }
    c.set(27, 3, WHITE);
    for (int r = 1; r <= 3; ++r) {
        uint32_t col = r == 1 ? WHITE : (r == 2 ? YEL_L : YEL);
        c.set(27 - r, 3, col);
        c.set(27 + r, 3, col);
        c.set(27, 3 - r, col);
        c.set(27, 3 + r, col);
    }
    c.set(26, 2, YEL_L);
    c.set(28, 2, YEL_L);
    c.set(26, 4, YEL_L);
    c.set(28, 4, YEL_L);
    return c;
}

Canvas draw_backgnds() {
    Canvas c(64, 128);
    void (*strips[8])(Canvas&, int) = {islands, hills, city,     mountains,
                                       clouds,  mesas, icebergs, volcano};
    for (int t = 0; t < 8; ++t) strips[t](c, 16 * t);
    return c;
}

Canvas draw_parallax(int n) {
    switch (n) {
    case 1: {  // a tile of sea sparkle
        Canvas c(8, 8, SEA);
        c.set(2, 2, SEA_L);
        c.set(3, 2, WHITE);
        c.set(6, 5, SEA_L);
        c.set(1, 6, SEA_D);
        return c;
    }
    case 2: {  // a sky gradient, dusk at the bottom
        Canvas c(16, 128);
        for (int y = 0; y < 128; ++y)
            fill_rect(c, 0, y, 16, 1, mix(C(0x000010), C(0xF08040), y, 127));
        return c;
    }
    case 3: {  // far clouds on a dusk sky
        Canvas c(320, 24, C(0x182848));
        for (int x = 0; x < 320; ++x) {
            double h = 8 + 4 * std::sin(x * 2 * PI / 80.0) + 2 * std::sin(x * 2 * PI / 32.0 + 1);
            for (int y = int(24 - h); y < 24; ++y)
                c.set(x, y, y == int(24 - h) ? C(0xC0A0C0) : C(0x586088));
        }
        return c;
    }
    default: {  // rows of waves
        Canvas c(320, 32, SEA_D);
        for (int y = 0; y < 32; y += 4)
            for (int x = 0; x < 320; ++x) {
                int crest = int(1.5 + 1.5 * std::sin((x + y * 5) * 2 * PI / 16.0));
                c.set(x, y + crest, y < 16 ? SEA : SEA_L);
            }
        return c;
    }
    }
}
