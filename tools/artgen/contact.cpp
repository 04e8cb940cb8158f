// The review picture: every sheet enlarged with its frames numbered, and a
// mock game screen per tower built from the same pictures by the game's own
// placement rules, so the art can be judged where it will be seen.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

#include "font.h"
#include "geometry.h"
#include "palette.h"
#include "sheets.h"

namespace {

const uint32_t BG = 0x283038;  // stands for transparency on the sheet
const uint32_t LABEL = 0xF8F8F8;
const uint32_t DIM = 0x90A0A8;
const int SHEET_W = 1296;

struct Cells {
    const char* name;
    int cw, ch, count, first_label;
    bool across;  // frames side by side instead of stacked
    int scale;
};

const Cells LAYOUT[] = {
    {"player.bmp", 32, 32, 37, 0, false, 3},
    {"player2.bmp", 32, 32, 37, 0, false, 2},
    {"subway.bmp", 32, 32, 4, 0, false, 3},
    {"torpille.bmp", 8, 8, 1, 0, false, 4},
    {"fire.bmp", 8, 8, 4, 0, true, 4},
    {"fishs.bmp", 32, 32, 16, 0, false, 3},
    {"flying.bmp", 32, 32, 8, 0, false, 3},
    {"nmis1.bmp", 32, 16, 16, 4, false, 3},
    {"nmis2.bmp", 32, 16, 16, 4, false, 3},
    {"nmis3.bmp", 32, 16, 16, 4, false, 3},
    {"nmis4.bmp", 32, 16, 16, 4, false, 3},
    {"decors.bmp", 96, 8, 1, 0, false, 4},
    {"etoiles.bmp", 8, 8, 4, 0, true, 4},
    {"portes.bmp", 32, 8, 68, 0, false, 2},
    {"tour1.bmp", 128, 64, 1, 1, false, 2},
    {"tour2.bmp", 128, 64, 1, 2, false, 2},
    {"tour3.bmp", 128, 64, 1, 3, false, 2},
    {"tour4.bmp", 128, 64, 1, 4, false, 2},
    {"tour5.bmp", 128, 64, 1, 5, false, 2},
    {"tour6.bmp", 128, 64, 1, 6, false, 2},
    {"tour7.bmp", 128, 64, 1, 7, false, 2},
    {"tour8.bmp", 128, 64, 1, 8, false, 2},
    {"toptower.bmp", 128, 64, 1, 0, false, 2},
    {"bastower.bmp", 128, 24, 1, 0, false, 2},
    {"backgnds.bmp", 64, 16, 8, 0, false, 3},
    {"panel1.bmp", 8, 24, 1, 0, false, 3},
    {"panel3.bmp", 64, 24, 1, 0, false, 3},
    {"panel2.bmp", 64, 24, 1, 0, false, 3},
    {"chiffres.bmp", 8, 8, 11, 0, false, 3},
    {"time.bmp", 16, 16, 11, 0, false, 3},
    {"time_icons.bmp", 48, 16, 1, 0, false, 3},
    {"titre.bmp", 240, 64, 1, 0, false, 2},
    {"podium.bmp", 32, 32, 1, 0, false, 3},
    {"char8x8.bmp", 312, 8, 1, 0, false, 2},
    {"char8x8_2.bmp", 312, 8, 1, 0, false, 2},
    {"char8x8_3.bmp", 312, 8, 1, 0, false, 2},
    {"char8x8_4.bmp", 312, 8, 1, 0, false, 2},
    {"char8x8_5.bmp", 312, 8, 1, 0, false, 2},
    {"font.bmp", 128, 48, 1, 0, false, 2},
    {"mplayer.bmp", 32, 32, 12, 0, false, 2},
    {"parallax1.bmp", 8, 8, 1, 0, false, 4},
    {"parallax2.bmp", 16, 128, 1, 0, false, 2},
    {"parallax3.bmp", 320, 24, 1, 0, false, 2},
    {"parallax4.bmp", 320, 32, 1, 0, false, 2},
    {"presentation.bmp", 240, 160, 1, 0, false, 2},
    {"present.bmp", 320, 200, 1, 0, false, 2},
    {"vrusk.bmp", 320, 240, 1, 0, false, 2},
};

void put_scaled(Canvas& dst, const Canvas& src, int sx, int sy, int w, int h, int dx, int dy,
                int s) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            uint32_t p = src.get(sx + x, sy + y);
            fill_rect(dst, dx + x * s, dy + y * s, s, s, p == KEY ? BG : p);
        }
}

// Lays the sections out left to right, wrapping; returns the height used.
int lay_sheets(Canvas* dst) {
    int x = 8, y = 8, row_h = 0;
    for (const Cells& l : LAYOUT) {
        const Canvas& src = sheet_canvas(l.name);
        int fw = l.cw * l.scale, fh = l.ch * l.scale;
        int gap = 4, labelh = 10;
        int per_row = l.count;
        int maxw = SHEET_W - 16;
        while (per_row > 1 && per_row * (fw + gap) > maxw) --per_row;
        int rows = (l.count + per_row - 1) / per_row;
        // a section is at least as wide as its name, so narrow sheets
        // (torpille, parallax1) do not print under their neighbour's label
        int bw = std::max(per_row * (fw + gap) - gap, text_width(l.name)),
            bh = 12 + rows * (fh + labelh + gap);
        if (x + bw > SHEET_W - 8) {
            x = 8;
            y += row_h + 12;
            row_h = 0;
        }
        if (dst) {
            draw_text(*dst, x, y, l.name, LABEL);
            for (int i = 0; i < l.count; ++i) {
                int cx = x + (i % per_row) * (fw + gap),
                    cy = y + 12 + (i / per_row) * (fh + labelh + gap);
                int sx = l.across ? i * l.cw : 0, sy = l.across ? 0 : i * l.ch;
                if (l.count > 1 || l.first_label) {
                    char num[8];
                    std::snprintf(num, sizeof num, "%d", i + l.first_label);
                    draw_text(*dst, cx, cy, num, DIM);
                }
                put_scaled(*dst, src, sx, sy, l.cw, l.ch, cx, cy + labelh, l.scale);
            }
            if (std::strcmp(l.name, "player.bmp") == 0) {  // the lift platform strip
                int cx = x + (l.count % per_row) * (fw + gap),
                    cy = y + 12 + (l.count / per_row) * (fh + labelh + gap);
                draw_text(*dst, cx, cy, "LIFT", DIM);
                put_scaled(*dst, src, 0, 1184, 32, 16, cx, cy + labelh, l.scale);
            }
        }
        x += bw + 16;
        if (bh > row_h) row_h = bh;
    }
    return y + row_h + 8;
}

// ---- a mock tower screen, placed by the game's rules ----

int tab_offset_x(int a) {
    a &= 127;
    if (a == 64) return 159;
    return int(std::floor(80.0 - 80.0 * std::cos(2.0 * 3.14159265358979323846 * a / 128.0)));
}

const int16_t BACKCOL[8][6] = {{8, 0, 0, 0, 8, 0},  {0, 8, 0, 0, 0, 8}, {8, 0, 0, 0, 0, 8},
                               {0, 8, 0, 8, 0, 0},  {0, 0, 8, 0, 8, 0}, {0, 0, 8, 8, 0, 0},
                               {0, 8, 8, 8, -8, 0}, {8, 0, 8, 0, 8, -8}};
const uint8_t STARS[32] = {0,  10, 6,  48, 39, 20, 5,  41, 30, 52, 13, 61, 27, 48, 3,  36,
                           32, 42, 38, 16, 7,  52, 37, 9,  62, 20, 47, 29, 59, 16, 35, 4};

uint32_t from565(uint16_t v) {
    return uint32_t((v >> 11 & 31) << 3) << 16 | uint32_t((v >> 5 & 63) << 2) << 8 |
           uint32_t((v & 31) << 3);
}

void hline(Canvas& c, int y, uint32_t col) {
    if (y >= 0 && y < 240) fill_rect(c, 0, y, 320, 1, col);
}

struct Piece {
    int col, row, kind;
};  // kind: 0 step, 1 column block, 2 lift, 3 shootable, 4 door

// One scene per tower: a few steps, a door and a lift around the creature.
const Piece PIECES[] = {{0, 1, 0},   {1, 1, 0},  {15, 2, 0}, {14, 3, 0},  {2, 2, 0},   {3, 3, 0},
                        {3, 4, 0},   {13, 4, 0}, {1, 4, 4},  {1, 5, 4},   {1, 6, 4},   {12, 5, 3},
                        {2, 6, 1},   {2, 7, 2},  {0, 8, 0},  {15, 8, 0},  {14, 9, 0},  {4, 6, 0},
                        {5, 7, 0},   {6, 8, 0},  {11, 6, 0}, {10, 7, 0},  {0, 11, 0},  {1, 12, 3},
                        {15, 12, 0}, {2, 13, 0}, {3, 14, 0}, {14, 15, 0}, {13, 16, 0}, {7, 2, 0},
                        {9, 2, 0},   {8, 2, 0}};

void blit_key(Canvas& dst, const Canvas& src, int sx, int sy, int w, int h, int dx, int dy) {
    blit(dst, src, sx, sy, w, h, dx, dy, true);
}

Canvas scene(int t, int rot, int o, int nb, bool with_sub) {
    Canvas c(320, 240, 0);
    // sky bands and sea, written first like the game's buffer fills
    for (int k = 0; 225 - o + k <= 239; ++k) {
        int y = 225 - o + k;
        int v = std::min(4 * k, 200) / 8;
        hline(c, y, from565(uint16_t(v)));
    }
    int r0 = 0, g0 = 0, b0 = 0;
    for (int band = 0; band < 2; ++band) {
        const int16_t* d = &BACKCOL[t][band * 3];
        int base = band ? 200 - o : 168 - o;
        for (int i = 0; i < 32; ++i) {
            int y = base + i;
            if (y < 0 || y > 239) break;
            int r = (r0 + d[0] * i) & 0xFFFF, g = (g0 + d[1] * i) & 0xFFFF,
                b = (b0 + d[2] * i) & 0xFFFF;
            hline(c, y, from565(uint16_t((r / 8) * 2048 + (g / 4) * 32 + b / 8)));
        }
        r0 = (d[0] * 255) & 0xFFFF;
        g0 = (d[1] * 255) & 0xFFFF;
        b0 = (d[2] * 255) & 0xFFFF;
    }
    // drawn back to front (the game draws its list the other way round)
    const Canvas& et = sheet_canvas("etoiles.bmp");
    int sy = 80 - o, ns = (80 - o) / 8 + nb;
    for (int i = 0; i < ns; ++i, sy -= 8) {
        int sx = 8 * ((STARS[i & 31] - rot) & 63);
        blit_key(c, et, 8 * ((i * 7) % 4 == 3 ? 3 : (i % 5 == 0 ? 1 : 0)), 0, 8, 8, sx, sy);
    }
    const Canvas& bg = sheet_canvas("backgnds.bmp");
    for (int x = -(rot & 63); x <= 319; x += 64) blit_key(c, bg, 0, 16 * t, 64, 16, x, 225 - o);

    char tn[24];
    std::snprintf(tn, sizeof tn, "tour%d.bmp", t + 1);
    const Canvas& tour = sheet_canvas(tn);
    const Canvas& dec = sheet_canvas("decors.bmp");
    const Canvas& portes = sheet_canvas("portes.bmp");
    static const int DX[4][4] = {{8, 32, 64, 0}, {40, 16, 72, 0}, {56, 24, 68, 0}, {80, 16, 72, 0}};
    auto row_y = [&](int r) { return 240 - o - 8 * (r + 1); };
    auto draw_pieces = [&](bool back) {
        // far columns first, the one facing us last
        for (int dist = 64; dist >= 0; --dist)
            for (const Piece& p : PIECES) {
                int a = (8 * p.col + rot) & 127;
                bool is_back = a >= 64;
                if (is_back != back) continue;
                int ad = back ? 0 : std::abs(a - 32);
                if (back && !((a >= 64 && a <= 82) || a >= 110)) continue;
                if (!back && ad != dist) continue;
                if (back && dist != 0) continue;
                if (p.kind == 4) {
                    if (!back)
                        blit_key(c, portes, 0, 8 * a, 32, 8, OFFSETX_PORTES[a] + 96, row_y(p.row));
                    continue;
                }
                const int* d = DX[p.kind];
                blit_key(c, dec, d[0], 0, d[1], 8, tab_offset_x(a) + d[2], row_y(p.row));
            }
    };
    draw_pieces(true);
    int top = 240 - o - 8 * nb;
    blit_key(c, sheet_canvas("toptower.bmp"), 0, 0, 128, 64, 96, top - 64);
    for (int i = 0; i < nb; ++i) {
        int p = (i & 1) ? ((rot + 4) & 7) : (rot & 7);
        blit(c, tour, 0, 8 * p, 128, 8, 96, top + 8 * i, false);
    }
    draw_pieces(false);
    // enemies: a bouncer, a roller and a patroller of the tower's set
    char nn[24];
    std::snprintf(nn, sizeof nn, "nmis%d.bmp", (t & 3) + 1);
    const Canvas& nm = sheet_canvas(nn);
    auto enemy = [&](int x, int y, int pic) {
        int a = (x + rot - 2) & 127;
        if (a >= 64) return;
        blit_key(c, nm, 0, 16 * pic - 64, 32, 16, tab_offset_x(a) + 64, 224 - 2 * y - o);
    };
    enemy(3 * 8 + 4, 16, 4);
    enemy(14 * 8 + 4, 16, 5);
    enemy(6 * 8 + 4, 36, 12 + t);
    const Canvas& pl = sheet_canvas("player.bmp");
    if (with_sub) {
        const Canvas& sub = sheet_canvas("subway.bmp");
        int hy = 220 - 2 * (-2) - o;
        blit_key(c, sub, 0, 32, 32, 32, 124, hy);
        blit_key(c, sub, 0, 64, 32, 32, 148, hy);
        blit_key(c, sub, 0, 96, 32, 32, 172, hy);
        blit_key(c, pl, 0, 32 * 12, 32, 32, 144, 140 + 6);
        blit_key(c, sub, 0, 0, 32, 32, 148 - 24, hy - 20);
    } else {
        blit_key(c, pl, 0, 32 * (t == 3 ? 26 : t == 5 ? 2 : 12), 32, 32, 144, 140);
        const Canvas& fl = sheet_canvas("flying.bmp");
        blit_key(c, fl, 0, 32 * (t % 8), 32, 32, 40 + 30 * t, 60);
    }
    return c;
}

void draw_panel_strip(Canvas& c, int y0) {
    const Canvas& p1 = sheet_canvas("panel1.bmp");
    for (int x = 0; x < 320; x += 8) blit(c, p1, 0, 0, 8, 24, x, y0, false);
    blit(c, sheet_canvas("panel3.bmp"), 0, 0, 64, 24, 8, y0, false);
    blit(c, sheet_canvas("panel2.bmp"), 0, 0, 64, 24, 248, y0, false);
    const Canvas& ch = sheet_canvas("chiffres.bmp");
    const int score[8] = {0, 0, 0, 1, 2, 3, 5, 0};
    for (int i = 0; i < 8; ++i) blit(c, ch, 0, 8 * score[i], 8, 8, 8 + 8 * i, y0 + 3, false);
    for (int i = 0; i < 3; ++i) blit(c, ch, 0, 80, 8, 8, 8 + 8 * i, y0 + 11, false);
    const Canvas& tm = sheet_canvas("time.bmp");
    const int fields[3] = {32, 19, 75};
    for (int a = 0; a < 3; ++a) blit(c, tm, 0, 2 * fields[a], 16, 16, 264 + 16 * a, y0 + 3, false);
    blit(c, sheet_canvas("time_icons.bmp"), 0, 0, 16, 16, 248, y0 + 3, false);
}

}  // namespace

Canvas draw_tower_scene(int tower, int rot, int offset_y, int rows, bool with_sub,
                        bool with_panel) {
    Canvas c = scene(tower, rot, offset_y, rows, with_sub);
    if (with_panel) draw_panel_strip(c, 216);
    return c;
}

Canvas draw_contact_sheet() {
    int h = lay_sheets(nullptr);
    int scenes_h = 2 * (240 + 24) + 16;
    Canvas c(SHEET_W, h + scenes_h, 0x181C20);
    lay_sheets(&c);
    draw_text(c, 8, h, "MOCK SCREENS: ONE PER TOWER", LABEL);
    for (int t = 0; t < 8; ++t) {
        int rot = 32 + (t % 7) - 3;
        Canvas s = draw_tower_scene(t, rot, 64, t == 7 ? 10 : 40, t == 6, true);
        blit(c, s, 0, 0, 320, 240, 8 + (t % 4) * 322, h + 12 + (t / 4) * 250, false);
    }
    return c;
}
