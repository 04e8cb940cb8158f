// The tower: eight wall textures computed from the turning cylinder, the top
// cap, the base, the door views and the decor pieces that stick out of it.
#include <cmath>

#include "geometry.h"
#include "palette.h"
#include "sheets.h"

namespace {

const double PI = 3.14159265358979323846;

// 2x2 ordered dither, fixed to the screen: the light does not turn with the
// tower, so neither does its dither.
int dither2(int x, int y) {
    static const int m[4] = {0, 2, 3, 1};
    return m[(y & 1) * 2 + (x & 1)];
}

uint32_t hash32(uint32_t a) {
    a ^= a >> 16;
    a *= 0x7feb352d;
    a ^= a >> 15;
    a *= 0x846ca68b;
    a ^= a >> 16;
    return a;
}

enum Detail { STONE, BRICK, METAL, ICE, SAND, MOSS, CRYSTAL, BASALT };

struct Material {
    uint32_t face_dark, face_light;
    uint32_t mortar_dark, mortar_light;
    Detail detail;
};

// One material per tower, in climbing order.
const Material MATERIALS[8] = {
    {0x181820, 0xC0C0C8, 0x080810, 0x484858, STONE},
    {0x200410, 0xA83840, 0x282420, 0xB0A090, BRICK},
    {0x101828, 0xA0B8D8, 0x040810, 0x283448, METAL},
    {0x082040, 0xD0F8F8, 0x041830, 0x3878A8, ICE},
    {0x281010, 0xB88C78, 0x100808, 0x584038, SAND},
    {0x081810, 0x88C068, 0x040804, 0x284820, MOSS},
    {0x180828, 0xD0A0F0, 0x080210, 0x402868, CRYSTAL},
    {0x080810, 0x8088A0, 0x402804, 0xE8B830, BASALT},
};

const int FACE_LEVELS = 10;
const int MORTAR_LEVELS = 4;

// How much light the wall gets at view angle t: the cylinder's face turned
// to us is lit, its edges fall into shade, and the light comes a little from
// the left so the tower reads as round rather than flat.
double light_at(double t) {
    double l = std::cos(2.0 * PI * (t - 27.0) / 128.0);
    if (l < 0) l = 0;
    return 0.06 + 0.94 * std::pow(l, 1.25);
}

// Surface detail inside one block, in block coordinates: u 0..8 across the
// block (view units), row 0..6 down it. Gives a shade offset.
int block_detail(Detail d, double u, int row, int tower) {
    int iu = int(u * 2.0);
    switch (d) {
    case STONE: {
        uint32_t h = hash32(uint32_t(iu * 31 + row * 7 + tower * 1000));
        return (h % 13 == 0) ? -1 : 0;
    }
    case BRICK: return (row == 3 && iu % 5 == 2) ? -1 : 0;
    case METAL:
        if ((row == 1 || row == 5) && (iu == 1 || iu == 14)) return 3;  // rivets
        if ((row == 2 || row == 6) && (iu == 1 || iu == 14)) return -2;
        return row < 3 ? 1 : 0;
    case ICE: {
        double s = u - row * 0.6;
        if (s > 1.0 && s < 2.2) return 2;  // a glint running across the block
        if (s > 2.2 && s < 2.8) return 1;
        return 0;
    }
    case SAND: return (row == 2 || row == 5) ? -1 : 0;  // strata of the sandstone
    case MOSS: {
        uint32_t h = hash32(uint32_t(iu * 13 + row * 101));
        if (row <= 1 && h % 3 != 0) return 100;  // moss on the upper edge
        if (row == 2 && h % 3 == 0) return 100;
        return (h % 9 == 0) ? -1 : 0;
    }
    case CRYSTAL: return (u * 0.85 + row < 5.5) ? 1 : -1;  // a facet split
    case BASALT: return (hash32(uint32_t(iu * 7 + row * 53)) % 6 == 0) ? 1 : 0;
    }
    return 0;
}

}  // namespace

Canvas draw_tour(int n) {
    const Material& m = MATERIALS[(n - 1) & 7];
    Canvas c(128, 64, 0);
    uint32_t face[FACE_LEVELS], mortar[MORTAR_LEVELS];
    for (int i = 0; i < FACE_LEVELS; ++i)
        face[i] = mix(m.face_dark, m.face_light, i, FACE_LEVELS - 1);
    for (int i = 0; i < MORTAR_LEVELS; ++i)
        mortar[i] = mix(m.mortar_dark, m.mortar_light, i, MORTAR_LEVELS - 1);
    const uint32_t moss_col[3] = {0x184818, 0x388828, 0x70C040};

    for (int p = 0; p < 8; ++p) {
        // Strip p is the wall turned by p units: its vertical joints sit at
        // view angles p + 4 + 8k, where the map's columns meet.
        for (int px = 0; px < 128; ++px) {
            double ta = body_angle(px), tb = body_angle(px + 1), tc = body_angle(px + 0.5);
            auto joint_in = [&](double a, double b) {
                double k = std::ceil((a - p - 4) / 8.0);
                return p + 4 + 8 * k < b;
            };
            bool joint = joint_in(ta, tb);
            bool after_joint = !joint && px > 0 && joint_in(body_angle(px - 1), ta);
            bool before_joint = !joint && px < 127 && joint_in(tb, body_angle(px + 2));
            double u = std::fmod(tc - p - 4 + 800.0, 8.0);
            double light = light_at(tc);
            for (int row = 0; row < 8; ++row) {
                int y = 8 * p + row;
                double lv = light * (FACE_LEVELS - 1) + dither2(px, y) * 0.25 - 0.375;
                if (joint || row == 7) {
                    int ml = int(
                        std::lround(light * (MORTAR_LEVELS - 1) + dither2(px, y) * 0.25 - 0.375));
                    ml = ml < 0 ? 0 : (ml >= MORTAR_LEVELS ? MORTAR_LEVELS - 1 : ml);
                    c.set(px, y, mortar[ml]);
                    continue;
                }
                int lvl = int(std::lround(lv));
                int d = block_detail(m.detail, u, row, n);
                if (d == 100) {
                    int k = int(light * 2.99);
                    c.set(px, y, moss_col[k]);
                    continue;
                }
                lvl += d;
                if (row == 0) lvl += 1;  // top edge catches the light
                if (row == 6) lvl -= 1;  // underside in shade
                if (after_joint) lvl += 1;
                if (before_joint) lvl -= 1;
                lvl = lvl < 0 ? 0 : (lvl >= FACE_LEVELS ? FACE_LEVELS - 1 : lvl);
                c.set(px, y, face[lvl]);
            }
        }
    }
    return c;
}

Canvas draw_toptower() {
    Canvas c(128, 64);
    const uint32_t stone[6] = {0x282838, 0x484858, 0x686878, 0x9090A0, 0xB8B8C8, 0xD8D8E0};
    const uint32_t roof[5] = {0x400810, 0x801818, 0xC03020, 0xE86040, 0xF89068};
    auto shade_at = [&](double x, int bias) {
        double t = body_angle(x);
        int k = int(light_at(t) * 5.0) + bias;
        return stone[k < 0 ? 0 : (k > 5 ? 5 : k)];
    };
    // Corbelled cornice: three rows of moulding on top of the body.
    for (int x = 0; x < 128; ++x) {
        for (int y = 56; y < 64; ++y) {
            int bias = (y == 56) ? 1 : (y == 63 ? -2 : (y >= 61 ? -1 : 0));
            c.set(x, y, shade_at(x + 0.5, bias));
        }
        // corbels: small brackets at regular angles under the parapet
        double t = body_angle(x + 0.5);
        if (std::fmod(t + 2.0, 8.0) < 3.0) {
            c.set(x, 61, shade_at(x + 0.5, 1));
            c.set(x, 62, shade_at(x + 0.5, 0));
        } else {
            c.set(x, 62, pal::INK);
        }
    }
    // Parapet wall with crenels; merlons every 16 angle units.
    for (int x = 0; x < 128; ++x) {
        double t = body_angle(x + 0.5);
        bool merlon = std::fmod(t + 4.0, 16.0) < 10.0;
        int top = merlon ? 36 : 44;
        for (int y = top; y < 56; ++y) {
            int bias = (y == top) ? 2 : 0;
            if (y == 47 || (y == 51)) bias -= 1;
            c.set(x, y, shade_at(x + 0.5, bias));
        }
    }
    // Conical roof of the watch house behind the parapet, and its flag.
    for (int y = 6; y < 44; ++y) {
        int half = (y - 6) * 30 / 38 + 2;
        for (int x = 64 - half; x < 64 + half; ++x) {
            if (c.get(x, y) != KEY) continue;
            double rel = double(x - (64 - half)) / (2.0 * half);
            int k = int((1.0 - std::fabs(rel - 0.4) * 1.8) * 4.5);
            if (((y + (x - 64 + 64) / 3) % 5) == 0) k -= 1;  // tiles
            c.set(x, y, roof[k < 0 ? 0 : (k > 4 ? 4 : k)]);
        }
    }
    line(c, 64, 0, 64, 6, pal::GREY_D);
    fill_rect(c, 65, 0, 7, 4, pal::YEL);
    fill_rect(c, 65, 3, 7, 1, pal::YEL_D);
    outline(c, 0, 0, 128, 64, pal::INK);
    return c;
}

Canvas draw_bastower() {
    Canvas c(128, 24, 0);
    const uint32_t rock[5] = {0x101820, 0x283040, 0x405060, 0x607080, 0x8898A8};
    for (int x = 0; x < 128; ++x)
        for (int y = 0; y < 24; ++y) {
            double t = body_angle(x + 0.5);
            int k = int(light_at(t) * 4.0);
            uint32_t h = hash32(uint32_t(x / 6 * 77 + y / 4 * 13));
            if (h % 5 == 0) k -= 1;
            if (y % 6 == 5) k = 0;
            c.set(x, y, rock[k < 0 ? 0 : (k > 4 ? 4 : k)]);
        }
    return c;
}

Canvas draw_portes() {
    Canvas c(32, 544);
    const uint32_t jamb[5] = {0x302828, 0x584840, 0x887060, 0xB8A088, 0xE0D0B8};
    const uint32_t hole[3] = {0x080408, 0x181020, 0x302840};
    for (int a = 0; a < 68; ++a) {
        double t0 = a - 4 < 0 ? 0 : a - 4, t1 = a + 4 > 64 ? 64 : a + 4;
        int ox = OFFSETX_PORTES[a];
        // How much of the tunnel's inner wall shows: none face on, more the
        // further round the tower the door has turned.
        double side = (a - 32) / 32.0;
        for (int px = 0; px < 32; ++px) {
            double bx = ox + px + 0.5;
            if (bx > 128) continue;
            double t = body_angle(bx);
            if (t < t0 || t >= t1) continue;
            double local = (t - (a - 4)) / 8.0;  // 0..1 across the door
            double light = light_at(t);
            for (int row = 0; row < 8; ++row) {
                int y = 8 * a + row;
                uint32_t col;
                if (local < 0.2 || local > 0.8) {
                    int k = int(light * 4.4);
                    if (local < 0.07 || local > 0.93) k -= 1;
                    if (row == 3 && (local < 0.12 || local > 0.88)) k += 1;  // studs
                    col = jamb[k < 0 ? 0 : (k > 4 ? 4 : k)];
                } else {
                    double in = (local - 0.2) / 0.6;  // 0..1 across the opening
                    // the tunnel runs towards the tower's axis, so a door on the left
                    // shows the inside of its left wall, and the other way round
                    bool wall = side < 0 ? in < -side * 0.7 : in > 1.0 - side * 0.7;
                    col = wall ? hole[2] : (row & 1 ? hole[0] : hole[1]);
                    if (!wall && (in < 0.12 || in > 0.88)) col = hole[0];
                }
                c.set(px, y, col);
            }
        }
    }
    return c;
}

void draw_lift_plate(Canvas& c, int x, int y) {
    // 24x8: a yellow plate with a hazard-striped front and rounded ends
    const uint32_t top_l = pal::YEL_L, top = pal::YEL, dark = pal::YEL_D, stripe = pal::INK2;
    fill_rect(c, x + 1, y, 22, 2, top_l);
    fill_rect(c, x + 1, y + 2, 22, 1, top);
    for (int i = 0; i < 22; ++i)
        for (int r = 3; r < 6; ++r) c.set(x + 1 + i, y + r, ((i + r) / 3) % 2 ? stripe : top);
    fill_rect(c, x + 1, y + 6, 22, 1, dark);
    for (int r = 0; r < 8; ++r) {
        c.set(x, y + r, pal::INK);
        c.set(x + 23, y + r, pal::INK);
    }
    fill_rect(c, x, y + 7, 24, 1, pal::INK);
    c.set(x, y, KEY);
    c.set(x + 23, y, KEY);
    c.set(x + 1, y, pal::INK);
    c.set(x + 22, y, pal::INK);
}

Canvas draw_decors() {
    Canvas c(96, 8);
    using namespace pal;
    // Step (8, 0, 32, 8): a slab sticking out of the wall, seen a little
    // from above: its top face, a lit lip, then its front face in shade.
    const uint32_t st_top = C(0xE0D0A8), st_far = C(0xB8A888), st_lip = C(0xF8F0D0);
    const uint32_t st_face = C(0xA88860), st_dark = C(0x685038);
    fill_rect(c, 9, 0, 30, 1, st_far);
    fill_rect(c, 9, 1, 30, 2, st_top);
    fill_rect(c, 9, 3, 30, 1, st_lip);
    fill_rect(c, 9, 4, 30, 2, st_face);
    fill_rect(c, 9, 6, 30, 1, st_dark);
    for (int x = 12; x < 38; x += 7) {
        c.set(x, 4, st_dark);
        c.set(x + 1, 5, st_dark);
    }  // weathering
    for (int y = 0; y < 8; ++y) {
        c.set(8, y, INK);
        c.set(39, y, INK);
    }
    fill_rect(c, 8, 7, 32, 1, INK);
    c.set(8, 0, KEY);
    c.set(39, 0, KEY);
    c.set(9, 0, INK);
    c.set(38, 0, INK);
    c.set(8, 7, KEY);
    c.set(39, 7, KEY);
    // Column block (40, 0, 16, 8): a pillar segment; stacks seamlessly.
    const uint32_t col_l = C(0xD8D0C0), col_m = C(0xA09888), col_d = C(0x686058);
    fill_rect(c, 41, 0, 14, 8, col_m);
    fill_rect(c, 41, 0, 3, 8, col_l);
    fill_rect(c, 51, 0, 4, 8, col_d);
    fill_rect(c, 41, 7, 14, 1, col_d);
    for (int y = 0; y < 8; ++y) {
        c.set(40, y, INK);
        c.set(55, y, INK);
    }
    // Lift platform (56, 0, 24, 8)
    draw_lift_plate(c, 56, 0);
    // Shootable block (80, 0, 16, 8): a cracked red block that looks
    // breakable at a glance.
    fill_rect(c, 81, 0, 14, 7, RED);
    fill_rect(c, 81, 0, 14, 1, RED_L);
    fill_rect(c, 81, 6, 14, 1, RED_D);
    line(c, 84, 1, 86, 3, YEL_L);
    line(c, 86, 3, 85, 5, YEL_L);
    line(c, 90, 1, 89, 3, YEL_L);
    line(c, 89, 3, 92, 5, YEL_L);
    frame_rect(c, 80, 0, 16, 8, INK);
    return c;
}
