// Tower enemies (four sets), the flyer and the creature's shot.
#include "palette.h"
#include "sheets.h"

Canvas draw_nmis(int n) {
    Canvas c(32, 256);
    const uint32_t cols[4] = {pal::RED, pal::PUR, pal::GRN, pal::YEL};
    for (int pic = 4; pic < 20; ++pic) {
        int y = 16 * pic - 64;
        if (pic >= 6 && pic <= 8) continue;
        int r = pic >= 9 && pic <= 11 ? pic - 8 : 6;
        fill_circle(c, 16, y + 9, r, cols[(n - 1) & 3]);
    }
    outline(c, 0, 0, 32, 256, pal::INK);
    return c;
}

Canvas draw_flying() {
    Canvas c(32, 256);
    for (int k = 0; k < 8; ++k) {
        int y = 32 * k;
        fill_ellipse(c, 16, y + 16, 4, 5, pal::PUR);
        int wy = (k < 4 ? k : 8 - k) * 2;
        line(c, 11, y + 14, 4, y + 10 + wy, pal::PUR_L);
        line(c, 20, y + 14, 27, y + 10 + wy, pal::PUR_L);
    }
    outline(c, 0, 0, 32, 256, pal::INK);
    return c;
}

Canvas draw_fire() {
    Canvas c(32, 8);
    for (int k = 0; k < 4; ++k) {
        fill_circle(c, 8 * k + 3, 3, 2, pal::YEL);
        c.set(8 * k + 3, 3, pal::WHITE);
    }
    return c;
}
