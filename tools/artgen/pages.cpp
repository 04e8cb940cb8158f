// The start-up pages (studio logo, title page), the title logo and the
// spare pictures the game carries but never shows.
#include <cmath>

#include "font.h"
#include "palette.h"
#include "sheets.h"

namespace {

using namespace pal;
const double PI = 3.14159265358979323846;

// Big lettering: the pixel font blown up, filled with a sunset gradient,
// lit along its top, outlined twice in ink and dropped on a shadow.
void title_text(Canvas& c, int x, int y, const char* s, int scale) {
    int w = text_width(s, scale), h = 7 * scale;
    Canvas t(w + 8, h + 8);
    draw_text(t, 3, 3, s, WHITE, scale);
    const uint32_t ramp[6] = {YEL_L, YEL, C(0xF8A028), FUR, C(0xD05818), FUR_D};
    for (int yy = 0; yy < t.h; ++yy)
        for (int xx = 0; xx < t.w; ++xx) {
            if (t.get(xx, yy) == KEY) continue;
            int k = (yy - 3) * 6 / h;
            uint32_t col = ramp[k < 0 ? 0 : (k > 5 ? 5 : k)];
            if (t.get(xx, yy - 1) == KEY)
                col = WHITE;  // lit top edge
            else if (t.get(xx - 1, yy) == KEY)
                col = mix(col, WHITE, 1, 3);
            t.set(xx, yy, col);
        }
    outline(t, 0, 0, t.w, t.h, INK);
    outline(t, 0, 0, t.w, t.h, INK2, true);
    // shadow first, then the letters
    for (int yy = 0; yy < t.h; ++yy)
        for (int xx = 0; xx < t.w; ++xx)
            if (t.get(xx, yy) != KEY) c.set(x + xx + 2, y + yy + 3, BLACK);
    blit(c, t, 0, 0, t.w, t.h, x, y);
}

int title_width(const char* s, int scale) { return text_width(s, scale) + 8; }

// A sky in flat bands (few colours, as a handheld page would have).
void banded_sky(Canvas& c, int y0, int y1, uint32_t top, uint32_t bottom, int bands) {
    for (int y = y0; y < y1; ++y) {
        int k = (y - y0) * bands / (y1 - y0);
        fill_rect(c, 0, y, c.w, 1, mix(top, bottom, k, bands - 1));
    }
}

void stars(Canvas& c, int y1, int count, uint32_t seed) {
    for (int i = 0; i < count; ++i) {
        seed = seed * 1103515245u + 12345u;
        int x = int(seed >> 8) % c.w;
        seed = seed * 1103515245u + 12345u;
        int y = int(seed >> 8) % y1;
        c.set(x, y, i % 5 == 0 ? WHITE : GREY);
        if (i % 11 == 0) {
            c.set(x - 1, y, GREY_D);
            c.set(x + 1, y, GREY_D);
            c.set(x, y - 1, GREY_D);
            c.set(x, y + 1, GREY_D);
        }
    }
}

void sea(Canvas& c, int y0, int phase) {
    for (int y = y0; y < c.h; ++y) {
        int k = (y - y0) * 5 / std::max(1, c.h - y0);
        fill_rect(c, 0, y, c.w, 1, mix(SEA, SEA_D, k, 4));
    }
    for (int y = y0 + 2; y < c.h; y += 5)
        for (int x = 0; x < c.w; ++x) {
            int crest = int(std::lround(1.2 * std::sin((x + y * 7 + phase) * 2 * PI / 24.0)));
            if (((x + y * 3) / 6) % 3 == 0) c.set(x, y + crest, SEA_L);
        }
}

}  // namespace

Canvas draw_vrusk() {
    // Our studio's page: a kite shaped like a kelp leaf flying over a wave,
    // and the studio's name.
    Canvas c(320, 240, C(0x080818));
    banded_sky(c, 0, 170, C(0x080818), C(0x304880), 8);
    stars(c, 120, 60, 7);
    // a full moon behind the kite
    fill_circle(c, 160, 92, 40, C(0x203868));
    fill_circle(c, 160, 92, 34, C(0x284878));
    // the kite: a diamond of two greens with its cross spars
    const int cx = 160, cy = 86;
    for (int dy = -30; dy <= 30; ++dy) {
        int half = dy < 0 ? (30 + dy) * 20 / 30 : (30 - dy) * 20 / 45;
        for (int dx = -half; dx <= half; ++dx)
            c.set(cx + dx, cy + dy, dx < 0 ? (dy < 0 ? GRN_L : GRN) : (dy < 0 ? GRN : GRN_D));
    }
    line(c, cx, cy - 30, cx, cy + 30, C(0xE8D8A0));
    line(c, cx - 19, cy - 2, cx + 19, cy - 2, C(0xE8D8A0));
    // leaf veins
    for (int i = 1; i < 4; ++i) {
        line(c, cx, cy - 20 + i * 8, cx - 12 + i, cy - 26 + i * 8, GRN_D);
        line(c, cx, cy - 20 + i * 8, cx + 12 - i, cy - 26 + i * 8, GRN_D);
    }
    outline(c, cx - 25, cy - 34, 50, 68, INK);
    // the tail with its bows, curling down to the wave
    for (int i = 0; i < 70; ++i) {
        int x = cx + int(std::lround(14 * std::sin(i * 0.11))) - i / 5, y = cy + 30 + i;
        c.set(x, y, C(0xE8D8A0));
        if (i % 14 == 7) {
            fill_rect(c, x - 3, y - 1, 3, 3, FUR);
            fill_rect(c, x + 1, y - 1, 3, 3, FUR);
            c.set(x, y, RED);
        }
    }
    sea(c, 170, 0);
    // a curling wave crest under the kite
    for (int x = 60; x < 260; ++x) {
        double t = (x - 60) / 200.0;
        int h = int(std::lround(10 * std::sin(t * PI)));
        for (int y = 170 - h; y < 172; ++y) c.set(x, y, y == 170 - h ? WHITE : SEA_L);
    }
    const char* name = "KELPKITE";
    title_text(c, 160 - title_width(name, 4) / 2, 186, name, 4);
    const char* sub = "STUDIO";
    draw_text(c, 160 - text_width(sub, 1) / 2 + 1, 226, sub, GREY_D);
    draw_text(c, 160 - text_width(sub, 1) / 2, 225, sub, GREY_L);
    return c;
}

Canvas draw_titre() {
    Canvas c(240, 64);
    title_text(c, 120 - title_width("ASCELON", 5) / 2, 10, "ASCELON", 5);
    return c;
}

Canvas draw_present() {
    // The title page: the tower rising from the sea at dusk, the creature on
    // its first step, its submarine alongside, and the title above.
    Canvas c(320, 200, BLACK);
    banded_sky(c, 0, 150, C(0x080820), C(0xE86838), 12);
    stars(c, 70, 50, 3);
    // the far horizon: hills strip of the first tower, repeated
    const Canvas& bg = sheet_canvas("backgnds.bmp");
    sea(c, 150, 5);
    for (int x = 0; x < 320; x += 64) blit(c, bg, 0, 16 * 3, 64, 16, x, 135);
    // the tower: body rows in running bond, its cap, and a few steps
    const Canvas& tour = sheet_canvas("tour1.bmp");
    const Canvas& cap = sheet_canvas("toptower.bmp");
    const int tx = 176, base = 166, rows = 11;
    for (int i = 0; i < rows; ++i)
        blit(c, tour, 0, 8 * ((i & 1) ? 4 : 0), 128, 8, tx, base - 8 * (rows - i), false);
    blit(c, cap, 0, 0, 128, 64, tx, base - 8 * rows - 64);
    const Canvas& dec = sheet_canvas("decors.bmp");
    const int steps[][2] = {{164, 150}, {186, 134}, {220, 118}, {256, 102}, {282, 86}};
    for (auto& s : steps) blit(c, dec, 8, 0, 32, 8, s[0], s[1]);
    // the tower's foot in the water, with a pale reflection line
    for (int x = tx; x < tx + 128; ++x) {
        c.set(x, base, SEA_L);
        if (x % 3) c.set(x, base + 3, SEA_L);
    }
    // the creature on the first step, and the submarine waiting
    const Canvas& pl = sheet_canvas("player.bmp");
    blit(c, pl, 0, 32 * 12, 32, 32, 164, 150 - 20);
    const Canvas& sub = sheet_canvas("subway.bmp");
    for (int s = 0; s < 3; ++s) blit(c, sub, 0, 32 * (s + 1), 32, 32, 40 + 24 * s, 150);
    blit(c, sub, 0, 0, 32, 32, 64, 130);
    // a seagull and the title
    blit(c, sheet_canvas("flying.bmp"), 0, 32 * 1, 32, 32, 120, 70);
    title_text(c, 12, 14, "ASCELON", 4);
    return c;
}

Canvas draw_podium() {
    // a winners' podium: the middle block highest
    Canvas c(32, 32);
    const int blocks[3][3] = {{1, 18, 2}, {11, 10, 1}, {21, 22, 3}};  // x, top, place
    const uint32_t fill[4] = {0, YEL, GREY_L, C(0xD08840)};
    for (auto& b : blocks) {
        fill_rect(c, b[0], b[1], 10, 31 - b[1], fill[b[2]]);
        fill_rect(c, b[0], b[1], 10, 1, WHITE);
        fill_rect(c, b[0] + 8, b[1] + 1, 2, 30 - b[1], mix(fill[b[2]], INK, 1, 3));
        char s[2] = {char('0' + b[2]), 0};
        draw_text(c, b[0] + 2, b[1] + 2, s, INK);
    }
    outline(c, 0, 0, 32, 32, INK);
    return c;
}

Canvas draw_presentation() {
    // a spare title card: a moment of play under the title
    Canvas s = draw_tower_scene(0, 32, 64, 40, false, false);
    Canvas c(240, 160, BLACK);
    blit(c, s, 40, 36, 240, 160, 0, 0, false);
    title_text(c, 120 - title_width("ASCELON", 3) / 2, 4, "ASCELON", 3);
    return c;
}
