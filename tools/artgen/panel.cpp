// The status panel: backgrounds, score digits, life marks, the clock's
// rolling drum, the mode icons, and the spare fonts.
#include "font.h"
#include "palette.h"
#include "sheets.h"

namespace {

using namespace pal;

// A brushed navy metal strip with bevels; digit windows are sunk into it.
const uint32_t PN_D = C(0x101830), PN = C(0x283860), PN_L = C(0x4860A0), PN_HL = C(0x98B0E0);
const uint32_t WIN = C(0x080C18);  // inside a window, behind digits
const uint32_t AMBER = C(0xF8C030), AMBER_D = C(0xA86810);

void strip_background(Canvas& c, int x0, int w) {
    for (int x = x0; x < x0 + w; ++x) {
        c.set(x, 0, PN_HL);
        c.set(x, 1, PN_L);
        for (int y = 2; y < 22; ++y) c.set(x, y, PN);
        c.set(x, 12, PN_D);
        c.set(x, 13, PN_L);
        c.set(x, 22, PN_D);
        c.set(x, 23, INK);
    }
}

// A sunken window: dark inside, shadow on the top-left rim, light on the
// bottom-right rim.
void window(Canvas& c, int x, int y, int w, int h) {
    fill_rect(c, x, y, w, h, WIN);
    fill_rect(c, x - 1, y - 1, w + 2, 1, PN_D);
    fill_rect(c, x - 1, y - 1, 1, h + 2, PN_D);
    fill_rect(c, x - 1, y + h, w + 2, 1, PN_L);
    fill_rect(c, x + w, y - 1, 1, h + 2, PN_L);
}

void digit8(Canvas& c, int x, int y, char ch) {
    char s[2] = {ch, 0};
    draw_text(c, x + 2, y + 1, s, AMBER_D);  // drop shadow
    draw_text(c, x + 1, y, s, AMBER);
}

// The life mark: the creature's head.
void life_mark(Canvas& c, int x, int y) {
    static const char* HEAD[] = {
        ".D....D.", ".DF..FD.", ".FFFFFF.", "FFWKFWKF",
        "FFCCCCFF", ".FCKKCF.", "..SSSS..", "........",
    };
    draw_grid(c, x, y, HEAD, 8,
              {{'F', FUR}, {'D', FUR_D}, {'W', WHITE}, {'K', INK}, {'C', CREAM}, {'S', SCARF}});
}

}  // namespace

Canvas draw_panel(int n) {
    if (n == 1) {
        Canvas c(8, 24, PN);
        strip_background(c, 0, 8);
        return c;
    }
    Canvas c(64, 24, PN);
    strip_background(c, 0, 64);
    if (n == 3) {
        window(c, 0, 3, 64, 8);   // score
        window(c, 0, 11, 64, 8);  // lives
        fill_rect(c, 0, 11, 64, 8, WIN);
    } else {
        window(c, 0, 3, 64, 16);  // mode icon and clock drums
        for (int x : {16, 32, 48}) c.set(x - 1, 2, PN_D);
    }
    return c;
}

Canvas draw_chiffres() {
    Canvas c(8, 88, WIN);
    for (int d = 0; d < 10; ++d) digit8(c, 0, 8 * d, char('0' + d));
    life_mark(c, 0, 80);
    return c;
}

Canvas draw_time() {
    // One continuous band 176 rows long; the game shows any 16-row window of
    // it, so the digits roll past like an odometer's drum.
    Canvas c(16, 176, C(0x202028));
    for (int d = 0; d < 11; ++d) {
        int y0 = 16 * d;
        char s[2] = {char('0' + d % 10), 0};
        // digits drawn twice their font size, with a shadow
        for (int dx = 0; dx < 2; ++dx) (void)dx;
        draw_text(c, 3 + 1, y0 + 2 + 1, s, C(0x606070), 2);
        draw_text(c, 3, y0 + 2, s, WHITE, 2);
        // the drum's ribs between digits
        fill_rect(c, 0, y0, 16, 1, C(0x101018));
        fill_rect(c, 0, y0 + 15, 16, 1, C(0x383848));
    }
    // light falls on the drum's middle: brighten the edge columns' rims
    for (int y = 0; y < 176; ++y) {
        c.set(0, y, C(0x101018));
        c.set(15, y, C(0x101018));
    }
    return c;
}

Canvas draw_time_icons() {
    Canvas c(48, 16, WIN);
    // tower mode: a little tower with its flag
    fill_rect(c, 5, 5, 7, 10, GREY);
    fill_rect(c, 5, 5, 2, 10, GREY_L);
    fill_rect(c, 10, 5, 2, 10, GREY_D);
    for (int x = 4; x < 13; x += 2) fill_rect(c, x, 3, 1, 2, GREY_L);
    fill_rect(c, 4, 4, 9, 1, GREY);
    fill_rect(c, 7, 10, 3, 5, INK);
    line(c, 8, 0, 8, 3, GREY_L);
    fill_rect(c, 9, 0, 3, 2, RED);
    // interlevel: a little submarine among bubbles
    fill_ellipse2(c, 2 * 31, 2 * 9, 21, 8, C(0xF0B020));
    fill_rect(c, 26, 3, 6, 3, C(0x50B8D0));
    fill_rect(c, 26, 3, 6, 1, C(0xB0F0F8));
    fill_rect(c, 20, 11, 22, 1, C(0xA05810));
    fill_rect(c, 18, 7, 2, 5, GREY);
    for (int x : {30, 35}) c.set(x, 8, C(0x50B8D0));
    c.set(44, 4, SEA_L);
    c.set(45, 2, SEA_L);
    c.set(43, 1, WHITE);
    return c;
}

Canvas draw_char8x8(int n) {
    // 39 glyphs of 8x8: space, digits, capitals, '.', '!'; each strip in its
    // own colour on black.
    Canvas c(312, 8, BLACK);
    const char* chars = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ.!";
    const uint32_t cols[6] = {0, WHITE, YEL, SCARF_L, RED_L, GRN_L};
    const uint32_t shade[6] = {0, GREY, YEL_D, SCARF_D, RED_D, GRN_D};
    for (int i = 0; i < 39; ++i) {
        char s[2] = {chars[i], 0};
        draw_text(c, 8 * i + 2, 1, s, shade[n]);
        draw_text(c, 8 * i + 1, 0, s, cols[n]);
    }
    return c;
}

Canvas draw_font() {
    Canvas c(128, 48, BLACK);
    const char* chars = " !'(),-./0123456789:?@ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int i = 0; chars[i] && i < 96; ++i) {
        char s[2] = {chars[i], 0};
        draw_text(c, (i % 16) * 8 + 1, (i / 16) * 8, s, WHITE);
    }
    return c;
}
