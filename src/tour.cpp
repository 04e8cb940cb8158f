#include "tour.h"

#include <SDL.h>

#include "gfx.h"
#include "map.h"
#include "player.h"

uint16_t tower_rotation;
int16_t tower_offset_y;
int16_t tower_offset_y2;

// floor(80 - 80 cos(2 pi a / 128)): the screen x, within a 160-pixel span,
// of view angle a on the circle of radius 80 where everything that stands
// out of the tower is placed. Angle 64 is held at 159 so that the span
// stays 160 pixels wide.
const int16_t tab_offset_x[128] = {
    0,   0,   0,   0,   1,   2,   3,   4,   6,   7,   9,   11,  13,  15,  18,  20,  23,  26,  29,
    32,  35,  38,  42,  45,  49,  53,  56,  60,  64,  68,  72,  76,  80,  83,  87,  91,  95,  99,
    103, 106, 110, 114, 117, 121, 124, 127, 130, 133, 136, 139, 141, 144, 146, 148, 150, 152, 153,
    155, 156, 157, 158, 159, 159, 159, 159, 159, 159, 159, 158, 157, 156, 155, 153, 152, 150, 148,
    146, 144, 141, 139, 136, 133, 130, 127, 124, 121, 117, 114, 110, 106, 103, 99,  95,  91,  87,
    83,  80,  76,  72,  68,  64,  60,  56,  53,  49,  45,  42,  38,  35,  32,  29,  26,  23,  20,
    18,  15,  13,  11,  9,   7,   6,   4,   3,   2,   1,   0,   0,   0,
};

void init_tour(uint16_t lvl) {
    // Cleared before the load: a picture that fails to load ends the
    // program, which releases every picture, and must not meet this one again.
    SDL_FreeSurface(spr_tour);
    spr_tour = nullptr;
    char name[16];
    SDL_snprintf(name, sizeof name, "tour%d.bmp", (lvl & 7) + 1);
    spr_tour = load_bmp(name, false, 255, 0, 255);
}

void calc_offset_tour() {
    // The creature's own angle is brought to view angle 36: standing at a
    // column's centre, that column's step is centred on the screen.
    tower_rotation = (36 - player_map_x) & 127;
    tower_offset_y2 = static_cast<int16_t>(80 - 2 * (player_map_y < 8 ? 8 : player_map_y));
    // The camera holds still during a jump, so the creature moves on the
    // screen and the tower does not bob.
    if (player_num_anim == ANIM_JUMP) return;
    const int d = static_cast<int16_t>(tower_offset_y2 - tower_offset_y);
    if (d == 0) return;
    // An eighth of the gap, rounded up to whole pairs of pixels: both values
    // are even, so the camera lands exactly on its target.
    const int step = (((d < 0 ? -d : d) + 7) / 8) * 2;
    tower_offset_y = static_cast<int16_t>(tower_offset_y + (d < 0 ? -step : step));
}

void build_tour() {
    const int16_t top = static_cast<int16_t>(240 - tower_offset_y - 8 * nb_tiles_tour);
    SDL_Rect cap{0, 0, 128, 64};
    insert_sprite(96, static_cast<int16_t>(top - 64), &cap, spr_toptower);
    // Every second row is turned half a column further, which staggers the
    // wall's joints; the alternation counts from the top of the tower.
    const int p0 = tower_rotation & 7, p1 = (tower_rotation + 4) & 7;
    for (int i = 0; i < nb_tiles_tour; ++i) {
        SDL_Rect strip{0, static_cast<Sint16>(8 * ((i & 1) ? p1 : p0)), 128, 8};
        insert_sprite(96, static_cast<int16_t>(top + 8 * i), &strip, spr_tour);
    }
}
