// How the map holds the creature: its box against the decor, single-unit
// moves that are undone when they collide, the support under its feet, the
// special cells it reacts to, and the enemy contact that knocks it off.
#include "controls.h"
#include "decors.h"
#include "map.h"
#include "nmis.h"
#include "player_internal.h"

// Support verdicts by (x & 7) * 4 + s, s = 2 (left cell supports) + 1 (right
// cell supports); low nibble facing right, high nibble facing left.
// 0 supported, 1 fall straight, 2 fall forward, 3 fall backward. The
// creature stands only on the cell of its own column; the neighbour only
// decides which way it tips off.
const uint8_t tab_edges[32] = {
    0x11, 0x00, 0x32, 0x00,  // x & 7 = 0
    0x11, 0x00, 0x32, 0x00,  // 1
    0x11, 0x00, 0x32, 0x00,  // 2
    0x11, 0x00, 0x11, 0x00,  // 3
    0x11, 0x00, 0x11, 0x00,  // 4
    0x11, 0x00, 0x11, 0x00,  // 5
    0x11, 0x23, 0x00, 0x00,  // 6
    0x11, 0x23, 0x00, 0x00,  // 7
};

uint8_t& player_cell_under() { return map_cell(player_map_x / 8, player_map_y / 4 - 1); }

uint16_t player_col_decor() { return col_vs_decor(player_map_x, player_map_y, -3, 2, 0, 0, 9); }

uint16_t test_player_movex(int16_t dx) {
    const int16_t old = player_map_x;
    player_map_x = static_cast<int16_t>((player_map_x + dx) & 0x7f);
    if (player_col_decor()) {
        player_map_x = old;
        return 1;
    }
    return 0;
}

uint16_t test_player_movey(int16_t dy) {
    if (player_map_y + dy < 0) {
        // Below the foot of the tower: into the sea.
        player_start_drowning();
        return 0;
    }
    const int16_t old = player_map_y;
    player_map_y = static_cast<int16_t>((player_map_y + dy) & 0x3ff);
    if (player_col_decor()) {
        player_map_y = old;
        return 1;
    }
    return 0;
}

static bool supports(uint8_t cell) { return (cell & CELL_SOLID) && (cell & 3) != KIND_DOOR; }

uint16_t test_player_edge() {
    const int row = player_map_y / 4 - 1;
    const int left = ((player_map_x + 122) / 8) & 15;  // x - 6, around the tower
    const int right = (left + 1) & 15;
    int s = 0;
    if (supports(map_cell(left, row))) s += 2;
    if (supports(map_cell(right, row))) s += 1;
    const uint8_t v = tab_edges[(player_map_x & 7) * 4 + s];
    return flag_player_sens ? v >> 4 : v & 15;
}

int16_t test_tunnel() {
    const uint8_t c = map_cell(player_map_x / 8, player_map_y / 4);
    if ((c & 3) == KIND_DOOR) return c & 0x40;
    return -1;
}

int16_t test_ascenseur() {
    switch (player_cell_under()) {
    case CELL_LIFT_BOTTOM: return 1;
    case CELL_LIFT_TOP: return -1;
    case CELL_LIFT_MIDDLE: return 0;
    default: return 2;
    }
}

void test_break_plateform() {
    uint8_t& c = player_cell_under();
    if ((c & 0xB3) == 0x91) c = 0;
}

int16_t test_block_glissant() {
    const uint8_t c = player_cell_under();
    if (!(c & CELL_SOLID) || (c & 3) != KIND_PLATFORM) return 0;
    switch (c & 0x30) {
    case 0x20: return -1;
    case 0x30: return 1;
    default: return 0;
    }
}

void test_glissade() {
    const int16_t push = test_block_glissant();
    if (push && !(ctrl_player & (CTRL_LEFT | CTRL_RIGHT))) test_player_movex(push);
}

// A rider knocked off a lift leaves the lift where it is, as a middle stop
// that returns by itself; without a free return record nothing is written
// and the lift's shaft stays as the ride left it.
static void leave_lift() {
    uint8_t& c = player_cell_under();
    if (insert_pilier(&c)) c = CELL_LIFT_MIDDLE;
    flag_player_ascenseur = -1;
    flag_player_ascenseur2 = 0;
}

void knock() {
    player_num_anim = ANIM_KNOCKED;
    player_num_frame = 0;
    flag_finish_level = 0;  // knocked out of the exit door's entry
    dec_bonus_tech(2);
}

void gere_col_player() {
    switch (player_num_anim) {
    case ANIM_KNOCKED:
    case ANIM_DROWN:
    case ANIM_ENDLEVEL:
    case ANIM_SUBWAY: return;
    case ANIM_TUNNEL:
        if (player_num_frame >= 10 && player_num_frame <= 30) return;  // inside the door
        break;
    default: break;
    }

    // A lift only lets its rider go at a row boundary, where the lift can stop.
    if (flag_player_ascenseur2 && player_num_anim != ANIM_TUNNEL) {
        if (player_num_anim == ANIM_LIFT) {
            if (player_map_y & 3) return;
            leave_lift();
        }
        flag_player_ascenseur2 = 0;
        knock();
        return;
    }

    const str_sprite* e = ascenseur_col_nmi();
    if (e) {
        lg_seq_heurte = e->status == NMI_FLYER ? 15 : 20;
    } else if (player_num_anim == ANIM_LIFT && player_col_decor()) {
        lg_seq_heurte = 20;  // the lift carries its rider into decor
    } else {
        return;
    }
    if (player_num_anim == ANIM_LIFT) {
        if (player_map_y & 3) {
            ++flag_player_ascenseur2;
            return;
        }
        leave_lift();
    }
    knock();
}
