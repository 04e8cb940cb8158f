// The interlevel: the submarine (also seen at the tower's foot), its torpedo
// and the fish.
#include <cmath>

#include "palette.h"
#include "sheets.h"

namespace {

using namespace pal;
const double PI = 3.14159265358979323846;

const uint32_t HULL_D = C(0xA05810), HULL = C(0xF0B020), HULL_L = C(0xF8E070),
               HULL_DD = C(0x603008);
const uint32_t GLASS_D = C(0x207088), GLASS = C(0x50B8D0), GLASS_L = C(0xB0F0F8);

// The whole hull, 80 pixels from stern to bow; the game draws it as three
// 32-pixel pieces 24 pixels apart, cut from this one picture so the
// overlaps match.
Canvas hull() {
    Canvas c(80, 32);
    // capsule body: rows 2..23, nose rounded at the right, tail narrowing
    for (int x = 4; x < 78; ++x) {
        double top, bot;
        if (x < 22) {
            double t = (x - 4) / 18.0;
            top = 12 - 10 * std::sqrt(t);
            bot = 16 + 7 * std::sqrt(t);
        } else if (x < 66) {
            top = 2;
            bot = 23;
        } else {
            double t = (x - 66) / 12.0;
            double r = std::sqrt(std::max(0.0, 1 - t * t));
            top = 12.5 - 10.5 * r;
            bot = 12.5 + 10.5 * r;
        }
        int y0 = int(std::lround(top)), y1 = int(std::lround(bot));
        for (int y = y0; y <= y1; ++y) {
            double v = double(y - y0) / std::max(1, y1 - y0);  // 0 top .. 1 bottom
            uint32_t col = v < 0.12 ? HULL_L : (v < 0.6 ? HULL : (v < 0.85 ? HULL_D : HULL_DD));
            c.set(x, y, col);
        }
    }
    // a red band along the side and a row of portholes above the waterline
    for (int x = 6; x < 76; ++x)
        for (int y = 14; y <= 15; ++y)
            if (c.get(x, y) != KEY) c.set(x, y, y == 14 ? RED : RED_D);
    for (int px : {30, 42, 54}) {
        fill_circle(c, px, 8, 2, GREY_D);
        fill_rect(c, px - 1, 7, 3, 3, GLASS);
        c.set(px - 1, 7, GLASS_L);
    }
    // rivets along the deck
    for (int x = 10; x < 70; x += 6) c.set(x, 4, HULL_D);
    // stern fins and propeller
    for (int i = 0; i < 7; ++i)
        for (int y = 0; y <= i; ++y) {
            c.set(6 + i, 3 + y - 2, y == 0 ? HULL_L : HULL_D);  // upper fin
            c.set(6 + i, 24 - y + 1, HULL_DD);                  // lower fin
        }
    fill_rect(c, 1, 9, 3, 8, GREY);
    fill_rect(c, 1, 9, 1, 8, GREY_L);
    fill_rect(c, 3, 12, 2, 3, GREY_D);
    // bow lamp
    fill_rect(c, 74, 9, 2, 3, YEL_L);
    c.set(75, 10, WHITE);
    outline(c, 0, 0, 80, 32, INK);
    return c;
}

// The glass dome over the cockpit, its rim on the hull's deck. The pilot
// shows through the glass: the creature's own ears and brow, placed where
// the creature stands while the submarine rides out of the sea.
void dome(Canvas& c) {
    fill_ellipse2(c, 32, 44, 27, 38, GLASS_D);
    fill_ellipse2(c, 31, 43, 24, 35, GLASS);
    const Canvas& pl = sheet_canvas("player.bmp");
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 32; ++x) {
            uint32_t p = pl.get(x, y);
            int dx = x - 4,
                dy = y + 16;  // the creature is drawn 4 columns left of the dome, 16 rows lower
            if (p != KEY && c.get(dx, dy) != KEY) c.set(dx, dy, mix(p, GLASS, 2, 5));
        }
    // highlights on the glass
    line(c, 7, 12, 11, 6, GLASS_L);
    line(c, 8, 13, 12, 7, GLASS_L);
    c.set(14, 5, WHITE);
    c.set(15, 5, GLASS_L);
    // only the part above the deck is dome; a metal rim seals it
    fill_rect(c, 0, 22, 32, 10, KEY);
    fill_rect(c, 2, 20, 28, 2, GREY);
    fill_rect(c, 2, 20, 28, 1, GREY_L);
    fill_rect(c, 15, 1, 2, 2, RED);  // a little lamp on top
    c.set(15, 1, RED_L);
    outline(c, 0, 0, 32, 32, INK);
}
}  // namespace

Canvas draw_subway() {
    Canvas c(32, 128);
    Canvas d(32, 32);
    dome(d);
    blit(c, d, 0, 0, 32, 32, 0, 0);
    Canvas h = hull();
    for (int s = 0; s < 3; ++s) blit(c, h, 24 * s, 0, 32, 32, 0, 32 * (s + 1));
    return c;
}

Canvas draw_torpille() {
    Canvas c(8, 8);
    fill_rect(c, 1, 3, 5, 2, GREY_L);
    fill_rect(c, 1, 4, 5, 1, GREY);
    c.set(6, 3, RED);
    c.set(6, 4, RED_D);
    c.set(1, 2, GREY_D);
    c.set(1, 5, GREY_D);
    c.set(0, 3, WHITE);  // a bubble of its wake
    outline(c, 0, 0, 8, 8, INK);
    c.set(0, 3, WHITE);
    c.set(0, 1, GLASS_L);
    return c;
}

namespace {

struct FishLook {
    uint32_t d, m, l, fin, stripe;
    int len, height;
};

// One fish facing left, centred in the 24x24 box where the game tests it.
void fish(Canvas& c, int y0, const FishLook& k, int step, int kind, bool stunned) {
    Canvas f(32, 32);
    int cx = 12, cy = 12;
    double wag = std::sin(step * PI / 2);
    int tail_shift = int(std::lround(wag * 2));
    int L = k.len, H = k.height;
    // tail fan at the back (right)
    int tx = cx + L / 2;
    for (int i = 0; i < 5; ++i) {
        int spread = 1 + i;
        for (int y = -spread; y <= spread; ++y)
            f.set(tx + i, cy + y + (tail_shift * i) / 4, i == 4 ? k.d : k.fin);
    }
    // body
    fill_ellipse2(f, 2 * cx + 1, 2 * cy + 1, L, H, k.d);
    fill_ellipse2(f, 2 * cx, 2 * cy, L - 2, H - 2, k.m);
    fill_ellipse2(f, 2 * cx - 2, 2 * cy - H / 2, L / 2, H / 3, k.l);
    // stripes
    if (kind == 0)
        for (int y = cy - H / 2; y <= cy + H / 2; ++y) {
            if (f.get(cx + 1, y) != KEY) f.set(cx + 1, y, k.stripe);
            if (f.get(cx + 2, y) != KEY) f.set(cx + 2, y, k.stripe);
        }
    if (kind == 2)
        for (int s = -1; s <= 1; ++s)
            for (int y = cy - H / 2; y <= cy + H / 2; ++y)
                if (f.get(cx + 4 * s + 1, y) != KEY) f.set(cx + 4 * s + 1, y, k.stripe);
    // fins: top and bottom, flapping with the swim step
    int flap = (step & 1);
    if (kind == 2) {
        for (int i = 0; i < 5; ++i) {
            f.set(cx + i, cy - H / 2 - 1 - i + flap, k.fin);
            f.set(cx + i, cy + H / 2 + 1 + i - flap, k.fin);
            f.set(cx + i + 1, cy - H / 2 - 1 - i + flap, k.fin);
            f.set(cx + i + 1, cy + H / 2 + 1 + i - flap, k.fin);
        }
    } else {
        fill_rect(f, cx - 1, cy - H / 2 - 1 - flap, 5, 1 + flap, k.fin);
        fill_rect(f, cx + 1, cy + H / 2 + 1, 3, 1, k.fin);
    }
    // eye and mouth at the front (left)
    int ex = cx - L / 2 + 3;
    if (stunned) {
        f.set(ex - 1, cy - 3, INK);
        f.set(ex + 1, cy - 3, INK);
        f.set(ex, cy - 2, INK);
        f.set(ex - 1, cy - 1, INK);
        f.set(ex + 1, cy - 1, INK);
    } else {
        fill_rect(f, ex - 1, cy - 3, 3, 3, WHITE);
        f.set(ex - 1, cy - 2, INK);
        f.set(ex, cy - 2, INK);
    }
    f.set(cx - L / 2 + 1, cy + 1, k.d);
    // gill line
    for (int y = cy - 1; y <= cy + 2; ++y)
        if (f.get(ex + 3, y) != KEY) f.set(ex + 3, y, k.d);
    outline(f, 0, 0, 32, 32, INK);
    if (stunned) {
        // belly up
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 32; ++x) {
                uint32_t a = f.get(x, y), b = f.get(x, 24 - y);
                f.set(x, y, b);
                f.set(x, 24 - y, a);
            }
    }
    blit(c, f, 0, 0, 32, 32, 0, y0);
}

const FishLook LOOKS[3] = {
    {C(0xB08010), C(0xF8D030), C(0xF8F498), C(0xF89828), C(0x2858C8), 19,
     14},                                                             // yellow, blue-banded
    {C(0x902018), C(0xE85038), C(0xF8A088), C(0xF8D8C0), 0, 19, 10},  // long red snapper
    {C(0x5820A0), C(0xA060E8), C(0xE0C0F8), C(0x40C8E8), C(0xF8F8F8), 15,
     18},  // tall violet angelfish
};

}  // namespace

Canvas draw_fishs() {
    Canvas c(32, 512);
    for (int type = 0; type < 3; ++type)
        for (int s = 0; s < 4; ++s) fish(c, 32 * (4 * type + s), LOOKS[type], s, type, false);
    for (int s = 0; s < 4; ++s) {
        int y0 = 32 * (12 + s);
        fish(c, y0, LOOKS[0], 0, 0, true);
        // little stars circling the dazed fish
        for (int k = 0; k < 3; ++k) {
            double a = s * PI / 6 + k * 2 * PI / 3;
            int sx = 12 + int(std::lround(8 * std::cos(a))),
                sy = y0 + 3 + int(std::lround(2.5 * std::sin(a)));
            c.set(sx, sy, YEL_L);
            c.set(sx - 1, sy, YEL);
            c.set(sx + 1, sy, YEL);
            c.set(sx, sy - 1, YEL);
            c.set(sx, sy + 1, YEL);
        }
    }
    return c;
}
