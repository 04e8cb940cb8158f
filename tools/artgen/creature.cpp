// The creature the player steers: a small round fox-kit with a teal scarf.
// Every frame is composed by a little rig: a body drawn as a pixel grid for
// each view (side, three-quarter back, back), legs, arms and the scarf's
// tail placed by pose numbers, then turned, outlined and shaded.
#include <cmath>

#include "palette.h"
#include "sheets.h"

namespace {

using namespace pal;

const uint32_t BOOT = C(0x503020);
const uint32_t BOOT_L = C(0x886040);

const std::vector<Legend> BODY_LEGEND = {
    {'F', FUR},   {'L', FUR_L},   {'D', FUR_D},   {'C', CREAM}, {'W', WHITE}, {'K', INK},
    {'S', SCARF}, {'s', SCARF_D}, {'T', SCARF_L}, {'P', PINK},  {'N', INK2},
};

// Side view, facing right. Placed with its column 0 at frame column 10.
// clang-format off: the pictures are drawn one pixel row per line
const char* SIDE[] = {
    "...D....D...", "..DLD..DFD..", "..LFFFFFFD..", ".LFFFFFFFFF.", ".LFFFFFFWWF.",
    "LFFFFFFFWKWC", "LFFFFFFFWKKC", "FFFFFFFPCCCN", "DFFFFFFCCCC.", "TSSSSSSSSSS.",
    ".sSSSSSSSSs.", ".DFFFFFCCCC.", ".DDFFFFCCC..", "..DDDFFFC...",
};
// Closed eye for blinks and hurt frames.
const char* SIDE_EYE_SHUT[] = {"FF", "KK", "FF"};
// Three-quarter view from behind: the face has turned away to the right.
const char* TQ[] = {
    "...D.....D..", "..DLD...DFD.", "..LFFFFFFFD.", ".LFFFFFFFFFD", ".LFFFFFFFFFD",
    "LFFFFFFFFFFW", "LFFFFFFFFFFK", "FFFFFFFFFFFC", "DFFFFFFFFFD.", "SSSSTSSSSSs.",
    ".sSSSTSSSSs.", ".DFFFFFFFFD.", ".DDFFFFFFD..", "..DDDFFDD...",
};
// Back view: ears, the scarf's knot and the tail hanging down the back.
const char* BACK[] = {
    "..D......D..", ".DLD....DFD.", ".LFFFFFFFFD.", "LFFFFFFFFFFD", "LFFFFFFFFFFD",
    "LFFFFFFFFFFD", "LFFFFFFFFFFD", "FFFFFFFFFFFD", "DFFFFFFFFFDD", "SSSSSTSSSSSs",
    ".sSSSTTSSSs.", ".DFFFSTFFFD.", ".DDFFSsFFDD.", "..DDDFFDDD..",
};
// clang-format on

enum View { SIDE_V, TQ_V, BACK_V };
enum Eyes { EYE_OPEN, EYE_SHUT, EYE_DIZZY };

struct Pose {
    View view = SIDE_V;
    int bx = 0, by = 0;  // body offset from standing
    int squash = 0;      // rows taken out of the body (landing)
    // feet: x of each boot relative to the hip centre, and lift above ground
    int near_fx = 1, near_lift = 0, far_fx = -1, far_lift = 0;
    // hands relative to the shoulder
    int near_hx = 1, near_hy = 3, far_hx = -1, far_hy = 3;
    int tail = 0;  // scarf tail phase 0..3, -1 none
    Eyes eyes = EYE_OPEN;
    int turn_deg = 0;  // rotation of the whole creature, clockwise
    int dark = 0;      // 0..3: how deep in a doorway's shadow
    int sink = 0;      // drowning: rows sunk below the surface
    bool splash = false;
};

const int HIP_Y = 15;   // first leg row at standing height
const int GROUND = 18;  // last row of the boots when standing (outline below)
const int CX = 16;      // body centre column

void leg(Canvas& c, int hipx, int hipy, int fx, int lift, bool facing_back, uint32_t col) {
    int footy = GROUND - lift;
    int kx = hipx + fx;
    // thigh to ankle
    line(c, hipx, hipy, kx, footy - 1, col);
    line(c, hipx + 1, hipy, kx + 1, footy - 1, col);
    // boot: two pixels tall, pointing the way the creature faces
    if (facing_back) {
        fill_rect(c, kx, footy - 1, 2, 2, BOOT);
        c.set(kx, footy - 1, BOOT_L);
    } else {
        fill_rect(c, kx, footy - 1, 3, 2, BOOT);
        c.set(kx, footy - 1, BOOT_L);
        c.set(kx + 1, footy - 1, BOOT_L);
    }
}

void arm(Canvas& c, int sx, int sy, int hx, int hy, uint32_t col, uint32_t hand) {
    line(c, sx, sy, sx + hx, sy + hy, col);
    c.set(sx + hx, sy + hy, hand);
}

Canvas rotate(const Canvas& src, int deg) {
    if (deg == 0) return src;
    Canvas out(src.w, src.h);
    double a = -deg * 3.14159265358979323846 / 180.0, ca = std::cos(a), sa = std::sin(a);
    double cx = 15.5, cy = 11.5;  // turn about the middle of the body
    for (int y = 0; y < out.h; ++y)
        for (int x = 0; x < out.w; ++x) {
            double dx = x - cx, dy = y - cy;
            int sx = int(std::lround(cx + dx * ca - dy * sa)),
                sy = int(std::lround(cy + dx * sa + dy * ca));
            out.set(x, y, src.get(sx, sy));
        }
    return out;
}

uint32_t darken(uint32_t p, int dark) {
    if (p == KEY || dark == 0) return p;
    static const uint32_t shadow = C(0x100818);
    return mix(p, shadow, dark, 4);
}

Canvas render(const Pose& p) {
    Canvas c(32, 32);
    const char* const* grid = p.view == SIDE_V ? SIDE : (p.view == TQ_V ? TQ : BACK);
    int top = HIP_Y - 14 + p.by + p.squash;
    int left = CX - 6 + p.bx;
    int hipy = HIP_Y + p.by;
    bool back = p.view != SIDE_V;

    // far limbs first, so the body covers them
    leg(c, CX - 2 + p.bx, hipy, p.far_fx - 1, p.far_lift, back, FUR_D);
    if (p.view != BACK_V)
        arm(c, CX - 3 + p.bx, top + 11 - 2 * p.squash, p.far_hx, p.far_hy, FUR_D, FUR_D);

    // body, squashed by dropping rows from its middle
    Canvas body(12, 14);
    draw_grid(body, 0, 0, grid, 14, BODY_LEGEND);
    if (p.view == SIDE_V && p.eyes == EYE_SHUT)
        draw_grid(body, 8, 4, SIDE_EYE_SHUT, 3, BODY_LEGEND);
    if (p.view == SIDE_V && p.eyes == EYE_DIZZY) {
        body.set(8, 4, INK);
        body.set(10, 4, INK);
        body.set(9, 5, INK);
        body.set(8, 6, INK);
        body.set(10, 6, INK);
        body.set(9, 4, WHITE);
        body.set(8, 5, WHITE);
        body.set(10, 5, WHITE);
        body.set(9, 6, WHITE);
    }
    int row = 0;
    for (int y = 0; y < 14; ++y) {
        if (y >= 13 - p.squash && y < 13) continue;  // a squash flattens the belly
        for (int x = 0; x < 12; ++x) {
            uint32_t col = body.get(x, y);
            if (col != KEY) c.set(left + x, top + row, col);
        }
        ++row;
    }
    // widen a squashed body by a column each side
    if (p.squash > 0)
        for (int y = top + 5; y < top + 12 - p.squash; ++y) {
            c.set(left - 1, y, FUR_D);
            c.set(left + 12, y, y < top + 9 ? CREAM : FUR_D);
        }

    // the scarf's tail flutters behind the neck
    if (p.tail >= 0 && p.view == SIDE_V) {
        int ty = top + 9;
        static const int WAVE[4][4] = {{0, 0, 1, 1}, {0, 1, 1, 0}, {0, 0, 0, -1}, {0, -1, 0, 0}};
        for (int i = 0; i < 4; ++i) {
            c.set(left - 1 - i, ty + WAVE[p.tail & 3][i], i == 3 ? SCARF_D : SCARF);
            c.set(left - 1 - i, ty + 1 + WAVE[p.tail & 3][i], SCARF_D);
        }
    }

    // near limbs
    leg(c, CX + p.bx, hipy, p.near_fx, p.near_lift, back, FUR);
    if (p.view == BACK_V) {
        // seen from behind both arms show, one at each side
        int reach = p.far_hy < 0 ? -2 : 2;  // paws down, or raised to a door
        arm(c, left, top + 11, -1, reach, FUR_D, FUR);
        arm(c, left + 11, top + 11, 1, reach, FUR_D, FUR);
    } else {
        arm(c, CX + 1 + p.bx, top + 11 - 2 * p.squash, p.near_hx, p.near_hy, FUR, FUR_L);
    }

    c = rotate(c, p.turn_deg);
    outline(c, 0, 0, 32, 32, INK);

    if (p.sink > 0 || p.splash) {
        // below the surface the picture is replaced by the water's reflection,
        // so the sunk part is simply not drawn
        int water = 20;
        for (int y = water - p.sink; y < 32; ++y)
            for (int x = 0; x < 32; ++x) c.set(x, y, KEY);
        // shift the creature down so it sinks
        Canvas s(32, 32);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                if (y - p.sink >= 0) s.set(x, y, c.get(x, y - p.sink));
        for (int y = water; y < 32; ++y)
            for (int x = 0; x < 32; ++x) s.set(x, y, KEY);
        c = s;
    }
    if (p.splash) {
        // a ring of spray on the surface
        int sp = p.sink;
        for (int i = 0; i < 3; ++i) {
            int dx = 7 + i + sp / 2;
            c.set(CX - dx, 19 - i, i == 0 ? SEA_L : WHITE);
            c.set(CX + dx - 1, 19 - i, i == 0 ? SEA_L : WHITE);
        }
        fill_rect(c, CX - 6, 19, 12, 1, WHITE);
        for (int x = CX - 7; x < CX + 7; x += 2) c.set(x, 18, SEA_L);
    }
    if (p.dark)
        for (auto& px : c.px) px = darken(px, p.dark);
    return c;
}

Pose walk(int i) {
    Pose p;
    double ph = i * 2.0 * 3.14159265358979323846 / 8.0;
    double s = std::sin(ph), co = std::cos(ph);
    p.near_fx = int(std::lround(2.6 * s)) + 1;
    p.far_fx = -int(std::lround(2.6 * s)) + 1;
    p.near_lift = co > 0.3 ? 1 : 0;
    p.far_lift = co < -0.3 ? 1 : 0;
    p.by = std::fabs(s) < 0.5 ? -1 : 0;
    p.near_hx = -int(std::lround(2.0 * s));
    p.near_hy = 3;
    p.far_hx = int(std::lround(2.0 * s)) - 1;
    p.far_hy = 3;
    p.tail = i & 3;
    return p;
}

Pose frame_pose(int f) {
    Pose p;
    if (f < 8) return walk(f);
    switch (f) {
    case 8:
        p.view = TQ_V;
        p.tail = -1;
        break;  // turning: face leaves us
    case 9:
        p.view = TQ_V;
        p.tail = -1;
        p.bx = 0;
        p.near_fx = 0;
        p.far_fx = 0;
        break;
    case 10:
        p.view = BACK_V;
        p.tail = -1;
        p.near_fx = 1;
        p.far_fx = -1;
        break;
    case 11:
        p.view = BACK_V;
        p.tail = -1;
        p.near_fx = 2;
        p.far_fx = -2;
        p.far_hx = -2;
        break;
    case 12: p.tail = 1; break;  // standing
    case 13:
        p.squash = 2;
        p.by = 0;
        p.near_fx = 3;
        p.far_fx = -2;
        p.near_hy = 2;
        p.tail = 0;
        break;  // landing
    case 14:
        p.turn_deg = -25;
        p.near_hx = 2;
        p.near_hy = -4;
        p.far_hx = 1;
        p.far_hy = -4;
        p.near_fx = 3;
        p.eyes = EYE_OPEN;
        p.tail = 2;
        break;
    case 15:
        p.turn_deg = 25;
        p.near_hx = 3;
        p.near_hy = 0;
        p.far_hx = 2;
        p.far_hy = -1;
        p.far_fx = -3;
        p.far_lift = 2;
        p.tail = 3;
        break;
    case 16:
        p.view = TQ_V;
        p.tail = -1;
        p.near_hx = 2;
        p.near_hy = 1;
        break;
    case 17:
        p.view = TQ_V;
        p.tail = -1;
        p.near_fx = 0;
        p.far_fx = 0;
        break;
    case 18:
        p.view = BACK_V;
        p.tail = -1;
        break;
    case 19:
        p.view = BACK_V;
        p.tail = -1;
        p.near_fx = 2;
        p.far_fx = -2;
        p.far_hy = -3;
        p.far_hx = 1;
        break;
    case 20:
        p.view = BACK_V;
        p.tail = -1;
        p.near_fx = 2;
        p.near_lift = 1;
        p.far_fx = -2;
        p.dark = 1;
        break;
    case 21:
        p.view = BACK_V;
        p.tail = -1;
        p.near_fx = 1;
        p.far_fx = -1;
        p.far_lift = 1;
        p.dark = 2;
        break;
    case 22:
        p.view = BACK_V;
        p.tail = -1;
        p.near_fx = 2;
        p.near_lift = 1;
        p.far_fx = -2;
        p.dark = 3;
        break;
    case 23:
        p.view = BACK_V;
        p.tail = -1;
        p.near_fx = 2;
        p.near_lift = 1;
        p.far_fx = -2;
        p.dark = 3;
        break;
    case 24:
        p.view = BACK_V;
        p.tail = -1;
        p.near_fx = 1;
        p.far_fx = -1;
        p.far_lift = 1;
        p.dark = 2;
        break;
    case 25:
        p.view = BACK_V;
        p.tail = -1;
        p.near_fx = 2;
        p.far_fx = -2;
        p.dark = 1;
        break;
    case 26:
        p.near_hx = -4;
        p.near_hy = -2;
        p.tail = 2;
        p.bx = -1;
        break;  // wind up
    case 27:
        p.near_hx = 5;
        p.near_hy = 0;
        p.tail = 3;
        p.bx = 1;
        p.near_fx = 3;
        p.far_fx = -2;
        break;  // throw
    case 28:
        p.turn_deg = -30;
        p.eyes = EYE_SHUT;
        p.near_hx = 3;
        p.near_hy = -4;
        p.far_hx = -2;
        p.far_hy = -4;
        p.near_fx = 3;
        p.far_fx = 1;
        p.tail = 0;
        break;
    case 29:
        p.turn_deg = -110;
        p.eyes = EYE_DIZZY;
        p.near_hx = 3;
        p.near_hy = -3;
        p.far_hx = -3;
        p.far_hy = -3;
        p.tail = 2;
        break;
    case 30:
        p.turn_deg = -200;
        p.eyes = EYE_DIZZY;
        p.near_hx = 3;
        p.near_hy = -3;
        p.far_hx = -3;
        p.far_hy = -3;
        p.tail = 1;
        break;
    default: {  // 31-36: sinking into the sea
        int k = f - 31;
        static const int SINK[6] = {0, 0, 2, 5, 8, 10};
        p.sink = SINK[k];
        p.by = 4;  // already a little way in; the raised paws get room above
        p.splash = k < 5;
        p.near_hx = 3;
        p.near_hy = -13;
        p.far_hx = -3;
        p.far_hy = -13;  // paws up, reaching for air
        p.eyes = k >= 2 ? EYE_SHUT : EYE_OPEN;
        p.tail = -1;
    }
    }
    return p;
}

void lift_platform(Canvas& c, int y0) {
    // the lift decor's plate, one row under the boots, centred on the creature
    draw_lift_plate(c, 4, y0 + 1);
}

}  // namespace

Canvas draw_player() {
    Canvas c(32, 1200);
    for (int f = 0; f < 37; ++f) blit(c, render(frame_pose(f)), 0, 0, 32, 32, 0, 32 * f);
    lift_platform(c, 1184);
    return c;
}

Canvas draw_player2() {
    Canvas c = sheet_canvas("player.bmp");
    for (int f = 0; f < 37; ++f) mirror_cell(c, 0, 32 * f, 32, 32);
    return c;
}

Canvas draw_mplayer() {
    Canvas c(32, 384, SEA_D);
    blit(c, sheet_canvas("player.bmp"), 0, 0, 32, 384, 0, 0);
    return c;
}
