#include "nmis.h"

uint16_t idx_fish;
uint16_t timer_fishs;

// TODO(interlevel): the fish are not built yet.
void init_il_fishs() {}
void gere_il_fishs() {}
void gere_il_cols() {}
void aff_il_fishs() {}
