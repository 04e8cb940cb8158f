// What stands on the tower: steps, lifts, blocks and doors drawn in depth
// order, the lifts that return by themselves, and the creature's enemy probe.
#pragma once

#include <cstdint>

struct str_sprite;

extern int8_t* tab_pse2spr;          // cell code -> decor sprite index, -1 none
extern int16_t* tab_offsetx_decors;  // 5 x 128: screen x of a piece per view angle
extern int8_t* tab_prior_decors;     // view angle -> pass: 0 front, 1 beside, -1 hidden

// A lift left above its bottom stop, waiting to return.
struct pilier {
    int16_t wait;   // -1 free; above 0 frames to wait; 0 or below descending
    uint8_t* cell;  // the map cell holding the lift now
    uint8_t saved;  // what that cell held before the lift took it over
};
constexpr int NB_PILIERS = 4;
constexpr int16_t PILIER_WAIT = 125;  // frames a lift left up stands before it sinks: five seconds
extern pilier* tab_piliers;

void init_decors();
void build_spr_decors();
// The rows on screen for a vertical scroll o: n rows from map row top_row
// downward, the l-th at screen y 8 * l + shift.
void decors_visible_rows(int16_t o, int16_t& n, int16_t& top_row, int16_t& shift);
// The 16 columns in drawing order with their view angles: 8 front, 8 back.
void decors_visit_order(uint16_t rotation, uint8_t columns[16], uint8_t angles[16]);
void reset_piliers();
uint16_t insert_pilier(uint8_t* cell);
void remove_pilier(uint8_t* cell);
void gere_piliers();
str_sprite* ascenseur_col_nmi();
