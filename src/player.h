// The creature: its state machine, its moves against the map, its score,
// its shot, and the submarine it arrives and leaves in.
#pragma once

#include <cstdint>

// States of player_num_anim.
enum : uint16_t {
    ANIM_IDLE = 0,
    ANIM_JUMP = 1,
    ANIM_FALL = 2,
    ANIM_TURN = 3,
    ANIM_TUNNEL = 4,
    ANIM_FIRE = 5,
    ANIM_LIFT = 6,
    ANIM_KNOCKED = 7,
    ANIM_DROWN = 8,
    ANIM_ENDLEVEL = 9,
    ANIM_SUBWAY = 10,
};

extern uint16_t player_num_anim;            // state 0..10
extern int16_t player_num_frame;            // frame counter inside the state
extern uint16_t player_num_spr;             // picture: bits 0-6 frame, bit 7 mirrored sheet
extern int16_t player_map_x;                // 0..127 around the tower
extern int16_t player_map_y;                // 0..1023, feet level
extern int16_t player_scr_x, player_scr_y;  // submarine offsets / position
extern uint8_t flag_player_sens;            // facing: 0 right, 1 left
extern uint8_t flag_player_aff;             // 1 when the creature is drawn
extern uint8_t flag_player_dead;
extern uint8_t flag_player_fire;        // 1 from a throw until fire is released
extern int8_t flag_player_ascenseur;    // 1 riding a lift, -1 not
extern uint8_t flag_player_ascenseur2;  // a knock waits for the lift's next row
extern uint8_t flag_finish_level;       // 0 playing .. 4 the tower is over
extern uint8_t flag_decrement_time;     // 1 while the clock runs
extern int16_t player_dpl_x, player_dpl_y;
extern uint16_t lg_seq_saut;
extern uint16_t flag_petit_saut;
extern int16_t vitesse_chute, dplx_chute, cpt_chute;
extern uint16_t lg_seq_heurte;
extern uint16_t crdx_togo;
extern int16_t dir_dpl_ascenseur;
extern uint16_t top_climb;

// State machine and drawing.
void init_vars_player();
void gere_player();
void aff_player();

// The creature against the enemies, once per frame after they moved.
void gere_col_player();

// Score and bonus counters.
extern uint8_t score[8];  // one decimal digit a byte, most significant first
extern uint16_t bonus_tech, bonus_extra;
void reset_score();
uint32_t get_score();
void set_score(uint32_t packed);
void inc_score(int16_t amount);
void inc_bonus_extra(int16_t n);
void dec_bonus_tech(int16_t n);
void init_bonus();
void calc_bonus_climb();

// The submarine, at the tower's foot and in the interlevel.
extern uint8_t flag_player_ilstate;  // 0 steering, 1 leaving, 2 over
extern uint16_t num_il_frame;
extern uint16_t incy_il_subway;
void init_ilvars_player();
void gere_il_subway();
void gere_il_bullet();
void aff_il_subway();
void aff_il_bullet();
void aff_subway();

// The shot.
void reset_fire();
void insert_fire();
void gere_fire();
