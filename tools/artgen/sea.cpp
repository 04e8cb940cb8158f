// The interlevel: submarine, torpedo and fish.
#include "palette.h"
#include "sheets.h"

Canvas draw_subway() {
    Canvas c(32, 128);
    fill_ellipse(c, 16, 26, 9, 6, pal::SCARF_L);
    for (int s = 1; s < 4; ++s) fill_rect(c, 0, 32 * s + 2, 32, 14, pal::YEL);
    outline(c, 0, 0, 32, 128, pal::INK);
    return c;
}

Canvas draw_torpille() {
    Canvas c(8, 8);
    fill_rect(c, 1, 3, 6, 2, pal::GREY_L);
    return c;
}

Canvas draw_fishs() {
    Canvas c(32, 512);
    const uint32_t cols[4] = {pal::YEL, pal::RED_L, pal::GRN_L, pal::GREY_L};
    for (int k = 0; k < 16; ++k) {
        int y = 32 * k;
        fill_ellipse(c, 15, y + 16, 8, 5, cols[k / 4]);
        c.set(10, y + 15, pal::INK);
    }
    outline(c, 0, 0, 32, 512, pal::INK);
    return c;
}
