// Everything that moves besides the creature: the tower enemies, the shot's
// record, the interlevel fish and the submarine's bullet share one table.
#pragma once

#include <cstdint>

struct str_sprite {
    int16_t status;
    int16_t type;
    int16_t crdx;
    int16_t crdy;
    int16_t crdz;
    int16_t scr_x;
    int16_t dpl;
    int16_t cpt_init;
    int16_t cpt;
    int16_t num_spr;
};
constexpr int NB_SPRITES_TAB = 6;
extern str_sprite* tab_sprites;

// Enemy statuses.
enum : int16_t {
    NMI_FREE = 0,
    NMI_BOUNCER = 1,
    NMI_ROLLER = 2,
    NMI_FALLING = 3,
    NMI_VANISH = 4,
    NMI_STUNNED = 5,
    NMI_APPEAR = 6,
    NMI_FLYER = 7,
    NMI_VPATROL = 8,
    NMI_HPATROL = 9,
    NMI_SHOT = 10,
};

extern uint16_t offset_spawn;
extern int16_t flying_nmi_delay;
extern int16_t flying_nmi_sens;

void init_nmis();
void init_nmi_lvl(uint16_t lvl);
void reset_all_nmis();
void spawn_nmi();
void gere_nmis();
str_sprite* nmi_col_spr(uint16_t me);
uint16_t ballh_col_dec(str_sprite* s);
uint16_t nmi_col_decor(str_sprite* s);
void calc_crdz_nmis();
void aff_nmis(uint16_t angle, int16_t pass);
void aff_flying_nmi();

// Interlevel fish.
extern uint16_t idx_fish;
extern uint16_t timer_fishs;
void init_il_fishs();
void gere_il_fishs();
void gere_il_cols();
void col_fishs_subway();
void col_fishs_bullet();
void aff_il_fishs();
