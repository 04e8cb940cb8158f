#include "decors.h"

#include "map.h"
#include "nmis.h"

int8_t* tab_pse2spr;
int16_t* tab_offsetx_decors;
int8_t* tab_prior_decors;
pilier* tab_piliers;

// TODO(tower world): tables, drawing and the lift return are not built yet.
const int16_t offsetx_portes[68] = {};
const int16_t tab_offset_map[16][2] = {};

void init_decors() {}
void build_spr_decors() {}
void reset_piliers() {}
uint16_t insert_pilier(uint8_t*) { return 0; }
void remove_pilier(uint8_t*) {}
void gere_piliers() {}
str_sprite* ascenseur_col_nmi() { return nullptr; }
