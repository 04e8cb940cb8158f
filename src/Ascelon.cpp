#include "Ascelon.h"

#include <SDL.h>

#include "backgnd.h"
#include "controls.h"
#include "decors.h"
#include "gfx.h"
#include "inters.h"
#include "map.h"
#include "nmis.h"
#include "panel.h"
#include "platform.h"
#include "player.h"
#include "present.h"
#include "tour.h"

uint16_t nb_players;
uint16_t num_mission;
uint16_t current_player;
uint16_t lives;
uint16_t lvl;
uint32_t tp_score[2];
uint16_t tp_lives[2];
uint16_t tp_lvl[2];
uint16_t flag_timeup;

void (*play_tower)(uint16_t, uint16_t) = game;
void (*play_interlevel)() = interlevel;

int ascelon_main() {
    SDL_Init(SDL_INIT_TIMER | SDL_INIT_AUDIO | SDL_INIT_VIDEO | SDL_INIT_JOYSTICK);
    SDL_ShowCursor(0);
    SDL_WM_SetCaption("Ascelon", nullptr);
    platform_init();
    init_gfx();
    SDL_JoystickOpen(0);  // a missing joystick simply sends no buttons
    presentation();
    init_sprites();
    nb_players = 0;
    num_mission = 0;
    exit_game = 0;  // SELECT during the presentation does not count
    main_loop();
}

void main_loop() {
    for (;;) {
        if (exit_game) Shutdown();
        play_game();
    }
}

void play_game() {
    for (int p = 0; p < 2; ++p) {
        tp_score[p] = 0;
        tp_lives[p] = 3;
        tp_lvl[p] = 0;
    }
    current_player = 0;
    const uint16_t mission = num_mission;
    lvl = 0;
    lives = 3;
    reset_score();
    set_time(0);

    while (lives != 0) {
        attempt_prepare(lvl);
        play_tower(mission, lvl);
        set_time(0);
        if (exit_game) return;
        if (flag_finish_level != 0) {
            if (lvl == 7) {
                // The mission is complete: end this player's game through
                // the bookkeeping of a lost last life.
                lives = 1;
                flag_player_dead = 1;
            } else {
                play_interlevel();
                ++lvl;
            }
        }
        if (flag_player_dead) {
            --lives;
            tp_lives[current_player] = lives;
            tp_score[current_player] = get_score();
            tp_lvl[current_player] = lvl;
            // With two players the turn passes while the other has lives;
            // with one the XOR leaves the index as it is.
            const uint16_t other = current_player ^ nb_players;
            if (tp_lives[other] != 0) current_player = other;
            lives = tp_lives[current_player];
            set_score(tp_score[current_player]);
            lvl = tp_lvl[current_player];
        }
    }
}

void Shutdown(int exit_status) {
    free_gfx();
    platform_leave(exit_status);
}

void black_screen() { flag_panel_displayed = 0; }

uint16_t loop_tower;

static uint32_t frame_start;  // when the running frame began to read its input

// The console's buttons are read at the start of a frame, and the frame's
// period counts from there.
static uint32_t read_controls() {
    frame_start = SDL_GetTicks();
    process_controls();
    return ctrl_player;
}

// A slow frame is not delayed, and no time is made up later.
static void wait_frame(uint32_t period) {
    const int32_t wait =
        static_cast<int32_t>(period) - static_cast<int32_t>(SDL_GetTicks() - frame_start);
    if (wait > 0) SDL_Delay(static_cast<uint32_t>(wait));
}

uint32_t (*frame_input)() = read_controls;
void (*frame_pace)(uint32_t period) = wait_frame;
void (*frame_done)() = nullptr;

void attempt_prepare(uint16_t tower) {
    init_panel();
    set_time_level(tower);
    flag_timeup = 0;
}

void attempt_start(uint16_t mission, uint16_t tower) {
    attempt_prepare(tower);
    game_init(mission, tower);
}

void game_init(uint16_t mission, uint16_t tower) {
    loop_tower = tower;
    tower_rotation = 0;
    tower_offset_y = 64;
    init_nmis();
    init_nmi_lvl(tower);
    init_tour(tower);
    init_back(tower);
    init_decors();
    init_map(mission, tower);
    reset_piliers();
    reset_all_nmis();
    reset_fire();
    init_vars_player();
    init_bonus();
}

void game_update() {
    gere_piliers();
    gere_player();
    gere_nmis();
    gere_fire();
    gere_col_player();
    if (flag_finish_level == 2) {
        // The creature is inside the exit door: the tower is tidied once.
        flag_panel_displayed = 0;
        init_panel();
        reset_piliers();
        reset_all_nmis();
        flag_finish_level = 3;
    }
}

bool game_frame(uint32_t input) {
    ctrl_player = input;
    if (exit_game) return false;

    game_update();
    if (flag_player_dead) return false;

    calc_offset_tour();
    // Nearest first: the first sprite queued is drawn on top.
    aff_subway();
    aff_flying_nmi();
    aff_player();
    spawn_nmi();
    calc_crdz_nmis();
    build_spr_decors();
    build_back(loop_tower);

    calc_bonus_climb();
    gere_panel(0);
    aff_sprites();
    aff_water();
    flip();
    if (frame_pace) frame_pace(40);

    // After the wait: the panel slides in for the next flip, and the clock
    // ticks.
    aff_panel(0);
    if (dec_time() == 0) {
        flag_timeup = 1;
        flag_player_dead = 1;
        return false;
    }
    return true;
}

void game(uint16_t mission, uint16_t tower) {
    game_init(mission, tower);
    while (flag_finish_level != 4) {
        const bool go = game_frame(frame_input());
        if (frame_done) frame_done();
        if (!go) break;
    }
    black_screen();
}

void interlevel_init() {
    reset_all_nmis();
    init_ilvars_player();
    init_il_fishs();
    init_panel();
}

bool interlevel_frame(uint32_t input) {
    ctrl_player = input;
    if (exit_game) return false;
    gere_il_subway();
    gere_il_bullet();
    gere_il_fishs();
    gere_il_cols();
    gere_panel(1);
    aff_il_subway();
    aff_il_bullet();
    aff_il_fishs();
    aff_sprites();
    aff_panel(1);
    flip();  // no background: the sea is the black flip leaves
    if (frame_pace) frame_pace(20);
    return true;
}

void interlevel() {
    interlevel_init();
    while (flag_player_ilstate != 2) {
        const bool go = interlevel_frame(frame_input());
        if (frame_done) frame_done();
        if (!go) break;
    }
    black_screen();
}
