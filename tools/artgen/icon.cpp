// The game's icon: the creature standing in front of the first tower's wall
// at night, on a rounded square. Drawn once at 32 x 32 pixels from the game's
// own sheets and enlarged pixel for pixel for the bigger sizes, so that it
// looks like the game at every size.
#include "icon.h"

#include "palette.h"
#include "sheets.h"

using namespace pal;

Canvas draw_icon() {
    Canvas c(32, 32);
    // Night sky over the sea, the colours of the game's first tower.
    for (int y = 0; y < 32; ++y) {
        const uint32_t col = y < 24 ? mix(INK, PUR_D, y, 23) : mix(SEA, SEA_D, y - 24, 7);
        fill_rect(c, 0, y, 32, 1, col);
    }
    // A slice of the first tower's wall, shaded towards its round edges.
    const Canvas& wall = sheet_canvas("tour1.bmp");
    for (int y = 2; y < 27; ++y)
        for (int x = 4; x < 24; ++x) {
            const int edge = x - 4 < 23 - x ? x - 4 : 23 - x;  // 0 at the rims
            c.set(x, y, shade(wall.get(x + 50, y + 8), edge < 4 ? 60 + 10 * edge : 100));
        }
    // The creature on a step at the tower's foot (its sheet's first frame).
    fill_rect(c, 2, 26, 28, 2, CREAM);
    fill_rect(c, 2, 27, 28, 1, shade(CREAM, 70));
    blit(c, sheet_canvas("player.bmp"), 0, 0, 32, 20, 9, 6);
    // Rounded corners: the key colour is left transparent.
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3 - i; ++j) {
            c.set(i, j, KEY);
            c.set(31 - i, j, KEY);
            c.set(i, 31 - j, KEY);
            c.set(31 - i, 31 - j, KEY);
        }
    return c;
}

Canvas enlarge(const Canvas& small, int factor) {
    Canvas big(small.w * factor, small.h * factor);
    for (int y = 0; y < big.h; ++y)
        for (int x = 0; x < big.w; ++x) big.set(x, y, small.get(x / factor, y / factor));
    return big;
}
