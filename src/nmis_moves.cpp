// How each kind of tower enemy moves, one frame at a time: appearing and
// vanishing, bouncing, rolling along a step and falling off it, patrolling,
// and the flyer crossing the screen.
#include "map.h"
#include "nmis.h"
#include "player.h"

// The rise and fall of one bounce, by bounce step (cpt 0 to 10): up 6 units,
// a hang of two frames, down again; step 10 is the steady fall of a bouncer
// or roller that has lost its ground.
static const int8_t tab_rebond_nmi[12] = {2, 2, 1, 1, 0, 0, -1, -1, -2, -2, -4, 0};

uint16_t nmi_col_decor(str_sprite* s) { return col_vs_decor(s->crdx, s->crdy, -3, 2, 1, 1, 7); }

static bool blocked(str_sprite& s, int me) {
    return nmi_col_decor(&s) || nmi_col_spr(static_cast<uint16_t>(me));
}

// A cell that holds a roller up: solid and not a door.
static bool holds(uint8_t cell) { return (cell & CELL_SOLID) && (cell & 3) != KIND_DOOR; }

uint16_t ballh_col_dec(str_sprite* s) {
    const int column = (s->crdx / 8) & 15;
    const int row = s->crdy / 4;
    // Row 0 has no cell below it: treat it as empty, so a roller there falls
    // into the sea.
    auto below = [&](int c) -> uint8_t { return row == 0 ? 0 : map_cell(c, row - 1); };
    const uint8_t b = below(column);
    if (holds(b)) {
        // A lift platform moves away under it: the roller turns back.
        if ((b & 3) == KIND_PLATFORM) return (b & LIFT_STOP_BITS) ? 2 : 0;
        return 0;
    }
    // Nothing under its centre: the neighbour it has just rolled off tells
    // whether it is at the end of its step (turn back) or in the open (fall).
    switch (s->crdx & 7) {
    case 0:
    case 1:
        if (!holds(below((column - 1) & 15))) return 1;
        return s->dpl < 0 ? 0 : 2;
    case 7:
        if (!holds(below((column + 1) & 15))) return 1;
        return s->dpl < 0 ? 2 : 0;
    default: return 1;
    }
}

// Bouncers and patrollers never stop: once moving, a waiting bouncer that
// lands level with the creature, near it on either side, sets off towards it.
static void start_waiting_bouncer(str_sprite& s) {
    if (s.dpl != 0 || !flag_player_aff || player_num_anim != ANIM_IDLE) return;
    if (s.crdy != player_map_y) return;
    const int d = player_map_x - s.crdx;  // not around the tower
    if (d >= 1 && d <= 31)
        s.dpl = 1;
    else if (d >= -31 && d <= 0)
        s.dpl = -1;
}

static void count_bounce(str_sprite& s) {
    if (s.cpt <= 9) ++s.cpt;
}

// One step of a bounce (or of a fall, from step 10): a blocked step is
// retried one unit shorter until it fits; a fall blocked all the way down
// has landed.
static void bounce_step(str_sprite& s, int me) {
    const int full = tab_rebond_nmi[s.cpt];
    if (full == 0) {
        count_bounce(s);  // the hang at the top of the arc
        return;
    }
    for (int n = full; n != 0; n += n < 0 ? 1 : -1) {
        const int16_t y0 = s.crdy;
        if (y0 + n < 0) {
            // Below the foot of the tower: into the sea.
            s.crdy = 0;
            s.cpt = 0;
            s.status = NMI_VANISH;
            return;
        }
        s.crdy = static_cast<int16_t>((y0 + n) & 1023);
        if (!blocked(s, me)) {
            count_bounce(s);
            return;
        }
        s.crdy = y0;
    }
    if (full > 0) {
        count_bounce(s);  // a ceiling cuts the rise short; the arc goes on
        return;
    }
    if (s.status == NMI_FALLING) {
        s.status = NMI_ROLLER;
    } else {
        start_waiting_bouncer(s);
    }
    s.cpt = 0;
}

// The patrollers' eight-picture cycle, a picture every 4 frames.
static void patrol_animation(str_sprite& s) {
    s.cpt = static_cast<int16_t>(s.cpt + 1);
    s.num_spr = static_cast<int16_t>(12 + ((s.cpt / 4) & 7));
}

static void flyer(str_sprite& s) {
    s.crdx = static_cast<int16_t>(s.crdx + s.dpl);
    // It speeds up once it has come half-way, past the creature.
    if (s.crdx == 160) s.dpl = static_cast<int16_t>(s.dpl * 2);
    if (s.crdx < -32 || s.crdx > 320) {
        s.status = NMI_FREE;
        flying_nmi_delay = 125;  // the next one comes 124 quiet frames later
    }
}

// An active enemy (bouncer, roller, falling roller, patrollers).
static void active(str_sprite& s, int me) {
    // Something solid where it stands (a lift came up into it): it vanishes,
    // and does nothing else this frame.
    if (nmi_col_decor(&s)) {
        s.status = NMI_VANISH;
        s.cpt = 0;
        return;
    }
    if (s.status == NMI_VPATROL) {
        const int16_t y0 = s.crdy;
        if (y0 + s.dpl < 0) {
            // Into the sea. The animation step below still counts this
            // frame, so its vanishing starts one picture in.
            s.crdy = 0;
            s.cpt = 0;
            s.status = NMI_VANISH;
        } else {
            s.crdy = static_cast<int16_t>((y0 + s.dpl) & 1023);
            if (blocked(s, me)) {
                s.crdy = y0;
                s.dpl = static_cast<int16_t>(-s.dpl);
            }
        }
        patrol_animation(s);
        return;
    }
    if (s.status != NMI_FALLING) {
        const int16_t x0 = s.crdx;
        s.crdx = static_cast<int16_t>((x0 + s.dpl) & 127);
        if (blocked(s, me)) {
            s.crdx = x0;
            s.dpl = static_cast<int16_t>(-s.dpl);
        }
    }
    switch (s.status) {
    case NMI_ROLLER:
        s.num_spr = 5;
        switch (ballh_col_dec(&s)) {
        case 1:
            s.status = NMI_FALLING;
            s.cpt = 10;  // straight into the steady fall
            break;
        case 2: s.dpl = static_cast<int16_t>(-s.dpl); break;  // the step just taken stands
        default: break;
        }
        break;
    case NMI_HPATROL: patrol_animation(s); break;
    default: bounce_step(s, me); break;  // bouncer, falling roller
    }
}

void gere_nmis() {
    for (int i = 0; i < 4; ++i) {
        str_sprite& s = tab_sprites[i];
        switch (s.status) {
        case NMI_FLYER: flyer(s); break;
        case NMI_STUNNED:
            if (--s.cpt < 0) s.status = NMI_ROLLER;  // rolls on the way it went
            break;
        case NMI_APPEAR: {
            if (s.cpt == 6) {
                // Fully there: it takes its first step in this same frame.
                s.status = s.type;
                s.cpt = s.cpt_init;
                s.num_spr = 4;
                active(s, i);
                break;
            }
            int c = 5 - s.cpt;  // pictures 11, 10, 9, 11, 10, 9
            if (c > 2) c -= 3;
            s.num_spr = static_cast<int16_t>(9 + c);
            ++s.cpt;
            break;
        }
        case NMI_VANISH: {
            if (s.cpt == 6) {
                s.status = NMI_FREE;
                break;
            }
            int c = s.cpt;  // pictures 9, 10, 11, 9, 10, 11
            if (c > 2) c -= 3;
            s.num_spr = static_cast<int16_t>(9 + c);
            ++s.cpt;
            break;
        }
        case NMI_BOUNCER:
        case NMI_ROLLER:
        case NMI_FALLING:
        case NMI_VPATROL:
        case NMI_HPATROL: active(s, i); break;
        default: break;
        }
    }
}
