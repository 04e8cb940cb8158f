#include "player.h"

uint16_t player_num_anim;
int16_t player_num_frame;
uint16_t player_num_spr;
int16_t player_map_x;
int16_t player_map_y;
int16_t player_scr_x, player_scr_y;
uint8_t flag_player_sens;
uint8_t flag_player_aff;
uint8_t flag_player_dead;
uint8_t flag_player_fire;
int8_t flag_player_ascenseur;
uint8_t flag_player_ascenseur2;
uint8_t flag_finish_level;
uint8_t flag_decrement_time;
int16_t player_dpl_x, player_dpl_y;
uint16_t lg_seq_saut;
uint16_t flag_petit_saut;
int16_t vitesse_chute, dplx_chute, cpt_chute;
uint16_t lg_seq_heurte;
uint16_t crdx_togo;
int16_t dir_dpl_ascenseur;
uint16_t top_climb;

// TODO(creature): the state machine is not built yet.
void init_vars_player() {}
void gere_player() {}
void aff_player() {}
