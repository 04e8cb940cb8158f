#include "panel.h"

#include "Ascelon.h"
#include "gfx.h"
#include "player.h"

int16_t time_level[3];

// Each tower's time allowance, in packed decimal: 400 to 750 units.
static const uint16_t tab_timelvl[8] = {0x400, 0x450, 0x500, 0x550, 0x600, 0x650, 0x700, 0x750};

void set_time(uint16_t v) {
    time_level[0] = static_cast<int16_t>(((v >> 8) & 7) * 8);
    time_level[1] = static_cast<int16_t>(((v >> 4) & 7) * 8);
    time_level[2] = static_cast<int16_t>((v & 7) * 8);
}

// Plain decimal addition, one digit a field, units first. The clock has no
// thousands: a total past 999 stops at 999 (no tower allowance with the fish
// time of one interlevel comes near it).
void inc_time(uint16_t v) {
    for (int p = 0; p < 3; ++p) {
        int16_t& field = time_level[2 - p];
        field = static_cast<int16_t>(field + ((v >> (4 * p)) & 15) * 8);
        if (field > 72) {
            if (p == 2) {
                time_level[0] = time_level[1] = time_level[2] = 72;
                return;
            }
            time_level[1 - p] = static_cast<int16_t>(time_level[1 - p] + 8);
            field = static_cast<int16_t>(field - 80);
        }
    }
}

void set_time_level(uint16_t lvl) { inc_time(tab_timelvl[lvl & 7]); }

// One frame of count-down. The units drum turns one eighth of a digit per
// frame; a higher drum that has started to turn keeps turning in step until
// it rests on its next digit. The clock reads 000 only when every drum rests
// on 0. A stopped clock never runs out.
uint16_t dec_time() {
    if (flag_decrement_time == 0) return 0xFFFF;
    int16_t& hundreds = time_level[0];
    int16_t& tens = time_level[1];
    int16_t& units = time_level[2];
    --units;
    if (units < 0) {
        units = 79;  // from 0 down to 9 through the strip's second 0
        --tens;
        if (tens < 0) {
            tens = 79;
            --hundreds;
            if (hundreds < 0) hundreds = 79;
        } else if (hundreds & 7) {
            --hundreds;
        }
    } else {
        if (tens & 7) --tens;
        if (hundreds & 7) --hundreds;
    }
    return static_cast<uint16_t>(hundreds | tens | units);
}

static void panel_blit(SDL_Surface* from, Sint16 sx, Sint16 sy, Uint16 w, Uint16 h, Sint16 x,
                       Sint16 y) {
    SDL_Rect src{sx, sy, w, h};
    SDL_Rect dst{x, y, w, h};
    SDL_BlitSurface(from, &src, panel, &dst);
}

void init_panel() {
    for (Sint16 x = 0; x < 320; x += 8) panel_blit(spr_panel1, 0, 0, 8, 24, x, 0);
    panel_blit(spr_panel3, 0, 0, 64, 24, 8, 0);
    panel_blit(spr_panel2, 0, 0, 64, 24, 248, 0);
    flag_panel_displayed = 0;
}

// Nothing is erased: the marks of lives lost stay until the next attempt
// redraws the panel.
void gere_panel(uint16_t first) {
    for (int i = 0; i < 8; ++i)
        panel_blit(spr_chiffres, 0, static_cast<Sint16>(8 * score[i]), 8, 8,
                   static_cast<Sint16>(8 + 8 * i), 3);
    for (int i = 0; i < lives; ++i)
        panel_blit(spr_chiffres, 0, 80, 8, 8, static_cast<Sint16>(8 + 8 * i), 11);
    // The field is the drum's offset: each eighth of a digit moves the strip
    // by 2 pixels.
    for (int a = first; a < 3; ++a)
        panel_blit(spr_time, 0, static_cast<Sint16>(2 * time_level[a]), 16, 16,
                   static_cast<Sint16>(264 + 16 * a), 3);
}

void aff_panel(uint16_t mode) {
    if (flag_panel_displayed <= 23) flag_panel_displayed += 2;
    if (mode == 0)
        panel_blit(spr_icons, 0, 0, 16, 16, 248, 3);
    else
        panel_blit(spr_icons, 16, 0, 32, 16, 248, 3);
}
