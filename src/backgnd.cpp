#include "backgnd.h"

// TODO(tower world): the sky is not built yet.
const int16_t tab_backcol_lvl[8][6] = {};
const uint8_t tab_etoiles[32] = {};
int16_t star_idx, star_frm, star_inc;

void init_back(uint16_t) {}
void build_back(uint16_t) {}
void aff_etoiles() {}
