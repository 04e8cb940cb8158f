// Every picture of the game's resource pack and the function that draws it.
#pragma once
#include "canvas.h"

struct Sheet {
    const char* name;  // file name inside data/
    int w, h, bpp;
    bool keyed;  // transparent where magenta
    Canvas (*draw)();
    const char* what;  // one line for --help and the contact sheet
};

// All 47 pictures, in the pack's stored order.
extern const Sheet SHEETS[];
extern const int SHEET_COUNT;
const Sheet* find_sheet(const char* name);
// The canvas of a sheet, drawn once and kept (several sheets reuse others).
const Canvas& sheet_canvas(const char* name);

// creature.cpp
Canvas draw_player();
Canvas draw_player2();
Canvas draw_mplayer();
// tower.cpp
Canvas draw_tour(int n);
Canvas draw_toptower();
Canvas draw_bastower();
Canvas draw_portes();
Canvas draw_decors();
// The lift's plate, 24x8, shared by the decor and the ride under the creature.
void draw_lift_plate(Canvas& c, int x, int y);
// enemies.cpp
Canvas draw_nmis(int n);
Canvas draw_flying();
Canvas draw_fire();
// sea.cpp
Canvas draw_subway();
Canvas draw_torpille();
Canvas draw_fishs();
// sky.cpp
Canvas draw_etoiles();
Canvas draw_backgnds();
Canvas draw_parallax(int n);
// panel.cpp
Canvas draw_panel(int n);
Canvas draw_chiffres();
Canvas draw_time();
Canvas draw_time_icons();
Canvas draw_char8x8(int n);
Canvas draw_font();
// pages.cpp
Canvas draw_vrusk();
Canvas draw_present();
Canvas draw_titre();
Canvas draw_podium();
Canvas draw_presentation();
// contact.cpp
Canvas draw_contact_sheet();
// A mock game screen of one tower (0-7), for review.
Canvas draw_tower_scene(int tower, int rot, int offset_y, int rows, bool with_sub, bool with_panel);
