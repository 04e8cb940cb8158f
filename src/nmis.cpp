#include "nmis.h"

#include <SDL.h>

#include <cstdlib>

#include "gfx.h"
#include "tour.h"

str_sprite* tab_sprites;
uint16_t offset_spawn;
int16_t flying_nmi_delay;
int16_t flying_nmi_sens;

// Contact shapes, one row per height difference from -7 to +8; bit k is an
// x difference of k - 3. Enemies touch as two rounded balls; the shot is a
// narrower, shorter ball that only reaches an enemy from a little below.
const uint8_t maskcol[32] = {
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

// TODO(enemies): the tower enemies are not built yet.
void init_nmi_lvl(uint16_t) {}
void spawn_nmi() {}
void gere_nmis() {}
void aff_flying_nmi() {}
