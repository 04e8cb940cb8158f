// The status panel: backgrounds, digits, clock drum, mode icons, and the
// spare fonts.
#include "font.h"
#include "palette.h"
#include "sheets.h"

Canvas draw_panel(int n) {
    Canvas c(n == 1 ? 8 : 64, 24, pal::INK2);
    fill_rect(c, 0, 0, c.w, 1, pal::GREY);
    return c;
}

Canvas draw_chiffres() {
    Canvas c(8, 88, pal::INK);
    for (int d = 0; d < 10; ++d) {
        char s[2] = {char('0' + d), 0};
        draw_text(c, 1, 8 * d, s, pal::YEL);
    }
    fill_circle(c, 3, 83, 2, pal::FUR);
    return c;
}

Canvas draw_time() {
    Canvas c(16, 176, pal::CREAM);
    for (int d = 0; d < 11; ++d) {
        char s[2] = {char('0' + d % 10), 0};
        draw_text(c, 5, 16 * d + 4, s, pal::INK);
    }
    return c;
}

Canvas draw_time_icons() {
    Canvas c(48, 16, pal::INK2);
    fill_rect(c, 5, 2, 6, 12, pal::GREY_L);
    fill_ellipse(c, 32, 8, 12, 4, pal::YEL);
    return c;
}

Canvas draw_char8x8(int n) {
    Canvas c(312, 8, pal::BLACK);
    const char* chars = " 0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ.!";
    const uint32_t cols[6] = {0, pal::WHITE, pal::YEL, pal::SCARF_L, pal::RED_L, pal::GRN_L};
    for (int i = 0; i < 39; ++i) {
        char s[2] = {chars[i], 0};
        draw_text(c, 8 * i + 1, 0, s, cols[n]);
    }
    return c;
}

Canvas draw_font() {
    Canvas c(128, 48, pal::BLACK);
    const char* chars = " !'(),-./0123456789:?@ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (int i = 0; chars[i] && i < 96; ++i) {
        char s[2] = {chars[i], 0};
        draw_text(c, (i % 16) * 8 + 1, (i / 16) * 8, s, pal::WHITE);
    }
    return c;
}
