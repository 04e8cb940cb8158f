#include "nmis.h"

str_sprite* tab_sprites;
uint16_t offset_spawn;
int16_t flying_nmi_delay;
int16_t flying_nmi_sens;

// TODO(enemies): the tower enemies are not built yet.
void init_nmis() {}
void init_nmi_lvl(uint16_t) {}
void reset_all_nmis() {}
void spawn_nmi() {}
void gere_nmis() {}
void calc_crdz_nmis() {}
void aff_flying_nmi() {}
