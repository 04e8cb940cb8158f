// Behind the tower: star frames, horizon strips and the unused parallax
// layers.
#include "palette.h"
#include "sheets.h"

Canvas draw_etoiles() {
    Canvas c(32, 8);
    for (int k = 0; k < 4; ++k) {
        int cx = 8 * k + 3;
        c.set(cx, 3, pal::WHITE);
        for (int r = 1; r <= k; ++r) {
            c.set(cx - r, 3, pal::YEL_L);
            c.set(cx + r, 3, pal::YEL_L);
            c.set(cx, 3 - r, pal::YEL_L);
            c.set(cx, 3 + r, pal::YEL_L);
        }
    }
    return c;
}

Canvas draw_backgnds() {
    Canvas c(64, 128);
    for (int t = 0; t < 8; ++t)
        for (int x = 0; x < 64; ++x) {
            int h = 4 + (x * (t + 3) / 16) % 6;
            for (int y = 16 - h; y < 16; ++y) c.set(x, 16 * t + y, pal::SEA_D);
        }
    return c;
}

Canvas draw_parallax(int n) {
    static const int W[5] = {0, 8, 16, 320, 320}, H[5] = {0, 8, 128, 24, 32};
    Canvas c(W[n], H[n], pal::SEA);
    for (int y = 0; y < c.h; ++y)
        for (int x = 0; x < c.w; ++x)
            if ((x + y * 3) % 7 == 0) c.set(x, y, pal::SEA_L);
    return c;
}
