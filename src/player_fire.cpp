#include "map.h"
#include "nmis.h"
#include "player_internal.h"

// The creature's shot lives in record 4 of the moving-object table.
static str_sprite& shot() { return tab_sprites[4]; }

// Rise of the shot per step: it climbs 4 units over its 12 steps.
static const int8_t dpl_fire[12] = {0, 1, 0, 1, 0, 1, 0, 0, 1, 0, 0, 0};

void reset_fire() {
    shot().status = NMI_FREE;
    shot().cpt = -1;
}

// Called on the throw's second frame; the throw only starts with no shot in
// flight.
void insert_fire() {
    str_sprite& s = shot();
    s.crdy = player_map_y;
    if (flag_player_sens == 0) {
        s.crdx = static_cast<int16_t>((player_map_x + 1) & 0x7f);
        s.dpl = 2;
    } else {
        s.crdx = static_cast<int16_t>((player_map_x - 1) & 0x7f);
        s.dpl = -2;
    }
    s.cpt = 0;
    s.status = NMI_SHOT;
    s.num_spr = 0;
}

// One step of the shot: 12 steps of 2 x units, three columns around the
// tower. Breakable blocks it meets are broken (and paid) by the decor query.
void gere_fire() {
    str_sprite& s = shot();
    if (s.cpt == -1) return;
    if (s.cpt == 12) {
        reset_fire();
        return;
    }
    s.num_spr = s.cpt & 3;
    s.crdx = static_cast<int16_t>((s.crdx + s.dpl) & 0x7f);
    s.crdy = static_cast<int16_t>((s.crdy + dpl_fire[s.cpt]) & 0x3ff);
    ++s.cpt;
    if (col_vs_decor(s.crdx, s.crdy, -1, 0, 2, 2, 5)) {
        reset_fire();
        return;
    }
    str_sprite* e = nmi_col_spr(4);
    if (!e) return;
    switch (e->status) {
    case NMI_STUNNED:
    case NMI_VPATROL:
    case NMI_HPATROL: break;  // they cannot be destroyed
    case NMI_ROLLER:
        e->status = NMI_STUNNED;
        e->cpt = 75;  // stands still for 76 frames
        break;
    default:
        e->status = NMI_VANISH;
        e->cpt = 0;
        inc_score(0x100);
        inc_bonus_extra(5);
        break;
    }
    reset_fire();
}
