#include <SDL.h>

#include "gfx.h"
#include "player.h"
#include "tour.h"

uint8_t flag_player_ilstate;
uint16_t num_il_frame;
uint16_t incy_il_subway;

// TODO(interlevel): the submarine is not built yet; the interlevel ends at
// once so that the game flow moves on to the next tower.
void init_ilvars_player() { flag_player_ilstate = 2; }
void gere_il_subway() {}
void gere_il_bullet() {}
void aff_il_subway() {}
void aff_il_bullet() {}

// One segment of the submarine at the tower's foot, h in y units above the
// sea (2 pixels each); a segment deep enough under water is not drawn.
void insert_spr_subway(int16_t x, int16_t h, uint16_t frame) {
    if (h <= -10) return;
    const SDL_Rect src{0, static_cast<Sint16>(32 * frame), 32, 32};
    insert_sprite(x, static_cast<int16_t>(220 - 2 * h - tower_offset_y), &src, spr_subway);
}

// Dome first, so that it covers the hull; the dome slides by player_scr_x to
// let the creature in and out.
void aff_subway() {
    insert_spr_subway(static_cast<int16_t>(player_scr_x + 148),
                      static_cast<int16_t>(player_scr_y + 10), 0);
    insert_spr_subway(124, player_scr_y, 1);
    insert_spr_subway(148, player_scr_y, 2);
    insert_spr_subway(172, player_scr_y, 3);
}
