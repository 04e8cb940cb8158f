// The creature's own workings, shared by the files of the player module and
// by its tests: the states of its state machine, its moves and tests
// against the map, and the submarine's picture pieces. The rest of the game
// sees only player.h.
#pragma once

#include <cstdint>

#include "player.h"

// One function per state of player_num_anim.
void player_idle();
void player_jump();
void player_tombe();
void player_turn();
void player_tunnel();
void player_fire();
void player_ascenseur();
void player_heurte();
void player_coule();
void player_endlevel();
void player_subway();
void player_start_drowning();

// Moves and tests against the map.
uint8_t& player_cell_under();  // the cell the creature stands on
uint16_t player_col_decor();
uint16_t test_player_movex(int16_t dx);
uint16_t test_player_movey(int16_t dy);
uint16_t test_player_edge();
int16_t test_tunnel();
int16_t test_ascenseur();
void test_break_plateform();
int16_t test_block_glissant();
void test_glissade();
// Throws the creature off its feet; lg_seq_heurte says how long it flies.
void knock();
extern const uint8_t tab_edges[32];

// The submarine's pieces, at the tower's foot and in the interlevel.
void insert_spr_subway(int16_t x, int16_t h, uint16_t frame);
void insert_spr_ilsubway(int16_t x, int16_t y, uint16_t frame);

// The tower's foot as the submarine sees it: sprites are cut at the line of
// the water while it is about; its depths hidden and surfaced, and where its
// dome stands open.
constexpr uint16_t WATER_LINE = 178;
constexpr int16_t SUB_HIDDEN = -20, SUB_SURFACED = -2, DOME_OPEN = -24;
