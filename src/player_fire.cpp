// The creature's shot: one at a time, a short fixed course around the tower
// that breaks shootable blocks, stuns rollers and destroys other enemies.
#include "map.h"
#include "nmis.h"
#include "player.h"

constexpr int SHOT = 4;  // the shot's record in the moving-object table
constexpr int16_t SHOT_STEPS = 12;

// Rise per step: the shot climbs 4 units over its 12 steps.
static const int8_t dpl_fire[12] = {0, 1, 0, 1, 0, 1, 0, 0, 1, 0, 0, 0};

static void remove_fire(str_sprite& s) {
    s.cpt = -1;
    s.status = NMI_FREE;
}

void reset_fire() { remove_fire(tab_sprites[SHOT]); }

void insert_fire() {
    str_sprite& s = tab_sprites[SHOT];
    s.crdy = player_map_y;
    if (flag_player_sens) {
        s.crdx = static_cast<int16_t>((player_map_x - 1) & 0x7f);
        s.dpl = -2;
    } else {
        s.crdx = static_cast<int16_t>((player_map_x + 1) & 0x7f);
        s.dpl = 2;
    }
    s.cpt = 0;
    s.status = NMI_SHOT;
    s.num_spr = 0;
}

void gere_fire() {
    str_sprite& s = tab_sprites[SHOT];
    if (s.cpt == -1) return;
    if (s.cpt == SHOT_STEPS) {
        remove_fire(s);
        return;
    }
    s.num_spr = s.cpt & 3;
    s.crdx = static_cast<int16_t>((s.crdx + s.dpl) & 0x7f);
    s.crdy = static_cast<int16_t>((s.crdy + dpl_fire[s.cpt]) & 0x3ff);
    ++s.cpt;
    // A breakable block met here is broken and paid by the query itself.
    if (col_vs_decor(s.crdx, s.crdy, -1, 0, 2, 2, 5)) {
        remove_fire(s);
        return;
    }
    str_sprite* e = nmi_col_spr(SHOT);
    if (!e) return;
    switch (e->status) {
        case NMI_STUNNED:
        case NMI_VPATROL:
        case NMI_HPATROL:
            break;  // the shot only stops on them
        case NMI_ROLLER:
            e->status = NMI_STUNNED;
            e->cpt = 75;
            break;
        default:
            e->status = NMI_VANISH;
            e->cpt = 0;
            inc_score(0x100);
            inc_bonus_extra(5);
            break;
    }
    remove_fire(s);
}
