#include "player.h"

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
void aff_subway() {}
