// The interlevel's fish: records 0 to 2 of the moving-object table, in
// screen pixels. They come in from the right in one fixed sequence that
// runs on from interlevel to interlevel; the submarine's bullet (record 3)
// stuns them and the submarine catches the stunned ones.
#include <SDL.h>

#include "gfx.h"
#include "nmis.h"
#include "panel.h"
#include "player.h"

uint16_t idx_fish;
uint16_t timer_fishs;

// The sequence, indexed by the number of fish started so far: start height,
// type, and the first vertical step of each type.
const uint8_t tab_crdy_fishs[16] = {50, 100, 80, 64,  90, 56,  110, 70,
                                    96, 86,  52, 104, 68, 108, 72,  82};
const uint8_t tab_type_fishs[32] = {0, 1, 0, 1, 1, 0, 1, 0, 1, 2, 0, 1, 1, 0, 0, 1,
                                    0, 2, 1, 0, 0, 1, 0, 1, 0, 1, 1, 0, 1, 0, 2, 1};
const int8_t tab_incy_fishs[24] = {
    0,  1,  -1, 0, 2,  0, -2, 0,   // type 0
    -1, 2,  -2, 3, -2, 1, -3, -3,  // type 1
    3,  -3, -3, 3, -3, 3, 3,  3,   // type 2
};

constexpr int NB_FISHS = 3;
constexpr int IL_BULLET = 3;
constexpr int16_t FISH_TOP = 44, FISH_BOTTOM = 196;
constexpr uint16_t FISH_DELAY = 50;  // frames between two fish at the most

void init_il_fishs() { init_nmis(); }

static void start_fish(str_sprite& f) {
    timer_fishs = FISH_DELAY;
    f.status = 1;
    f.crdx = 320;  // just beyond the right edge
    f.crdy = tab_crdy_fishs[idx_fish & 15];
    f.type = tab_type_fishs[idx_fish & 31];
    f.dpl = tab_incy_fishs[f.type * 8 + (idx_fish & 7)];
    f.num_spr = 0;
    ++idx_fish;
}

// A fish swimming level goes twice as fast as one that climbs or dives. It
// bounces off the top and bottom of the sea, and is gone once it has left
// the screen on the left.
static void swim_fish(str_sprite& f) {
    f.crdx = static_cast<int16_t>(f.crdx - (f.dpl != 0 ? 2 : 4));
    if (f.crdx <= -24) {
        f.status = 0;
        return;
    }
    f.crdy = static_cast<int16_t>(f.crdy + f.dpl);
    if (f.crdy <= FISH_TOP - 1) {
        f.crdy = FISH_TOP;
        f.dpl = static_cast<int16_t>(-f.dpl);
    }
    if (f.crdy > FISH_BOTTOM) {
        f.crdy = FISH_BOTTOM;
        f.dpl = static_cast<int16_t>(-f.dpl);
    }
    ++f.num_spr;
}

// A fish starts at most once a second, in a free record, and only while the
// player still steers. A fish starts where it is: it moves from its next
// frame on.
void gere_il_fishs() {
    for (int i = 0; i < NB_FISHS; ++i) {
        str_sprite& f = tab_sprites[i];
        if (f.status == 0) {
            if (timer_fishs == 0 && flag_player_ilstate == 0) start_fish(f);
        } else {
            swim_fish(f);
        }
    }
    if (timer_fishs != 0) --timer_fishs;
}

void gere_il_cols() {
    col_fishs_subway();
    col_fishs_bullet();
}

// A stunned fish that touches the submarine is caught: time for the next
// tower (2, 4 or 6 units by type) and points (none, 10 or 20), in packed
// decimal.
void col_fishs_subway() {
    for (int i = 0; i < NB_FISHS; ++i) {
        str_sprite& f = tab_sprites[i];
        if (f.status != 2) continue;
        if (f.crdx <= player_scr_x + 23 && f.crdx + 23 >= player_scr_x &&
            f.crdy <= player_scr_y + 19 && f.crdy + 23 >= player_scr_y) {
            inc_time(static_cast<uint16_t>(f.type * 2 + 2));
            inc_score(static_cast<int16_t>(f.type * 16));
            f.status = 0;
        }
    }
}

// The bullet stops in the first swimming fish it meets, which is stunned:
// it drifts on at one pixel a frame up or down, in the direction it had.
void col_fishs_bullet() {
    str_sprite& b = tab_sprites[IL_BULLET];
    if (b.status != 3) return;
    for (int i = 0; i < NB_FISHS; ++i) {
        str_sprite& f = tab_sprites[i];
        if (f.status != 1) continue;
        if (f.crdx <= b.crdx + 8 && f.crdx + 23 >= b.crdx && f.crdy <= b.crdy + 8 &&
            f.crdy + 23 >= b.crdy) {
            b.status = 0;
            f.status = 2;
            f.dpl = static_cast<int16_t>(f.dpl > 0 ? 1 : f.dpl < 0 ? -1 : 0);
            return;
        }
    }
}

// Four pictures per type, one every 4 frames; a stunned fish of any type
// shows the same dazed pictures.
void aff_il_fishs() {
    for (int i = 0; i < NB_FISHS; ++i) {
        const str_sprite& f = tab_sprites[i];
        if (f.status == 0) continue;
        const int step = (f.num_spr >> 2) & 3;
        const int k = f.status == 2 ? 12 + step : f.type * 4 + step;
        const SDL_Rect src{0, static_cast<Sint16>(32 * k), 32, 32};
        insert_sprite(f.crdx, f.crdy, &src, spr_fishs);
    }
}
