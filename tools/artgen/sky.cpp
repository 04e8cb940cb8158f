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

// Two low islands standing in the sea with their palms: a sandy rim at the
// waterline, green crowns lit from the left, curved trunks and fronds.
void islands(Canvas& c, int y0) {
    const uint32_t sand = C(0xE0C080), sand_d = C(0xA08050), grass_l = C(0x50A048),
                   grass = C(0x2C7034), grass_d = C(0x184424), trunk = C(0x6C4424),
                   frond = C(0x2C8038), frond_l = C(0x70C050);
    struct Isle {
        int cx, half, h;
    };
    const Isle isles[2] = {{20, 13, 5}, {49, 7, 3}};
    for (const Isle& s : isles)
        for (int dx = -s.half; dx <= s.half; ++dx) {
            int x = s.cx + dx;
            int h =
                int(std::lround(s.h * std::sqrt(1.0 - double(dx * dx) / (s.half * s.half + 1))));
            int top = 11 - h;
            for (int y = top; y <= 11; ++y) {
                uint32_t col = dx < -s.half / 3 ? grass_l : (dx > s.half / 2 ? grass_d : grass);
                if (y == top && dx < s.half / 2) col = grass_l;
                if (y >= 10) col = dx < 0 ? sand : sand_d;  // the beach at the waterline
                c.set(x, y0 + y, col);
            }
        }
    // palms: a trunk leaning out, bending at the top, and a crown of fronds
    auto palm = [&](int x, int base, int lean) {
        const int bend[7] = {0, 0, 0, 1, 1, 2, 3};
        for (int i = 0; i < 7; ++i) c.set(x + lean * bend[i], y0 + base - i, trunk);
        int tx = x + lean * 3, ty = y0 + base - 7;
        const int fr[][3] = {{-3, 2, 0}, {-2, 1, 0},  {-1, 0, 1}, {1, 0, 1},  {2, 1, 0},
                             {3, 2, 0},  {-1, -1, 1}, {0, -1, 1}, {1, -1, 0}, {0, 0, 0}};
        for (auto& f : fr) c.set(tx + f[0], ty + f[1], f[2] ? frond_l : frond);
    };
    palm(16, 7, -1);
    palm(23, 7, 1);
    palm(49, 8, 1);
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

// Desert buttes on the horizon: flat caps, cliffs lit on the left and in
// shade on the right, darker strata, and low dunes between them.
void mesas(Canvas& c, int y0) {
    const uint32_t lit = C(0xE0A060), face = C(0xB87040), shade_c = C(0x804028),
                   strata = C(0x985030), cap = C(0xF0C080), dune = C(0x905838),
                   dune_l = C(0xB07848);
    for (int x = 0; x < 64; ++x) {  // dunes first, behind the buttes
        int h = 2 + int(std::lround(1.0 + std::sin(2 * PI * x / 32.0 + 0.6)));
        for (int y = 12 - h; y <= 12; ++y) c.set(x, y0 + y, y == 12 - h ? dune_l : dune);
    }
    struct Butte {
        int x0, x1, top, cap_in;
    };
    const Butte buttes[2] = {{6, 24, 3, 2}, {37, 47, 6, 1}};
    for (const Butte& b : buttes)
        for (int x = b.x0; x <= b.x1; ++x)
            for (int y = b.top; y <= 12; ++y) {
                // the cap is a little narrower than the cliff under it
                if (y < b.top + 2 && (x < b.x0 + b.cap_in || x > b.x1 - b.cap_in)) continue;
                double u = double(x - b.x0) / (b.x1 - b.x0);
                uint32_t col = u < 0.25 ? lit : (u > 0.7 ? shade_c : face);
                if (y == b.top) col = cap;
                if ((y - b.top) % 3 == 2 && y > b.top + 1 && u >= 0.25) col = strata;
                c.set(x, y0 + y, col);
            }
    // talus at the feet of the cliffs
    for (const Butte& b : buttes)
        for (int k = 1; k <= 3; ++k)
            for (int y = 12 - (3 - k); y <= 12; ++y) {
                c.set(b.x0 - k, y0 + y, face);
                c.set(b.x1 + k, y0 + y, shade_c);
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

// The sea between the horizon and the tower's foot. The sky's colour bands
// end on the strip's row 6, so from row 7 down every pixel the land leaves
// free is sea in the strip's own colours: far water catching the sky's
// colour at the horizon, darker water nearer, and a few glints. The game's
// water mixes half of each reflected pixel with its blue, so these rows
// come back into the water as blue rather than the dark band the bare sea
// gradient shows there.
struct SeaColours {
    uint32_t far, mid, near_c, glint;
};
const SeaColours SEAS[8] = {
    {C(0x985860), C(0x483870), C(0x202858), YEL_L},        // sunset red and gold
    {C(0x40A8A8), C(0x206878), C(0x183860), WHITE},        // green and cyan
    {C(0x884080), C(0x402868), C(0x201850), PINK},         // red and violet
    {C(0x60A060), C(0x2C6868), C(0x183858), YEL_L},        // green and yellow
    {C(0x4880C8), C(0x2050A0), C(0x183070), WHITE},        // clear blue
    {C(0x8858A0), C(0x403878), C(0x202858), PINK},         // blue and rose
    {C(0x5098B8), C(0x285888), C(0x183060), WHITE},        // pale polar light
    {C(0x906078), C(0x483868), C(0x202850), C(0xF88040)},  // dusk, lava glints
};

bool is_sea(uint32_t p, const SeaColours& s) {
    return p == s.far || p == s.mid || p == s.near_c || p == mix(s.far, s.mid, 1, 2) ||
           p == mix(s.mid, s.near_c, 1, 2);
}

void sea_band(Canvas& c, int y0, const SeaColours& s) {
    for (int y = 7; y < 16; ++y)
        for (int x = 0; x < 64; ++x) {
            if (c.get(x, y0 + y) != KEY) continue;
            // row 7 far, 9-10 middle, 12-15 near, a blend between each
            uint32_t col = y <= 7    ? s.far
                           : y == 8  ? mix(s.far, s.mid, 1, 2)
                           : y <= 10 ? s.mid
                           : y == 11 ? mix(s.mid, s.near_c, 1, 2)
                                     : s.near_c;
            c.set(x, y0 + y, col);
        }
    // glints: short streaks, longer and more of them near the horizon
    const int gl[][3] = {{3, 8, 2},   {29, 8, 3},  {44, 9, 2},  {58, 8, 2},
                         {12, 10, 2}, {37, 11, 1}, {52, 13, 2}, {22, 14, 1}};
    for (auto& g : gl)
        for (int i = 0; i < g[2]; ++i) {
            uint32_t p = c.get(g[0] + i, y0 + g[1]);
            if (is_sea(p, s))  // never on the land
                c.set(g[0] + i, y0 + g[1], g[1] <= 9 ? s.glint : SEA_L);
        }
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
    for (int t = 0; t < 8; ++t) {
        strips[t](c, 16 * t);
        sea_band(c, 16 * t, SEAS[t]);
    }
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
