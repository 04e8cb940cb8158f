// Tower enemies: four sets of bouncer, roller and patroller (one set per pair
// of towers), their shared appear/vanish sparkle, the flyer and the
// creature's shot. Enemy pictures are 32x16 with their feet on the last row
// and their middle on column 16, where the game centres them.
#include <cmath>

#include "palette.h"
#include "sheets.h"

namespace {

using namespace pal;
const double PI = 3.14159265358979323846;

struct Ramp {
    uint32_t d, m, l;
};

void eyes(Canvas& c, int x, int y, int look, bool angry = false) {
    // two eyes 2 pixels wide, a gap of 2; pupils follow `look` (-1, 0, 1)
    for (int e = 0; e < 2; ++e) {
        int ex = x + e * 4;
        fill_rect(c, ex, y, 2, 3, WHITE);
        c.set(ex + (look > 0 ? 1 : 0), y + 1, INK);
        c.set(ex + (look > 0 ? 1 : 0), y + 2, INK);
    }
    if (angry) {
        c.set(x, y - 1, INK);
        c.set(x + 1, y, INK);
        c.set(x + 5, y - 1, INK);
        c.set(x + 4, y, INK);
    }
}

// A lit ball: dark rim at the lower right, highlight at the upper left.
void ball(Canvas& c, int cx2, int cy2, int r2, Ramp k) {
    fill_ellipse2(c, cx2, cy2, r2, r2, k.d);
    fill_ellipse2(c, cx2 - 1, cy2 - 1, r2 - 2, r2 - 2, k.m);
    fill_ellipse2(c, cx2 - r2 / 2, cy2 - r2 / 2, r2 / 3, r2 / 3, k.l);
}

void cell_outline(Canvas& c, int y0, int h = 16) { outline(c, 0, y0, 32, h, INK); }

// ---- bouncers (picture 4) ----
void bouncer(Canvas& c, int set, int y0) {
    switch (set) {
    case 1: {  // a red jelly that squats and springs
        Ramp r{RED_D, RED, RED_L};
        fill_ellipse2(c, 32, 2 * y0 + 21, 14, 9, r.d);
        fill_ellipse2(c, 31, 2 * y0 + 20, 12, 8, r.m);
        fill_rect(c, 11, y0 + 7, 3, 1, r.l);
        c.set(11, y0 + 8, r.l);
        c.set(12, y0 + 6, WHITE);
        fill_rect(c, 10, y0 + 14, 13, 1, r.d);
        eyes(c, 14, y0 + 8, 1);
        c.set(16, y0 + 12, INK);
        c.set(17, y0 + 12, INK);
        break;
    }
    case 2: {  // a blue water drop
        Ramp r{BLUE_D, BLUE, BLUE_L};
        fill_ellipse2(c, 32, 2 * y0 + 21, 12, 9, r.d);
        fill_ellipse2(c, 31, 2 * y0 + 21, 10, 8, r.m);
        for (int i = 0; i < 5; ++i)
            fill_rect(c, 16 - i / 2, y0 + 2 + i, 1 + i, 1, i < 2 ? r.l : r.m);
        fill_rect(c, 12, y0 + 8, 2, 3, r.l);
        c.set(12, y0 + 7, WHITE);
        eyes(c, 14, y0 + 9, 1);
        break;
    }
    case 3: {  // a one-eyed pogo robot on its spring
        fill_rect(c, 11, y0 + 1, 10, 8, GRN_D);
        fill_rect(c, 11, y0 + 1, 9, 7, GRN);
        fill_rect(c, 11, y0 + 1, 9, 2, GRN_L);
        fill_circle(c, 16, y0 + 5, 2, WHITE);
        c.set(16, y0 + 5, INK);
        c.set(17, y0 + 5, INK);
        c.set(16, y0 + 6, INK);
        for (int i = 0; i < 5; ++i)
            fill_rect(c, i & 1 ? 14 : 13, y0 + 9 + i, 5, 1, i & 1 ? GREY : GREY_L);
        fill_rect(c, 11, y0 + 14, 10, 1, GREY_D);
        break;
    }
    default: {    // a grinning pumpkin
        y0 += 1;  // round at the bottom: sit it one row lower
        Ramp r{C(0xA03808), C(0xF07818), C(0xF8B048)};
        fill_ellipse2(c, 32, 2 * y0 + 19, 14, 10, r.d);
        fill_ellipse2(c, 31, 2 * y0 + 18, 12, 9, r.m);
        for (int y = y0 + 6; y < y0 + 14; ++y) {
            c.set(13, y, r.d);
            c.set(19, y, r.d);
        }
        c.set(11, y0 + 8, r.l);
        c.set(11, y0 + 9, r.l);
        fill_rect(c, 15, y0 + 3, 2, 2, GRN);
        // carved eyes and grin, lit from inside
        fill_rect(c, 13, y0 + 8, 2, 2, YEL);
        fill_rect(c, 18, y0 + 8, 2, 2, YEL);
        fill_rect(c, 13, y0 + 11, 7, 1, YEL);
        c.set(15, y0 + 12, YEL);
        c.set(17, y0 + 12, YEL);
        break;
    }
    }
}

// ---- rollers (picture 5) ----
void roller(Canvas& c, int set, int y0) {
    switch (set) {
    case 1: {  // a spiny purple urchin
        // Sixteen spines, long and short by turns, each a lit shaft with a
        // pale tip; the outline later gives every spine its dark edge, so the
        // crown reads on light and dark walls alike. None reaches below row
        // 14: the urchin rolls on its spines' outline, on the picture's last row.
        for (int i = 0; i < 16; ++i) {
            double a = i * PI / 8 + PI / 16;
            double len = (i & 1) ? 6.0 : 7.6;
            int tx = 16 + int(std::lround(len * std::cos(a))),
                ty = y0 + 9 + int(std::lround(len * 0.85 * std::sin(a)));
            if (ty > y0 + 14) ty = y0 + 14;
            line(c, 16, y0 + 9, tx, ty, std::cos(a) + std::sin(a) < 0 ? PUR_L : PUR);
            c.set(tx, ty, (i & 1) ? PUR_L : WHITE);
        }
        ball(c, 32, 2 * y0 + 19, 10, {PUR_D, PUR, PUR_L});
        eyes(c, 13, y0 + 7, 1, true);
        break;
    }
    case 2: {  // a blue and white striped ball
        fill_circle(c, 16, y0 + 9, 6, BLUE);
        for (int y = y0 + 3; y <= y0 + 15; ++y)
            for (int x = 10; x <= 22; ++x)
                if (c.get(x, y) == BLUE && ((x + y) / 3) % 2 == 0) c.set(x, y, WHITE);
        fill_rect(c, 13, y0 + 5, 2, 2, WHITE);
        outline(c, 0, y0, 32, 16, BLUE_D);
        break;
    }
    case 3: {  // a red and white beach ball
        fill_circle(c, 16, y0 + 9, 6, RED);
        for (int y = y0 + 3; y <= y0 + 15; ++y)
            for (int x = 10; x <= 22; ++x) {
                if (c.get(x, y) == KEY) continue;
                int sx = x - 16;
                if (sx >= -1 && sx <= 1) c.set(x, y, WHITE);
                if (sx >= 4) c.set(x, y, YEL);
            }
        fill_rect(c, 12, y0 + 5, 2, 1, RED_L);
        break;
    }
    default: {  // a yellow sea mine with studs
        ball(c, 32, 2 * y0 + 18, 11, {YEL_D, YEL, YEL_L});
        const int studs[4][2] = {{16, 2}, {9, 9}, {23, 9}, {16, 15}};
        for (auto& s : studs) c.set(s[0], y0 + s[1] - (s[1] == 15 ? 0 : 0), GREY_L);
        eyes(c, 13, y0 + 7, 1, true);
        break;
    }
    }
}

// ---- patrollers (pictures 12-19, an eight-step cycle) ----
void patroller(Canvas& c, int set, int y0, int step) {
    double ph = step * 2 * PI / 8;
    int flap = int(std::lround(2.0 * std::sin(ph)));  // -2..2
    switch (set) {
    case 1: {  // a winged eyeball
        int bob = step < 4 ? 0 : 1;
        for (int s = -1; s <= 1; s += 2)
            for (int i = 0; i < 6; ++i) {
                int x = 16 + s * (6 + i), y = y0 + 7 + bob - (i * flap) / 3 - (i > 3 ? 1 : 0);
                c.set(x, y, PUR);
                c.set(x, y + 1, PUR_D);
                if (i < 4) c.set(x, y - 1, PUR_L);
            }
        fill_circle(c, 16, y0 + 7 + bob, 5, WHITE);
        fill_rect(c, 12, y0 + 10 + bob, 9, 2, GREY_L);
        int look = step < 2 || step >= 6 ? -1 : 1;
        fill_circle(c, 16 + look * 2, y0 + 7 + bob, 2, RED);
        fill_rect(c, 15 + look * 2, y0 + 6 + bob, 2, 2, INK);
        break;
    }
    case 2: {  // a propeller robot with a blinking lamp
        fill_ellipse2(c, 32, 2 * y0 + 20, 10, 8, GREY_D);
        fill_ellipse2(c, 31, 2 * y0 + 19, 8, 7, GREY);
        fill_rect(c, 13, y0 + 7, 3, 1, GREY_L);
        fill_rect(c, 13, y0 + 9, 7, 3, INK2);
        c.set(14 + (step % 4), y0 + 10, RED_L);
        c.set(15 + (step % 4), y0 + 10, RED);
        line(c, 16, y0 + 2, 16, y0 + 5, GREY_D);
        int span = int(std::lround(7 * std::fabs(std::cos(ph / 2))));
        fill_rect(c, 16 - span, y0 + 2, 2 * span + 1, 1, step & 1 ? YEL : YEL_L);
        c.set(16, y0 + 1, RED);
        fill_rect(c, 12, y0 + 14, 9, 1, GREY_D);
        break;
    }
    case 3: {  // a little ghost whose hem ripples
        fill_ellipse2(c, 32, 2 * y0 + 10, 12, 9, PINK);
        fill_rect(c, 10, y0 + 5, 12, 7, PINK);
        fill_ellipse2(c, 31, 2 * y0 + 9, 9, 6, WHITE);
        fill_rect(c, 11, y0 + 5, 9, 6, WHITE);
        for (int x = 10; x < 22; ++x) {
            int wave = ((x + step) / 2) % 2;
            for (int y = y0 + 12; y < y0 + 14 + wave; ++y)
                c.set(x, y, x < 13 || x > 19 ? PINK : WHITE);
        }
        int look = step < 4 ? 0 : 1;
        fill_rect(c, 13 + look, y0 + 6, 2, 3, INK);
        fill_rect(c, 17 + look, y0 + 6, 2, 3, INK);
        c.set(13 + look, y0 + 6, BLUE_L);
        c.set(17 + look, y0 + 6, BLUE_L);
        c.set(15 + look, y0 + 10, PUR_D);
        c.set(16 + look, y0 + 10, PUR_D);
        break;
    }
    default: {  // a bee
        int bob = (step / 2) % 2;
        // Wings: white with a pale blue vein, outlined like the body so they
        // read on the ice and the basalt; raised and spread on the up beat,
        // folded low and flat on the down beat.
        bool up = flap > 0;
        int wy = y0 + (up ? 1 : 4) + bob;
        for (int s = -1; s <= 1; s += 2) {
            int wx2 = 32 + s * (up ? 7 : 9);
            fill_ellipse2(c, wx2, 2 * wy + (up ? 5 : 3), up ? 6 : 8, up ? 5 : 3, WHITE);
            c.set(16 + s * (up ? 3 : 4) - (s < 0), wy + (up ? 2 : 1), BLUE_L);
            c.set(16 + s * (up ? 4 : 5) - (s < 0), wy + (up ? 1 : 1), BLUE_L);
        }
        int by = y0 + 6 + bob;
        fill_ellipse2(c, 32, 2 * by + 7, 14, 7, YEL);
        for (int x = 14; x < 22; x += 3)
            for (int y = by + 1; y < by + 7; ++y)
                if (c.get(x, y) == YEL) c.set(x, y, INK2);
        fill_circle(c, 11, by + 3, 3, YEL_D);
        c.set(10, by + 2, WHITE);
        c.set(10, by + 3, INK);
        c.set(23, by + 4, INK);
        break;
    }
    }
}

// ---- appear/vanish sparkle (pictures 9-11, 9 the smallest) ----
// A four-pointed star in the set's colour with a white heart, diagonal glints
// and, at full size, a ring of sparks. It is outlined like the enemies: the
// player must see where an enemy is about to appear on the palest wall too.
void sparkle(Canvas& c, int set, int y0, int size) {
    static const uint32_t tint[5] = {0, RED_L, BLUE_L, GRN_L, YEL};
    static const uint32_t deep[5] = {0, RED, BLUE, GRN, YEL_D};
    const int cx = 16, cy = y0 + 8;
    const int arm = 3 + 2 * size;  // 3, 5, 7 pixels from the heart
    for (int i = -arm; i <= arm; ++i) {
        int d = std::abs(i);
        uint32_t col = d <= 1 ? WHITE : (d <= arm / 2 + 1 ? YEL_L : tint[set]);
        if (d == arm) col = deep[set];
        c.set(cx + i, cy, col);
        c.set(cx, cy + i, col);
    }
    // the points are two pixels thick near the heart
    for (int i = -size; i <= size; ++i) {
        c.set(cx + i, cy - 1, i == 0 ? WHITE : YEL_L);
        c.set(cx + i, cy + 1, i == 0 ? WHITE : YEL_L);
        c.set(cx - 1, cy + i, i == 0 ? WHITE : YEL_L);
        c.set(cx + 1, cy + i, i == 0 ? WHITE : YEL_L);
    }
    int diag = size + 1;  // 1, 2, 3
    for (int k = 1; k <= diag; ++k) {
        uint32_t col = k == diag ? tint[set] : YEL_L;
        c.set(cx + k + 1, cy - k - 1, col);
        c.set(cx - k - 1, cy - k - 1, col);
        c.set(cx + k + 1, cy + k + 1, col);
        c.set(cx - k - 1, cy + k + 1, col);
    }
    if (size == 2) {  // loose sparks flying off
        const int sp[6][2] = {{-9, -3}, {9, -4}, {-7, 5}, {8, 4}, {-12, 1}, {12, 0}};
        for (auto& s : sp) c.set(cx + s[0], cy + s[1], s[1] < 0 ? WHITE : tint[set]);
    }
    outline(c, 0, y0, 32, 16, INK);
}

}  // namespace

Canvas draw_nmis(int n) {
    Canvas c(32, 256);
    int set = ((n - 1) & 3) + 1;
    auto y_of = [](int pic) { return 16 * pic - 64; };
    bouncer(c, set, y_of(4));
    roller(c, set, y_of(5));
    for (int s = 0; s < 8; ++s) patroller(c, set, y_of(12 + s), s);
    for (int pic : {4, 5, 12, 13, 14, 15, 16, 17, 18, 19}) cell_outline(c, y_of(pic));
    for (int k = 0; k < 3; ++k) sparkle(c, set, y_of(9 + k), k);
    return c;
}

Canvas draw_flying() {
    // A seagull seen from the front, symmetric so it can fly either way; its
    // body rides high in the picture, at the creature's height.
    Canvas c(32, 256);
    const uint32_t tip = C(0x282838), wing_d = C(0x687088), wing = C(0xA8B0C8), wing_l = WHITE;
    for (int k = 0; k < 8; ++k) {
        int y0 = 32 * k;
        double lift = std::cos(k * 2 * PI / 8);      // +1 wings up, -1 wings down
        int cy = y0 + 10 + int(std::lround(-lift));  // the body rises as the wings beat down
        for (int s = -1; s <= 1; s += 2)
            for (int i = 0; i <= 11; ++i) {
                double t = i / 11.0;
                // leading edge bends at the wrist; the trailing edge tapers
                double bend = t < 0.45 ? t / 0.45 : 1.0 - (t - 0.45) * 0.5;
                int lead =
                    cy -
                    int(std::lround(lift * 6.0 * bend + (t > 0.45 ? lift * 1.5 * (t - 0.45) : 0)));
                int thick = int(std::lround(4.0 * (1.0 - t) + 1.0));
                int x = 16 + s * (3 + i) - (s < 0 ? 1 : 0);
                for (int y = lead; y <= lead + thick; ++y) {
                    uint32_t col = y == lead ? wing_l : (y == lead + thick ? wing_d : wing);
                    if (i >= 9) col = tip;
                    c.set(x, y, col);
                }
            }
        // body, head and beak
        fill_ellipse2(c, 32, 2 * cy + 5, 7, 9, WHITE);
        fill_rect(c, 13, cy + 4, 6, 1, GREY_L);
        c.set(14, cy, INK);
        c.set(17, cy, INK);
        fill_rect(c, 15, cy + 1, 2, 2, YEL);
        c.set(15, cy + 3, YEL_D);
        c.set(16, cy + 3, YEL_D);
        c.set(14, cy + 7, FUR);
        c.set(17, cy + 7, FUR);
        outline(c, 0, y0, 32, 32, INK);
    }
    return c;
}

Canvas draw_fire() {
    // The creature's shot: a spinning spark, its four points turning a
    // sixteenth of a turn each frame.
    Canvas c(32, 8);
    for (int k = 0; k < 4; ++k) {
        int x0 = 8 * k;
        double a0 = k * PI / 8;
        for (int arm = 0; arm < 4; ++arm) {
            double a = a0 + arm * PI / 2;
            int ex = x0 + 3 + int(std::lround(3.4 * std::cos(a))),
                ey = 3 + int(std::lround(3.4 * std::sin(a)));
            line(c, x0 + 3, 3, ex, ey, FUR);
            c.set(ex, ey, RED);
        }
        fill_rect(c, x0 + 2, 2, 3, 3, YEL);
        c.set(x0 + 3, 3, WHITE);
        c.set(x0 + 2, 2, YEL_L);
    }
    return c;
}
