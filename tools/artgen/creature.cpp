// The creature the player steers: 37 frames of 32x32 and the lift platform.
#include "palette.h"
#include "sheets.h"

namespace {
void body(Canvas& c, int oy, int dx, int dy) {
    fill_ellipse(c, 16 + dx, oy + 9 + dy, 5, 6, pal::FUR);
    fill_rect(c, 13 + dx, oy + 16 + dy, 2, 3, pal::FUR_D);
    fill_rect(c, 18 + dx, oy + 16 + dy, 2, 3, pal::FUR_D);
    c.set(18 + dx, oy + 7 + dy, pal::WHITE);
    c.set(19 + dx, oy + 7 + dy, pal::INK);
}
}

Canvas draw_player() {
    Canvas c(32, 1200);
    for (int f = 0; f < 37; ++f) body(c, 32 * f, 0, 0);
    fill_rect(c, 5, 1184 + 1, 22, 6, pal::YEL);
    outline(c, 0, 0, 32, 1200, pal::INK);
    return c;
}

Canvas draw_player2() {
    Canvas c = sheet_canvas("player.bmp");
    for (int f = 0; f < 37; ++f) mirror_cell(c, 0, 32 * f, 32, 32);
    return c;
}

Canvas draw_mplayer() {
    Canvas c(32, 384, pal::SEA_D);
    blit(c, sheet_canvas("player.bmp"), 0, 0, 32, 384, 0, 0);
    return c;
}
