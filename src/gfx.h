// The screen, the frame buffer and panel, the picture surfaces, the per-frame
// sprite list and the flip.
#pragma once

#include <SDL.h>

#include <cstdint>

extern SDL_Surface* screen;  // the visible 320 x 240 RGB565 screen (SDL's)
extern SDL_Surface* buffer;  // the frame under construction
extern SDL_Surface* panel;   // the 320 x 24 status strip

// Pictures loaded once at start-up.
extern SDL_Surface* spr_player;
extern SDL_Surface* spr_player2;
extern SDL_Surface* spr_subway;
extern SDL_Surface* spr_etoiles;
extern SDL_Surface* spr_backgnd;
extern SDL_Surface* spr_toptower;
extern SDL_Surface* spr_decors;
extern SDL_Surface* spr_portes;
extern SDL_Surface* spr_fire;
extern SDL_Surface* spr_flying;
extern SDL_Surface* spr_panel1;
extern SDL_Surface* spr_panel2;
extern SDL_Surface* spr_panel3;
extern SDL_Surface* spr_time;
extern SDL_Surface* spr_icons;
extern SDL_Surface* spr_chiffres;
extern SDL_Surface* spr_torpille;
extern SDL_Surface* spr_fishs;
// Pictures replaced at every tower start.
extern SDL_Surface* spr_tour;
extern SDL_Surface* spr_nmis;

struct sprite_entry {
    SDL_Rect src;
    SDL_Rect dst;
    SDL_Surface* surface;
};
constexpr int MAX_SPRITES = 256;
extern sprite_entry liste_sprites[MAX_SPRITES];
extern uint16_t nb_sprites;

// Rows of the panel visible at the bottom of the screen, 0 to 24.
extern uint8_t flag_panel_displayed;

struct rgb_color {
    uint8_t r, g, b;
};

void init_gfx();
SDL_Surface* load_bmp(const char* name, bool keyed, unsigned char r, unsigned char g,
                      unsigned char b);
// Converts a BMP file held in memory; null when it is not an 8-bit
// palettised BMP whose palette and pixels lie inside the file.
SDL_Surface* bmp_to_surface(const unsigned char* file, long size, bool keyed, unsigned char r,
                            unsigned char g, unsigned char b);
void insert_sprite(int16_t x, int16_t y, const SDL_Rect* src, SDL_Surface* surface);
void aff_sprites();
void init_sprites();
void flip();
void set_clip(int16_t x, int16_t y, uint16_t w, uint16_t h);
rgb_color MakeRGB(unsigned long pixel);
[[noreturn]] void ComplainAndExit(const char* message, bool use_message);
void free_gfx();
