// The creature's state machine: standing and walking, jumping, falling,
// turning, throwing, being knocked off and drowning, and its drawing. The
// door passage, the lift ride, the arrival and the departure live in
// player_seq.cpp; the tests against the map in player_moves.cpp.
#include <SDL.h>

#include "controls.h"
#include "decors.h"
#include "gfx.h"
#include "map.h"
#include "nmis.h"
#include "player_internal.h"
#include "tour.h"

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

// Picture sequences (frames of the creature's sheet).
static const uint8_t seq_turn[7] = {8, 9, 10, 11, 10, 9, 8};
static const uint8_t seq_fire[3] = {26, 27, 26};
static const uint8_t seq_heurte[4] = {0, 28, 29, 30};

// Rise per frame in y units. Both jumps come down to where they started,
// so a jump that meets nothing lands at its own height.
static const int8_t dpl_saut1[12] = {3, 2, 2, 1, 1, 0, 0, -1, -1, -2, -2, -3};
static const int8_t dpl_saut2[8] = {2, 2, 1, 0, -1, -2, -2, 0};
static const int8_t dpl_heurte[16] = {3, 2, 1, 1, 1, 0, 0, -1, -2, -2, -3, -3, -3, -3, -3, -4};

constexpr uint16_t SPR_STAND = 12;
constexpr uint16_t SPR_FALL_BACK = 14, SPR_FALL_FORWARD = 15;
constexpr uint16_t DROWN_FIRST_SPR = 31;
constexpr int16_t DROWN_VISIBLE_END = 23, DROWN_DEAD_FRAME = 56;

void init_vars_player() {
    player_map_x = 4;
    player_map_y = 0;
    flag_player_sens = 0;
    flag_player_dead = 0;
    flag_player_ascenseur2 = 0;
    flag_player_ascenseur = -1;
    player_num_anim = ANIM_SUBWAY;
    player_num_frame = 1;
    player_num_spr = 0;
    flag_player_aff = 0;
    player_scr_x = 0;
    player_scr_y = -20;
    flag_finish_level = 0;
    top_climb = 8;
    flag_decrement_time = 0;  // the clock waits for the creature to climb out
}

static void start_fall(uint16_t spr, int16_t drift) {
    player_num_spr = spr;
    dplx_chute = drift;
    vitesse_chute = 1;
    cpt_chute = -1;
    player_num_anim = ANIM_FALL;
    player_num_frame = 0;
}

static bool shot_in_flight() { return tab_sprites && tab_sprites[4].cpt != -1; }

void player_idle() {
    test_break_plateform();
    const int16_t ahead = flag_player_sens ? -1 : 1;
    switch (test_player_edge()) {
    case 1: start_fall(0, 0); return;
    case 2: start_fall(SPR_FALL_FORWARD, ahead); return;
    case 3: start_fall(SPR_FALL_BACK, static_cast<int16_t>(-ahead)); return;
    default: break;
    }
    test_glissade();

    if (ctrl_player & (CTRL_LEFT | CTRL_RIGHT)) {
        const int16_t d = (ctrl_player & CTRL_LEFT) ? -1 : 1;  // left wins
        if (d != ahead) {
            player_num_anim = ANIM_TURN;
            player_num_frame = 0;
            return;
        }
        if (ctrl_player & CTRL_FIRE) {
            player_num_anim = ANIM_JUMP;
            player_dpl_x = d;
            player_num_frame = 0;
            lg_seq_saut = 12;
            flag_petit_saut = 0;
        } else if (test_player_movex(d)) {
            // Something in the way: hop, which clears a one-row step.
            player_num_anim = ANIM_JUMP;
            player_dpl_x = d;
            player_num_frame = 0;
            lg_seq_saut = 8;
            flag_petit_saut = 1;
        } else {
            player_num_frame = (player_num_frame + 1) & 7;
            player_num_spr = static_cast<uint16_t>(player_num_frame);
        }
        return;
    }

    if ((ctrl_player & CTRL_FIRE) && !flag_player_fire) {
        // One shot at a time: the button does nothing while it flies.
        if (shot_in_flight()) {
            player_num_frame = 0;
            return;
        }
        flag_player_fire = 1;
        player_num_anim = ANIM_FIRE;
        player_num_frame = 0;
        player_num_spr = 0;
        return;
    }

    if (ctrl_player & (CTRL_UP | CTRL_DOWN)) {
        const int16_t d = (ctrl_player & CTRL_UP) ? 1 : -1;  // up wins
        const int16_t lift = test_ascenseur();
        if (lift != 2 && (lift == 0 || lift == d)) {
            dir_dpl_ascenseur = d;
            player_num_frame = 0;
            player_num_anim = ANIM_LIFT;
            // A returning lift that is boarded stays where its rider takes it.
            remove_pilier(&player_cell_under());
            return;
        }
        if (ctrl_player & CTRL_UP) {
            const int16_t door = test_tunnel();
            if (door != -1) {
                if (door == 0x40) flag_finish_level = 1;
                player_num_anim = ANIM_TUNNEL;
                player_num_frame = 0;
            }
        }
    }
    player_num_spr = SPR_STAND;
}

void player_jump() {
    player_num_spr = player_num_frame & 7;
    test_player_movex(player_dpl_x);
    const int8_t* table = flag_petit_saut ? dpl_saut2 : dpl_saut1;
    player_dpl_y = table[player_num_frame];
    // A blocked step is shrunk until it fits: going down, a step that shrinks
    // to nothing means the creature stands on something and the jump is over.
    for (;;) {
        if (!test_player_movey(player_dpl_y)) break;
        if (player_dpl_y < 0) {
            if (++player_dpl_y == 0) {
                player_num_anim = ANIM_IDLE;
                player_num_frame = 0;
                return;
            }
        } else {
            --player_dpl_y;
        }
        if (player_dpl_y == 0) break;
    }
    ++player_num_frame;
    if (player_num_frame == static_cast<int16_t>(lg_seq_saut)) {
        // With ground right below, the fall state only shows the landing;
        // otherwise the creature drops on, straight down and already fast.
        const bool moved = test_player_movey(-1) == 0;
        player_num_anim = ANIM_FALL;
        player_num_frame = 0;
        if (moved) {
            vitesse_chute = 3;
            player_num_spr = 0;
            dplx_chute = 0;
            cpt_chute = -1;
        }
    }
}

void player_tombe() {
    if (player_num_frame == 0) {
        ++cpt_chute;
        if (test_player_movex(dplx_chute)) dplx_chute = 0;
        // The drop is shrunk until it fits, down to nothing. A jump that
        // ended on ground comes here with the speed of an earlier fall, 0
        // before the first one; shrinking on below nothing would try drops
        // upward and throw a creature whose box is in a block up the tower.
        do {
            if (!test_player_movey(static_cast<int16_t>(-vitesse_chute))) {
                if (vitesse_chute < 4) ++vitesse_chute;
                return;
            }
        } while (--vitesse_chute > 0);
        if (vitesse_chute < 0) vitesse_chute = 0;
        // Stepping off a step sideways, the creature's box still touches the
        // step it leaves: the first two frames ignore that ground.
        if (dplx_chute != 0 && cpt_chute <= 1) {
            if (vitesse_chute < 4) ++vitesse_chute;
            return;
        }
        player_num_frame = 1;
    }
    player_num_spr = static_cast<uint16_t>(14 - player_num_frame);
    if (++player_num_frame == 3) {
        player_num_anim = ANIM_IDLE;
        player_num_frame = 0;
    }
}

void player_turn() {
    player_num_spr = seq_turn[player_num_frame];
    ++player_num_frame;
    // The back view is drawn already with the new facing.
    if (player_num_frame == 4) flag_player_sens ^= 1;
    if (player_num_frame == 7) {
        player_num_anim = ANIM_IDLE;
        player_num_frame = 0;
    }
}

void player_fire() {
    test_glissade();
    if (player_num_frame == 3) {
        player_num_anim = ANIM_IDLE;
        player_num_frame = 0;
        return;
    }
    player_num_spr = seq_fire[player_num_frame];
    if (player_num_frame == 1) insert_fire();
    ++player_num_frame;
}

void player_start_drowning() {
    flag_decrement_time = 0;
    player_num_anim = ANIM_DROWN;
    player_num_frame = 1;
    player_map_y = 0;
    player_num_spr = 0;
}

void player_heurte() {
    if (player_num_frame != static_cast<int16_t>(lg_seq_heurte)) {
        // The flight goes through everything: no decor test on the way.
        player_num_spr = seq_heurte[(player_num_frame / 2) & 3];
        const int16_t f = player_num_frame < 15 ? player_num_frame : 15;
        player_map_y = static_cast<int16_t>(player_map_y + dpl_heurte[f]);
        if (player_map_y < 0) {
            player_start_drowning();
            return;
        }
        player_map_y &= 0x3ff;
        ++player_num_frame;
        return;
    }
    player_num_spr = lg_seq_heurte;
    player_map_y = static_cast<int16_t>(player_map_y - 4);
    if (player_map_y < 0) {
        player_start_drowning();
        return;
    }
    // Still inside decor: drop a row a frame until the creature is free.
    if (player_col_decor()) return;
    start_fall(0, 0);
}

void player_coule() {
    if (player_num_frame >= DROWN_DEAD_FRAME) {
        flag_player_dead = 1;
        return;
    }
    if (player_num_frame <= DROWN_VISIBLE_END)
        player_num_spr = static_cast<uint16_t>(player_num_frame / 4);
    else
        flag_player_aff = 0;
    ++player_num_frame;
}

// Indexed by player_num_anim without a check: only 0..10 are ever stored.
static void (*const tab_player_states[11])() = {
    player_idle,      player_jump,   player_tombe, player_turn,     player_tunnel, player_fire,
    player_ascenseur, player_heurte, player_coule, player_endlevel, player_subway,
};

void gere_player() {
    if (flag_player_fire && !(ctrl_player & CTRL_FIRE)) flag_player_fire = 0;
    tab_player_states[player_num_anim]();
}

void aff_player() {
    if (!flag_player_aff) return;
    SDL_Surface* sheet = (flag_player_sens || (player_num_spr & 0x80)) ? spr_player2 : spr_player;
    int f = player_num_spr & 0x7f;
    // The camera stops at the tower's foot, so there the creature itself
    // moves on the screen.
    const int lag = tower_offset_y2 - tower_offset_y;
    const int16_t sy =
        static_cast<int16_t>(player_map_y <= 7 ? lag + 156 - 2 * player_map_y : lag + 140);
    if (player_num_anim == ANIM_DROWN) {
        if (f > 5) return;
        f += DROWN_FIRST_SPR;
    }
    const SDL_Rect src{0, static_cast<Sint16>(32 * f), 32, 32};
    insert_sprite(144, sy, &src, sheet);
    if (flag_player_ascenseur >= 0) {
        // Queued after the creature, so drawn under its feet.
        const SDL_Rect platform{0, 1184, 32, 16};
        insert_sprite(144, static_cast<int16_t>(sy + 19), &platform, spr_player);
    }
}
