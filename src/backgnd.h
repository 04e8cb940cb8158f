// The sky behind the tower: stars, colour bands, the horizon and the sea.
#pragma once

#include <cstdint>

extern int16_t star_idx, star_frm, star_inc;  // the star twinkling now

void init_back(uint16_t tower);
void build_back(uint16_t tower);
void aff_etoiles();
// The RGB565 value of a band line from its three colour accumulators.
uint16_t back_colour(int32_t r, int32_t g, int32_t b);
