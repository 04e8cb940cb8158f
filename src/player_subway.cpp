#include <SDL.h>

#include "controls.h"
#include "gfx.h"
#include "nmis.h"
#include "player_internal.h"
#include "tour.h"

uint8_t flag_player_ilstate;
uint16_t num_il_frame;
uint16_t incy_il_subway;

// Where the player may steer the submarine: the picture stays clear of the
// screen's left edge and of the panel.
constexpr int16_t IL_MIN_X = 40, IL_MAX_X = 160;
constexpr int16_t IL_MIN_Y = 44, IL_MAX_Y = 120;
// Where it steers itself once the time is up: out through the surface.
constexpr int16_t IL_OUT_X = 120, IL_OUT_Y = -10;
constexpr int IL_BULLET = 3;  // the bullet's record; 0 to 2 are the fish

// The position is left as the tower's end sequence put it (0, -20): the
// first steering frame clamps it to the top-left corner (40, 44).
void init_ilvars_player() {
    player_num_anim = ANIM_IDLE;
    flag_player_ilstate = 0;
    num_il_frame = 0;
    incy_il_subway = 0;
    timer_fishs = 50;
}

static int16_t clamp16(int v, int16_t lo, int16_t hi) {
    return static_cast<int16_t>(v < lo ? lo : v > hi ? hi : v);
}

// Time is up: one move a frame, first across to x 120, then up to the
// surface, and the interlevel is over the frame after it is there.
static void il_subway_leave() {
    if (player_scr_x != IL_OUT_X) {
        // x is always even here, so steps of 2 meet 120 exactly; a step is
        // never longer than the way left, so the submarine cannot swing
        // around 120 for ever.
        const int d = IL_OUT_X - player_scr_x;
        player_scr_x = static_cast<int16_t>(player_scr_x + (d > 2 ? 2 : d < -2 ? -2 : d));
    } else if (player_scr_y == IL_OUT_Y) {
        flag_player_ilstate = 2;
    } else if (player_scr_y < IL_OUT_Y) {
        player_scr_y = IL_OUT_Y;  // an odd y rose one pixel too far
    } else {
        player_scr_y = static_cast<int16_t>(player_scr_y - 2);
    }
}

void gere_il_subway() {
    if (flag_player_ilstate == 2) return;
    if (flag_player_ilstate == 0) {
        // From 0 the first frame wraps to 1023: the player steers for 1023
        // frames, and the submarine leaves in the frame the count ends.
        num_il_frame = (num_il_frame - 1) & 0x3ff;
        if (num_il_frame == 0) flag_player_ilstate = 1;
    }
    if (flag_player_ilstate == 1) {
        il_subway_leave();
        return;
    }

    // Left wins over right and up over down. Left alone, the submarine
    // sinks one pixel every other frame until it rests on the bottom limit.
    int x = player_scr_x, y = player_scr_y;
    if (ctrl_player & CTRL_LEFT)
        x -= 2;
    else if (ctrl_player & CTRL_RIGHT)
        x += 2;
    if (ctrl_player & CTRL_UP) {
        y -= 2;
    } else if (ctrl_player & CTRL_DOWN) {
        y += 2;
    } else {
        y += incy_il_subway;
        incy_il_subway ^= 1;
    }
    player_scr_x = clamp16(x, IL_MIN_X, IL_MAX_X);
    player_scr_y = clamp16(y, IL_MIN_Y, IL_MAX_Y);

    // Fire needs no release: held, it fires again as soon as the bullet is
    // gone. The bullet leaves from the bow.
    str_sprite& b = tab_sprites[IL_BULLET];
    if ((ctrl_player & CTRL_FIRE) && b.status == 0) {
        b.status = 3;
        b.crdx = static_cast<int16_t>(player_scr_x + 24);
        b.crdy = static_cast<int16_t>(player_scr_y + 8);
    }
}

// The bullet runs straight ahead, already in its launch frame, until it is
// past the right edge (or a fish stops it).
void gere_il_bullet() {
    str_sprite& b = tab_sprites[IL_BULLET];
    if (b.status != 3) return;
    b.crdx = static_cast<int16_t>(b.crdx + 4);
    if (b.crdx > 239) b.status = 0;
}

void insert_spr_ilsubway(int16_t x, int16_t y, uint16_t frame) {
    const SDL_Rect src{0, static_cast<Sint16>(32 * frame), 32, 32};
    insert_sprite(x, y, &src, spr_subway);
}

// Dome first so that it covers the hull; the whole submarine is queued
// before the bullet and the fish, so it covers them. The hull's three
// segments overlap by 8 pixels: stern, middle, bow.
void aff_il_subway() {
    const int x = player_scr_x, y = player_scr_y;
    insert_spr_ilsubway(static_cast<int16_t>(x - 12), static_cast<int16_t>(y - 20), 0);
    insert_spr_ilsubway(static_cast<int16_t>(x - 36), static_cast<int16_t>(y), 1);
    insert_spr_ilsubway(static_cast<int16_t>(x - 12), static_cast<int16_t>(y), 2);
    insert_spr_ilsubway(static_cast<int16_t>(x + 12), static_cast<int16_t>(y), 3);
}

void aff_il_bullet() {
    const str_sprite& b = tab_sprites[IL_BULLET];
    if (b.status != 3) return;
    static const SDL_Rect src{0, 0, 8, 8};
    insert_sprite(b.crdx, b.crdy, &src, spr_torpille);
}

// One segment of the submarine at the tower's foot, h in y units above the
// sea (2 pixels each); a segment deep enough under water is not drawn.
void insert_spr_subway(int16_t x, int16_t h, uint16_t frame) {
    if (h <= -10) return;
    const SDL_Rect src{0, static_cast<Sint16>(32 * frame), 32, 32};
    insert_sprite(x, static_cast<int16_t>(220 - 2 * h - tower_offset_y), &src, spr_subway);
}

// Dome first, so that it covers the hull; the dome slides by player_scr_x to
// let the creature in and out.
void aff_subway() {
    insert_spr_subway(static_cast<int16_t>(player_scr_x + 148),
                      static_cast<int16_t>(player_scr_y + 10), 0);
    insert_spr_subway(124, player_scr_y, 1);
    insert_spr_subway(148, player_scr_y, 2);
    insert_spr_subway(172, player_scr_y, 3);
}

// The arrival: the submarine surfaces at the tower's foot, opens its dome
// and lets the creature out onto the first step.
void player_subway() {
    set_clip(0, 0, 320, WATER_LINE);
    switch (player_num_frame) {
    case 1:  // the submarine surfaces at the tower's foot
        if (++player_scr_y == SUB_SURFACED) player_num_frame = 2;
        break;
    case 2:  // its dome slides aside
        player_num_spr = 0;
        flag_player_aff = 1;
        player_scr_x = static_cast<int16_t>(player_scr_x - 2);
        if (player_scr_x == DOME_OPEN) player_num_frame = 3;
        break;
    case 3:  // the creature climbs out onto the first step
        if (++player_map_y == 8) player_num_frame = 4;
        break;
    case 4:
        player_scr_x = static_cast<int16_t>(player_scr_x + 2);
        if (player_scr_x == 0) player_num_frame = 5;
        break;
    case 5: player_num_frame = 6; break;
    case 6:
        if (--player_scr_y == SUB_HIDDEN) player_num_frame = 7;
        break;
    default:
        flag_decrement_time = 1;  // the climb is on the clock from now
        player_num_anim = ANIM_IDLE;
        player_num_frame = 0;
        set_clip(0, 0, 320, 240);
        break;
    }
}
