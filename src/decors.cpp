#include "decors.h"

#include <SDL.h>

#include <cstdlib>

#include "gfx.h"
#include "map.h"
#include "nmis.h"
#include "player.h"
#include "tour.h"

int8_t* tab_pse2spr;
int16_t* tab_offsetx_decors;
int8_t* tab_prior_decors;
pilier* tab_piliers;

// Decor sprite indices (a multiple of 4: index / 4 picks the picture).
constexpr int8_t SPR_NONE = -1, SPR_STEP = 0, SPR_BLOCK = 4, SPR_LIFT = 8, SPR_SHOOTABLE = 12,
                 SPR_DOOR = 16;

// The pieces of decors.bmp, and what to add to tab_offset_x[a] for each
// one's left edge so that it is centred on the circle, at tab_offset_x[a] + 80.
static const SDL_Rect tab_decors_mapspr[4] = {
    {8, 0, 32, 8},   // step
    {40, 0, 16, 8},  // column block, also the column under a raised lift
    {56, 0, 24, 8},  // lift platform
    {80, 0, 16, 8},  // shootable block
};
static const int16_t tab_decors_offx[4] = {64, 72, 68, 72};

// Left edge of a door, from the body's left edge, for view angles 0 to 67:
// the doors are pictures of the door turning, so they follow the body's
// radius rather than the decors' circle.
static const int16_t offsetx_portes[68] = {
    0,   0,   0,   0,   0,   0,   0,   0,   1,   1,   2,   3,   4,   6,   7,   9,   10,
    12,  14,  16,  18,  21,  23,  25,  28,  31,  33,  36,  39,  42,  45,  48,  51,  54,
    57,  60,  64,  67,  70,  73,  76,  79,  82,  85,  88,  91,  94,  96,  99,  102, 104,
    106, 109, 111, 113, 115, 117, 118, 120, 121, 123, 124, 125, 126, 126, 127, 127, 127,
};
constexpr int DOOR_ANGLES = 68;

// The visiting order of the columns: (angle step, column step) pairs. The
// front half goes from its centre outward, so the centre column is queued
// first and ends on top; the back half from its edges inward.
static const int16_t tab_offset_map[16][2] = {
    {32, 4}, {-8, -1},  {16, 2},  {-24, -3},  {32, 4},  {-40, -5},   {48, 6},   {-56, -7},
    {64, 8}, {-72, -9}, {80, 10}, {-88, -11}, {96, 12}, {-104, -13}, {112, 14}, {-120, -15},
};

template <typename T>
static T* alloc_table(size_t count, const char* what) {
    T* p = static_cast<T*>(std::malloc(count * sizeof(T)));
    if (!p) ComplainAndExit(what, true);
    return p;
}

void init_decors() {
    if (!tab_pse2spr) tab_pse2spr = alloc_table<int8_t>(256, "no memory for the decor codes");
    for (int code = 0; code < 256; ++code) {
        int8_t d = SPR_NONE;
        if (code & CELL_SOLID) {
            switch (code & 3) {
            case KIND_BLOCK: d = SPR_BLOCK; break;
            case KIND_SHOOTABLE: d = SPR_SHOOTABLE; break;
            case KIND_DOOR: d = SPR_DOOR; break;
            default:  // breaking and slippery steps look like plain steps
                d = (code & LIFT_STOP_BITS) ? SPR_LIFT : SPR_STEP;
            }
        }
        tab_pse2spr[code] = d;
    }

    if (!tab_offsetx_decors) {
        tab_offsetx_decors = alloc_table<int16_t>(5 * 128, "no memory for the decor positions");
        for (int a = 0; a < 128; ++a) {
            for (int k = 0; k < 4; ++k)
                tab_offsetx_decors[k * 128 + a] =
                    static_cast<int16_t>(tab_offset_x[a] + tab_decors_offx[k]);
            // Doors exist only on the visible half; past it they are parked
            // off the right of the screen.
            tab_offsetx_decors[4 * 128 + a] =
                a < DOOR_ANGLES ? static_cast<int16_t>(offsetx_portes[a] + 96) : 320;
        }
    }
    if (!tab_prior_decors) {
        tab_prior_decors = alloc_table<int8_t>(128, "no memory for the decor passes");
        for (int a = 0; a < 128; ++a) {
            // The hidden half still shows where it sticks out beside the
            // 128-pixel body (x 96 to 223 of a span starting at 64).
            const int16_t x = tab_offset_x[a];
            tab_prior_decors[a] = a < 64 ? 0 : (x < 32 || x >= 128) ? 1 : -1;
        }
    }
    if (!tab_piliers) {
        tab_piliers = alloc_table<pilier>(NB_PILIERS, "no memory for the lifts");
        reset_piliers();
    }
}

void decors_visible_rows(int16_t o, int16_t& n, int16_t& top_row, int16_t& shift) {
    shift = static_cast<int16_t>(-(o & 7));
    if (o >= 0) {
        // The foot of the tower is on screen: draw from row 0 upward.
        n = static_cast<int16_t>(30 - o / 8);
        top_row = static_cast<int16_t>(n - 1);
    } else {
        // A part-row at the top needs a 31st row.
        n = (o & 7) ? 31 : 30;
        top_row = static_cast<int16_t>((-o - 1) / 8 + 30);
    }
}

void decors_visit_order(uint16_t rotation, uint8_t columns[16], uint8_t angles[16]) {
    int column = -(rotation / 8);
    int angle = rotation & 7;
    for (int i = 0; i < 16; ++i) {
        angle = (angle + tab_offset_map[i][0]) & 127;
        column = (column + tab_offset_map[i][1]) & 15;
        columns[i] = static_cast<uint8_t>(column);
        angles[i] = static_cast<uint8_t>(angle);
    }
}

// One column's steps, lifts and blocks (doors are queued in their own pass).
static void column_pieces(int column, int angle, int16_t n, int16_t top_row, int16_t shift) {
    const uint8_t* cells = &map_cell(column, 0);
    for (int l = 0; l < n; ++l) {
        const int8_t d = tab_pse2spr[cells[(top_row - l) & 255]];
        if (d == SPR_NONE || d == SPR_DOOR) continue;
        insert_sprite(tab_offsetx_decors[(d / 4) * 128 + angle],
                      static_cast<int16_t>(8 * l + shift), &tab_decors_mapspr[d / 4], spr_decors);
    }
}

void build_spr_decors() {
    int16_t n, top_row, shift;
    decors_visible_rows(tower_offset_y, n, top_row, shift);
    uint8_t columns[16], angles[16];
    decors_visit_order(tower_rotation, columns, angles);

    // Front half: each column's pieces, then the enemies of its sector, so
    // an enemy stands behind the pieces of its own column and in front of
    // the columns further out.
    for (int i = 0; i < 8; ++i) {
        if (tab_prior_decors[angles[i]] != 0) continue;
        column_pieces(columns[i], angles[i], n, top_row, shift);
        aff_nmis(angles[i], 0);
    }
    // Doors are set into the wall: behind every front piece, over the body.
    for (int i = 0; i < 8; ++i) {
        const int angle = angles[i];
        if (angle >= DOOR_ANGLES) continue;
        const uint8_t* cells = &map_cell(columns[i], 0);
        const SDL_Rect view{0, static_cast<Sint16>(8 * angle), 32, 8};
        for (int l = 0; l < n; ++l)
            if (tab_pse2spr[cells[(top_row - l) & 255]] == SPR_DOOR)
                insert_sprite(tab_offsetx_decors[4 * 128 + angle],
                              static_cast<int16_t>(8 * l + shift), &view, spr_portes);
    }
    build_tour();
    // Back half: only what sticks out beside the body is seen, behind it.
    for (int i = 8; i < 16; ++i) {
        if (tab_prior_decors[angles[i]] != 1) continue;
        column_pieces(columns[i], angles[i], n, top_row, shift);
        aff_nmis(angles[i], 1);
    }
}

void reset_piliers() {
    for (int i = 0; i < NB_PILIERS; ++i) tab_piliers[i] = pilier{-1, nullptr, 0};
}

// A lift its rider stopped away from its bottom stop comes back down by
// itself after a while, so the player can never strand it out of reach.
uint16_t insert_pilier(uint8_t* cell) {
    for (int i = 0; i < NB_PILIERS; ++i) {
        pilier& p = tab_piliers[i];
        if (p.wait != -1) continue;
        if (((*cell & LIFT_STOP_BITS) >> 2) == 1) return 0;  // already home
        p.cell = cell;
        p.saved = *cell;
        p.wait = PILIER_WAIT;
        return 1;
    }
    return 0;
}

void remove_pilier(uint8_t* cell) {
    for (int i = 0; i < NB_PILIERS; ++i)
        if (tab_piliers[i].wait != -1 && tab_piliers[i].cell == cell) {
            tab_piliers[i].wait = -1;
            return;
        }
}

void gere_piliers() {
    for (int i = 0; i < NB_PILIERS; ++i) {
        pilier& p = tab_piliers[i];
        if (p.wait == -1) continue;
        if (p.wait > 0) {
            --p.wait;
            continue;
        }
        // A shot may have cleared the block that carried the bottom stop
        // marker: the foot of the tower is then the lift's bottom stop, and
        // it never steps out of its own column.
        if ((p.cell - current_map) % MAP_ROWS == 0) {
            *p.cell = CELL_LIFT_BOTTOM;
            p.wait = -1;
            continue;
        }
        // One row down: the row left behind shows its bare stop marker
        // again, and the column block below becomes the platform.
        *p.cell = p.saved & LIFT_STOP_BITS;
        --p.cell;
        p.saved = *p.cell;
        if (((p.saved & LIFT_STOP_BITS) >> 2) == 1 || (p.cell - current_map) % MAP_ROWS == 0) {
            *p.cell = CELL_LIFT_BOTTOM;
            p.wait = -1;
        } else {
            // On its way down it can be boarded and ridden either way.
            *p.cell = CELL_LIFT_MIDDLE;
        }
    }
}

str_sprite* ascenseur_col_nmi() {
    str_sprite& probe = tab_sprites[5];
    probe.crdx = player_map_x;
    probe.crdy = static_cast<int16_t>((player_map_y + 1) & 1023);
    if (str_sprite* hit = nmi_col_spr(5)) return hit;
    // The flyer moves in screen x; the creature always stands at x 144.
    for (int i = 0; i < 4; ++i) {
        str_sprite& s = tab_sprites[i];
        if (s.status != NMI_FLYER) continue;
        if (s.crdx >= 134 && s.crdx <= 160 && player_map_y >= s.crdy - 9 &&
            player_map_y <= s.crdy + 7)
            return &s;
        return nullptr;
    }
    return nullptr;
}
