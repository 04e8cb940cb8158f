#include "nmis.h"

#include <SDL.h>

#include <cstdlib>

#include "gfx.h"
#include "map.h"
#include "player.h"
#include "tour.h"

str_sprite* tab_sprites;
uint16_t offset_spawn;
int16_t flying_nmi_delay;
int16_t flying_nmi_sens;

// Contact shapes, one row per height difference from -7 to +8; bit k is an
// x difference of k - 3. Enemies touch as two rounded balls; the shot is a
// narrower, shorter ball that only reaches an enemy from a little below.
static const uint8_t maskcol[32] = {
    0x1C, 0x3E, 0x3E, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x7F, 0x3E, 0x3E, 0x1C, 0x00,
    0x1C, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x3E, 0x1C, 0x1C, 0x00, 0x00, 0x00,
};

constexpr int PROBE = 5;  // the creature's stand-in record
constexpr int SHOT = 4;

void init_nmis() {
    if (tab_sprites) return;
    tab_sprites = static_cast<str_sprite*>(std::calloc(NB_SPRITES_TAB, sizeof(str_sprite)));
    if (!tab_sprites) ComplainAndExit("no memory for the moving objects", true);
}

void reset_all_nmis() {
    if (!tab_sprites) return;
    for (int i = 0; i < NB_SPRITES_TAB; ++i) tab_sprites[i].status = NMI_FREE;
}

str_sprite* nmi_col_spr(uint16_t me) {
    const str_sprite& m = tab_sprites[me];
    // The creature is a wider box and touches on the boxes alone.
    const int w = me == PROBE ? 5 : 3;
    for (int j = 0; j < 4; ++j) {
        if (j == me) continue;
        str_sprite& o = tab_sprites[j];
        // Appearing and vanishing enemies are harmless; the flyer is tested
        // on the screen, not on the tower.
        if (o.status == NMI_FREE || o.status == NMI_VANISH || o.status == NMI_APPEAR ||
            o.status == NMI_FLYER)
            continue;
        const int dx = (m.crdx - o.crdx) & 127;
        if (dx >= w && dx < 128 - w) continue;
        const int dy = (m.crdy - o.crdy) & 1023;
        if (dy > 7 && dy <= 1016) continue;
        if (me == PROBE) return &o;
        const int row = (dy + 7) & 15, bit = (dx + 3) & 7;
        const uint8_t mask = me == SHOT ? maskcol[16 + row] : maskcol[row];
        if (mask >> bit & 1) return &o;
    }
    return nullptr;
}

void calc_crdz_nmis() {
    for (int i = 0; i < 5; ++i) {
        str_sprite& s = tab_sprites[i];
        if (s.status == NMI_FREE || s.status == NMI_FLYER) continue;
        // The picture's centre on the decors' circle; its depth sector is
        // the angle band of the decor column it is drawn with.
        const int a = (s.crdx + tower_rotation - 2) & 127;
        s.scr_x = static_cast<int16_t>(tab_offset_x[a] + 64);
        s.crdz = static_cast<int16_t>(a & 0x78);
    }
}

void aff_nmis(uint16_t angle, int16_t) {
    const int z = angle & 0x78;
    for (int i = 0; i < 5; ++i) {
        str_sprite& s = tab_sprites[i];
        if (s.status == NMI_FREE || s.status == NMI_FLYER || s.crdz != z) continue;
        // Bottom of the picture on the bottom edge of the enemy's map row.
        const int16_t sy = static_cast<int16_t>(224 - 2 * s.crdy - tower_offset_y);
        if (s.status == NMI_SHOT) {
            const SDL_Rect src{static_cast<Sint16>(8 * s.num_spr), 0, 8, 8};
            insert_sprite(static_cast<int16_t>(s.scr_x + 8), static_cast<int16_t>(sy + 8), &src,
                          spr_fire);
        } else if (sy > 240) {
            // Left below the screen as the view climbed: gone for good.
            s.status = NMI_FREE;
        } else if (sy > -16 && s.num_spr >= 4) {
            const SDL_Rect src{0, static_cast<Sint16>(16 * s.num_spr - 64), 32, 16};
            insert_sprite(s.scr_x, sy, &src, spr_nmis);
        }
    }
}

// The tower's own enemy pictures come with every attempt, and every attempt
// scans the tower again from its foot: the enemies passed last time are back.
void init_nmi_lvl(uint16_t lvl) {
    // Cleared before the load: a sheet that fails to load ends the program,
    // which releases every picture, and must not meet this one again.
    SDL_FreeSurface(spr_nmis);
    spr_nmis = nullptr;
    char name[16];
    SDL_snprintf(name, sizeof name, "nmis%d.bmp", (lvl & 3) + 1);
    spr_nmis = load_bmp(name, true, 255, 0, 255);
    flying_nmi_sens = -2;  // so the first flyer comes from the left
    flying_nmi_delay = 125;
    offset_spawn = 0;
}

// What each spawn marker (cell & 0x70, from 0x10) becomes, and its first step.
struct spawn_kind {
    int16_t type, dpl;
};
static const spawn_kind tab_spawn_kinds[7] = {
    {NMI_ROLLER, 1},   // 0x10
    {NMI_BOUNCER, 1},  // 0x20
    {NMI_BOUNCER, 0},  // 0x30: bounces on the spot until the creature comes level
    {NMI_VPATROL, 1},  // 0x40
    {NMI_VPATROL, 2},  // 0x50
    {NMI_HPATROL, 1},  // 0x60
    {NMI_HPATROL, 2},  // 0x70
};

// A flyer every 124 quiet frames, from alternate sides, at the creature's
// height of the moment.
static void flying_countdown(str_sprite& s) {
    if (flying_nmi_delay == -1) return;
    if (--flying_nmi_delay != 1) return;
    s.status = NMI_FLYER;
    s.cpt = 0;
    flying_nmi_sens = static_cast<int16_t>(-flying_nmi_sens);
    s.dpl = flying_nmi_sens;
    s.crdx = flying_nmi_sens > 0 ? -32 : 320;
    s.crdy = player_map_y;
}

void spawn_nmi() {
    if (player_num_anim == ANIM_DROWN || player_num_anim == ANIM_ENDLEVEL ||
        player_num_anim == ANIM_SUBWAY)
        return;
    int free_record = 0;
    while (free_record < 4 && tab_sprites[free_record].status != NMI_FREE) ++free_record;
    if (free_record == 4) return;  // a full table holds the scan where it is
    str_sprite& s = tab_sprites[free_record];

    // The highest row whose enemy would show its top edge on the screen.
    const int top = (224 - tower_offset_y) / 8;
    const int row = offset_spawn & 255;
    // The scan stops at the top of the tower (never past it, whatever the
    // height does) and waits for the view to rise.
    if (row >= nb_tiles_tour || row > top) {
        flying_countdown(s);
        return;
    }
    for (int column = (offset_spawn >> 8) & 15; column < 16; ++column) {
        const uint8_t cell = map_cell(column, row);
        if ((cell & CELL_SOLID) || !(cell & 0x70)) continue;
        const spawn_kind& kind = tab_spawn_kinds[((cell & 0x70) >> 4) - 1];
        s.type = kind.type;
        s.dpl = kind.dpl;
        s.cpt_init = 0;
        s.crdx = static_cast<int16_t>((column * 8 + 4) & 127);
        s.crdy = static_cast<int16_t>(row * 4);
        s.status = NMI_APPEAR;
        s.cpt = 0;
        s.num_spr = 0;
        // One enemy a frame: the rest of the row waits for the next call.
        offset_spawn = static_cast<uint16_t>(column == 15 ? row + 1 : row | (column + 1) << 8);
        return;
    }
    offset_spawn = static_cast<uint16_t>(row + 1);
}

// The flyer is drawn over the creature, at the height it was launched at.
void aff_flying_nmi() {
    for (int i = 0; i < 4; ++i) {
        const str_sprite& s = tab_sprites[i];
        if (s.status != NMI_FLYER) continue;
        const int16_t sy = static_cast<int16_t>(224 - 2 * s.crdy - tower_offset_y);
        // A new picture every 2 pixels of travel.
        const SDL_Rect src{0, static_cast<Sint16>(32 * ((s.crdx / 2) & 7)), 32, 32};
        insert_sprite(s.crdx, sy, &src, spr_flying);
        return;
    }
}
