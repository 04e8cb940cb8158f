#include "backgnd.h"

#include <SDL.h>

#include "Ascelon.h"
#include "gfx.h"
#include "map.h"
#include "tour.h"

// Per-line colour steps of the two bands behind the tower, by tower: upper
// band red, green, blue, then lower band red, green, blue.
static const int16_t tab_backcol_lvl[8][6] = {
    {8, 0, 0, 0, 8, 0}, {0, 8, 0, 0, 0, 8}, {8, 0, 0, 0, 0, 8},  {0, 8, 0, 8, 0, 0},
    {0, 0, 8, 0, 8, 0}, {0, 0, 8, 8, 0, 0}, {0, 8, 8, 8, -8, 0}, {8, 0, 8, 0, 8, -8},
};

// The stars' angles around the sky, in steps of 8 pixels.
static const uint8_t tab_etoiles[32] = {
    0,  10, 6,  48, 39, 20, 5,  41, 30, 52, 13, 61, 27, 48, 3,  36,
    32, 42, 38, 16, 7,  52, 37, 9,  62, 20, 47, 29, 59, 16, 35, 4,
};
int16_t star_idx, star_frm, star_inc;

void init_back(uint16_t) {
    star_idx = 0;
    star_frm = 17;
    star_inc = 1;
}

static int32_t floor_div(int32_t a, int32_t b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }

// The three parts are added, not masked together: an accumulator that
// outgrows its field spills into the next one, which is what gives the
// lower bands their second hue.
uint16_t back_colour(int32_t r, int32_t g, int32_t b) {
    return static_cast<uint16_t>(floor_div(r, 8) * 2048 + floor_div(g, 4) * 32 + floor_div(b, 8));
}

static void fill_line(int y, uint16_t v) {
    uint16_t* line =
        reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(buffer->pixels) + y * buffer->pitch);
    for (int x = 0; x < 320; ++x) line[x] = v;
}

static void gradient_band(int first_y, int32_t r0, int32_t g0, int32_t b0, const int16_t* inc) {
    for (int i = 0; i < 32; ++i) {
        const int y = first_y + i;
        if (y < 0 || y > 239) break;
        fill_line(y, back_colour(r0 + inc[0] * i, g0 + inc[1] * i, b0 + inc[2] * i));
    }
}

void build_back(uint16_t tower) {
    const int o = tower_offset_y;
    aff_etoiles();

    // The far shore turns with the tower, four times per turn.
    const SDL_Rect strip{0, static_cast<Sint16>(16 * tower), 64, 16};
    for (int x = -(tower_rotation & 63); x <= 319; x += 64)
        insert_sprite(static_cast<int16_t>(x), static_cast<int16_t>(225 - o), &strip, spr_backgnd);

    SDL_LockSurface(buffer);
    // The sea darkens towards the horizon: blue rises by half a step a line
    // and holds at 25 after 50 lines.
    for (int y = 225 - o, k = 0; y <= 239; ++y, ++k) {
        const int a = 4 * k < 200 ? 4 * k : 200;
        if (y >= 0) fill_line(y, static_cast<uint16_t>(a / 8));
    }
    const int16_t* inc = tab_backcol_lvl[lvl & 7];
    gradient_band(168 - o, 0, 0, 0, inc);
    // The lower band starts where a full upper band would have ended.
    gradient_band(200 - o, static_cast<int16_t>(inc[0] * 255), static_cast<int16_t>(inc[1] * 255),
                  static_cast<int16_t>(inc[2] * 255), inc + 3);
    SDL_UnlockSurface(buffer);
}

void aff_etoiles() {
    const int o = tower_offset_y;
    int y = 80 - o;
    // Enough stars to reach well above the top of the tower.
    const int n = (80 - o) / 8 + nb_tiles_tour;
    for (int i = 0; i < n; ++i, y -= 8) {
        const int x = 8 * ((tab_etoiles[i & 31] - tower_rotation) & 63);
        const int frame = (i & 31) == star_idx ? star_frm - 17 : 0;
        const SDL_Rect src{static_cast<Sint16>(8 * frame), 0, 8, 8};
        insert_sprite(static_cast<int16_t>(x), static_cast<int16_t>(y), &src, spr_etoiles);
    }
    // One star at a time swells and fades over six frames, then the next
    // one in the table takes its turn.
    star_frm = static_cast<int16_t>(star_frm + star_inc);
    if (star_frm == 17) {
        star_inc = 1;
        star_idx = (star_idx + 1) & 31;
    } else if (star_frm == 20) {
        star_inc = -1;
    }
}
