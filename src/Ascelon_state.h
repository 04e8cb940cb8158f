// The whole state of a running game as one value, for the tools that play
// a position again from where they left it (the route finder, the tests).
#pragma once

#include <SDL.h>

#include <cstdint>

#include "Ascelon.h"
#include "decors.h"
#include "map.h"
#include "nmis.h"

struct game_state {
    // Game flow.
    uint16_t nb_players, num_mission, current_player, lives, lvl;
    uint32_t tp_score[2];
    uint16_t tp_lives[2], tp_lvl[2];
    uint16_t flag_timeup, loop_tower;
    // Controls.
    uint32_t ctrl_player;
    uint8_t exit_game;
    // Tower world: the live map, its height, the view, the lifts waiting to
    // return, the sky's twinkling star and the water's wave.
    uint8_t map[MAP_COLUMNS * MAP_ROWS];
    uint16_t nb_tiles_tour;
    uint16_t tower_rotation;
    int16_t tower_offset_y, tower_offset_y2;
    pilier piliers[NB_PILIERS];
    int16_t star_idx, star_frm, star_inc;
    int32_t iSin;
    // The moving objects and their schedules.
    str_sprite sprites[NB_SPRITES_TAB];
    uint16_t offset_spawn;
    int16_t flying_nmi_delay, flying_nmi_sens;
    uint16_t idx_fish, timer_fishs;
    // The creature and the submarine.
    uint16_t player_num_anim;
    int16_t player_num_frame;
    uint16_t player_num_spr;
    int16_t player_map_x, player_map_y, player_scr_x, player_scr_y;
    uint8_t flag_player_sens, flag_player_aff, flag_player_dead, flag_player_fire;
    int8_t flag_player_ascenseur;
    uint8_t flag_player_ascenseur2, flag_finish_level, flag_decrement_time;
    int16_t player_dpl_x, player_dpl_y;
    uint16_t lg_seq_saut, flag_petit_saut;
    int16_t vitesse_chute, dplx_chute, cpt_chute;
    uint16_t lg_seq_heurte, crdx_togo;
    int16_t dir_dpl_ascenseur;
    uint16_t top_climb;
    uint8_t flag_player_ilstate;
    uint16_t num_il_frame, incy_il_subway;
    // Score, clock and panel: the strip keeps what was drawn into it (the
    // marks of lives, the drums), so its pixels are part of the game.
    uint8_t score[8];
    uint16_t bonus_tech, bonus_extra;
    int16_t time_level[3];
    uint8_t flag_panel_displayed;
    SDL_Rect clip;  // the buffer's clip, which the arrival and departure narrow
    uint16_t panel_pixels[320 * 24];
};
