#include "Ascelon_state.h"

#include <cstring>

#include "backgnd.h"
#include "controls.h"
#include "gfx.h"
#include "inters.h"
#include "panel.h"
#include "player.h"
#include "tour.h"

// Copies between the game's globals and a saved value; the same list both
// ways, so that nothing is saved that is not restored.
template <typename State>
static void each_global(State& s, bool save) {
    auto at = [save](auto& saved, auto& live) {
        if (save)
            std::memcpy(&saved, &live, sizeof live);
        else
            std::memcpy(&live, &saved, sizeof live);
    };
    at(s.nb_players, nb_players);
    at(s.num_mission, num_mission);
    at(s.current_player, current_player);
    at(s.lives, lives);
    at(s.lvl, lvl);
    at(s.tp_score, tp_score);
    at(s.tp_lives, tp_lives);
    at(s.tp_lvl, tp_lvl);
    at(s.flag_timeup, flag_timeup);
    at(s.loop_tower, loop_tower);
    at(s.ctrl_player, ctrl_player);
    at(s.exit_game, exit_game);
    at(s.nb_tiles_tour, nb_tiles_tour);
    at(s.tower_rotation, tower_rotation);
    at(s.tower_offset_y, tower_offset_y);
    at(s.tower_offset_y2, tower_offset_y2);
    at(s.star_idx, star_idx);
    at(s.star_frm, star_frm);
    at(s.star_inc, star_inc);
    at(s.iSin, iSin);
    at(s.offset_spawn, offset_spawn);
    at(s.flying_nmi_delay, flying_nmi_delay);
    at(s.flying_nmi_sens, flying_nmi_sens);
    at(s.idx_fish, idx_fish);
    at(s.timer_fishs, timer_fishs);
    at(s.player_num_anim, player_num_anim);
    at(s.player_num_frame, player_num_frame);
    at(s.player_num_spr, player_num_spr);
    at(s.player_map_x, player_map_x);
    at(s.player_map_y, player_map_y);
    at(s.player_scr_x, player_scr_x);
    at(s.player_scr_y, player_scr_y);
    at(s.flag_player_sens, flag_player_sens);
    at(s.flag_player_aff, flag_player_aff);
    at(s.flag_player_dead, flag_player_dead);
    at(s.flag_player_fire, flag_player_fire);
    at(s.flag_player_ascenseur, flag_player_ascenseur);
    at(s.flag_player_ascenseur2, flag_player_ascenseur2);
    at(s.flag_finish_level, flag_finish_level);
    at(s.flag_decrement_time, flag_decrement_time);
    at(s.player_dpl_x, player_dpl_x);
    at(s.player_dpl_y, player_dpl_y);
    at(s.lg_seq_saut, lg_seq_saut);
    at(s.flag_petit_saut, flag_petit_saut);
    at(s.vitesse_chute, vitesse_chute);
    at(s.dplx_chute, dplx_chute);
    at(s.cpt_chute, cpt_chute);
    at(s.lg_seq_heurte, lg_seq_heurte);
    at(s.crdx_togo, crdx_togo);
    at(s.dir_dpl_ascenseur, dir_dpl_ascenseur);
    at(s.top_climb, top_climb);
    at(s.flag_player_ilstate, flag_player_ilstate);
    at(s.num_il_frame, num_il_frame);
    at(s.incy_il_subway, incy_il_subway);
    at(s.score, score);
    at(s.bonus_tech, bonus_tech);
    at(s.bonus_extra, bonus_extra);
    at(s.time_level, time_level);
    at(s.flag_panel_displayed, flag_panel_displayed);
}

// The heap blocks exist from the first tower on; a game that never reached
// one saves them empty.
static void copy_panel(uint16_t* pixels, bool save) {
    if (!panel) return;
    SDL_LockSurface(panel);
    for (int y = 0; y < 24; ++y) {
        uint8_t* row = static_cast<uint8_t*>(panel->pixels) + y * panel->pitch;
        if (save)
            std::memcpy(pixels + 320 * y, row, 640);
        else
            std::memcpy(row, pixels + 320 * y, 640);
    }
    SDL_UnlockSurface(panel);
}

void save_game_state(game_state& s) {
    std::memset(&s, 0, sizeof s);
    each_global(s, true);
    if (current_map) std::memcpy(s.map, current_map, sizeof s.map);
    if (tab_piliers) std::memcpy(s.piliers, tab_piliers, sizeof s.piliers);
    if (tab_sprites) std::memcpy(s.sprites, tab_sprites, sizeof s.sprites);
    if (buffer) SDL_GetClipRect(buffer, &s.clip);
    copy_panel(s.panel_pixels, true);
}

void restore_game_state(const game_state& s) {
    // The tower's own pictures follow the tower: a state of another tower
    // brings its wall, its enemy sheet and its sky back first.
    if (s.loop_tower != loop_tower || !spr_tour || !spr_nmis) {
        init_nmi_lvl(s.loop_tower);
        init_tour(s.loop_tower);
        init_back(s.loop_tower);
    }
    // The heap blocks are allocated on their first use, and kept.
    if (!current_map) init_map(s.num_mission, s.loop_tower);
    if (!tab_piliers) init_decors();
    init_nmis();
    game_state copy = s;
    each_global(copy, false);
    std::memcpy(current_map, s.map, sizeof s.map);
    std::memcpy(tab_piliers, s.piliers, sizeof s.piliers);
    std::memcpy(tab_sprites, s.sprites, sizeof s.sprites);
    if (buffer) {
        SDL_Rect clip = s.clip;
        SDL_SetClipRect(buffer, &clip);
    }
    copy_panel(copy.panel_pixels, false);
}
