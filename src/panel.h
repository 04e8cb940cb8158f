// The tower clock with its rolling drums, and the status panel.
#pragma once

#include <cstdint>

// Hundreds, tens, units: 8 * digit + how far the drum has rolled on.
extern int16_t time_level[3];

void set_time(uint16_t v);
void inc_time(uint16_t v);
void set_time_level(uint16_t lvl);
uint16_t dec_time();
void init_panel();
void gere_panel(uint16_t first);
void aff_panel(uint16_t mode);
