#include "gfx.h"

#include <cstdio>
#include <cstdlib>
#include <initializer_list>

#include "Ascelon.h"
#include "Lzma.h"
#include "inters.h"

SDL_Surface* screen;
SDL_Surface* buffer;
SDL_Surface* panel;

// Loaded with the rest at start-up, though nothing in the game draws them.
static SDL_Surface* spr_titre;
static SDL_Surface* spr_podium;
SDL_Surface* spr_player;
SDL_Surface* spr_player2;
SDL_Surface* spr_subway;
SDL_Surface* spr_etoiles;
SDL_Surface* spr_backgnd;
SDL_Surface* spr_toptower;
SDL_Surface* spr_decors;
SDL_Surface* spr_portes;
SDL_Surface* spr_fire;
SDL_Surface* spr_flying;
SDL_Surface* spr_panel1;
SDL_Surface* spr_panel2;
SDL_Surface* spr_panel3;
SDL_Surface* spr_time;
SDL_Surface* spr_icons;
SDL_Surface* spr_chiffres;
SDL_Surface* spr_torpille;
SDL_Surface* spr_fishs;
static SDL_Surface* spr_parallax1;
static SDL_Surface* spr_parallax2;
static SDL_Surface* spr_parallax3;
static SDL_Surface* spr_parallax4;
static SDL_Surface* spr_bottower;
SDL_Surface* spr_tour;
SDL_Surface* spr_nmis;

sprite_entry liste_sprites[MAX_SPRITES];
uint16_t nb_sprites;
uint8_t flag_panel_displayed;

// The start-up pictures, in loading order. Pictures drawn over others carry
// the magenta key; the panel pieces and backdrops are opaque.
static const struct {
    const char* file;
    SDL_Surface** surface;
    bool keyed;
} startup_images[] = {
    {"titre.bmp", &spr_titre, true},
    {"podium.bmp", &spr_podium, true},
    {"player.bmp", &spr_player, true},
    {"player2.bmp", &spr_player2, true},
    {"subway.bmp", &spr_subway, true},
    {"etoiles.bmp", &spr_etoiles, true},
    {"backgnds.bmp", &spr_backgnd, true},
    {"toptower.bmp", &spr_toptower, true},
    {"decors.bmp", &spr_decors, true},
    {"portes.bmp", &spr_portes, true},
    {"fire.bmp", &spr_fire, true},
    {"flying.bmp", &spr_flying, true},
    {"panel1.bmp", &spr_panel1, false},
    {"panel2.bmp", &spr_panel2, false},
    {"panel3.bmp", &spr_panel3, false},
    {"time.bmp", &spr_time, false},
    {"time_icons.bmp", &spr_icons, false},
    {"chiffres.bmp", &spr_chiffres, false},
    {"torpille.bmp", &spr_torpille, true},
    {"fishs.bmp", &spr_fishs, true},
    {"parallax1.bmp", &spr_parallax1, false},
    {"parallax2.bmp", &spr_parallax2, false},
    {"parallax3.bmp", &spr_parallax3, false},
    {"parallax4.bmp", &spr_parallax4, false},
    {"bastower.bmp", &spr_bottower, false},
};

static SDL_Surface* new_frame_surface(int w, int h) {
    return SDL_CreateRGBSurface(0, w, h, screen->format->BitsPerPixel, 0, 0, 0, 0);
}

// SDL builds the mapping between two surfaces, on the heap, the first time
// one is drawn onto the other. Drawing one pixel of each picture into the
// frame buffer as it is loaded (and putting the pixel back) does that at
// load time, so that no frame ever allocates.
static void prepare_blit(SDL_Surface* from, SDL_Surface* to) {
    if (!to) return;
    SDL_LockSurface(to);
    const uint16_t kept = *static_cast<uint16_t*>(to->pixels);
    SDL_UnlockSurface(to);
    SDL_Rect one{0, 0, 1, 1};
    SDL_Rect at{0, 0, 1, 1};
    SDL_BlitSurface(from, &one, to, &at);
    SDL_LockSurface(to);
    *static_cast<uint16_t*>(to->pixels) = kept;
    SDL_UnlockSurface(to);
}

void init_gfx() {
    screen = SDL_SetVideoMode(320, 240, 16, 0);
    if (!screen) ComplainAndExit(nullptr, false);
    buffer = new_frame_surface(320, 240);
    if (!buffer) ComplainAndExit(nullptr, false);
    panel = new_frame_surface(320, 24);
    if (!panel) ComplainAndExit(nullptr, false);
    prepare_blit(buffer, screen);
    prepare_blit(panel, screen);
    for (const auto& image : startup_images)
        *image.surface = load_bmp(image.file, image.keyed, 255, 0, 255);
    // The panel's pieces are drawn onto the panel, not into the frame.
    for (SDL_Surface* piece :
         {spr_panel1, spr_panel2, spr_panel3, spr_time, spr_icons, spr_chiffres})
        prepare_blit(piece, panel);
    iSin = 0;
}

static uint32_t read_le(const unsigned char* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}

SDL_Surface* bmp_to_surface(const unsigned char* file, long size, bool keyed, unsigned char r,
                            unsigned char g, unsigned char b) {
    if (!file || size < 54) return nullptr;
    const int32_t width = static_cast<int32_t>(read_le(file + 18, 4));
    const int32_t height = static_cast<int32_t>(read_le(file + 22, 4));
    const unsigned bpp = read_le(file + 28, 2);
    uint32_t colours = read_le(file + 46, 4);
    if (bpp != 8 || width <= 0 || height <= 0 || width > 4096 || height > 4096) return nullptr;
    if (colours == 0 || colours > 256) colours = 256;
    // The pixels follow the palette directly; every stored row is exactly
    // width bytes, bottom row first.
    const long pixels = 54 + 4 * static_cast<long>(colours);
    if (pixels + static_cast<long>(width) * height > size) return nullptr;

    uint16_t palette[256] = {};
    for (uint32_t i = 0; i < colours; ++i) {
        const unsigned char* quad = file + 54 + 4 * i;  // blue, green, red, unused
        palette[i] =
            static_cast<uint16_t>((quad[2] >> 3) << 11 | (quad[1] >> 2) << 5 | quad[0] >> 3);
    }

    SDL_Surface* surface = new_frame_surface(width, height);
    if (!surface) return nullptr;
    SDL_LockSurface(surface);
    for (int32_t y = 0; y < height; ++y) {
        const unsigned char* row = file + pixels + static_cast<long>(height - 1 - y) * width;
        uint16_t* out = reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(surface->pixels) +
                                                    y * surface->pitch);
        for (int32_t x = 0; x < width; ++x) out[x] = palette[row[x]];
    }
    SDL_UnlockSurface(surface);
    // The key is compared with converted pixels: any colour that falls on
    // the same RGB565 value as the key colour is transparent too.
    if (keyed) SDL_SetColorKey(surface, SDL_SRCCOLORKEY, SDL_MapRGB(screen->format, r, g, b));
    return surface;
}

SDL_Surface* load_bmp(const char* name, bool keyed, unsigned char r, unsigned char g,
                      unsigned char b) {
    long size = 0;
    unsigned char* file = LzmaUnpackROML(name, &size);
    SDL_Surface* surface = bmp_to_surface(file, size, keyed, r, g, b);
    std::free(file);
    if (!surface) {
        char message[96];
        std::snprintf(message, sizeof message, "cannot load the picture %s", name);
        ComplainAndExit(message, true);
    }
    prepare_blit(surface, buffer);
    return surface;
}

void insert_sprite(int16_t x, int16_t y, const SDL_Rect* src, SDL_Surface* surface) {
    if (x + src->w < 0 || x > 319 || y + src->h < 0 || y > 239) return;
    // Nothing limits how many pieces a frame queues; past the list's end
    // they are dropped, the farthest ones, since the nearest come first.
    if (nb_sprites >= MAX_SPRITES) return;
    sprite_entry& e = liste_sprites[nb_sprites++];
    e.src = *src;
    e.dst = SDL_Rect{x, y, src->w, src->h};
    e.surface = surface;
}

// Last queued is drawn first: the first sprite of a frame ends on top.
void aff_sprites() {
    for (int i = nb_sprites - 1; i >= 0; --i) {
        sprite_entry& e = liste_sprites[i];
        SDL_UpperBlit(e.surface, &e.src, buffer, &e.dst);
    }
    nb_sprites = 0;
}

void init_sprites() { nb_sprites = 0; }

void flip() {
    SDL_Rect whole{0, 0, 320, 240};
    SDL_Rect at{0, 0, 320, 240};
    SDL_BlitSurface(buffer, &whole, screen, &at);
    SDL_Rect clear{0, 0, 320, 240};
    SDL_FillRect(buffer, &clear, 0);
    SDL_Rect strip{0, 0, 320, 24};
    SDL_Rect bottom{0, static_cast<Sint16>(240 - flag_panel_displayed), 320, 24};
    SDL_BlitSurface(panel, &strip, screen, &bottom);
    SDL_UpdateRect(screen, 0, 0, 0, 0);
    SDL_Flip(screen);
}

void set_clip(int16_t x, int16_t y, uint16_t w, uint16_t h) {
    SDL_Rect clip{x, y, w, h};
    SDL_SetClipRect(buffer, &clip);
}

rgb_color MakeRGB(unsigned long pixel) {
    return rgb_color{static_cast<uint8_t>(((pixel >> 11) & 31) << 3),
                     static_cast<uint8_t>(((pixel >> 5) & 63) << 2),
                     static_cast<uint8_t>((pixel & 31) << 3)};
}

void ComplainAndExit(const char* message, bool use_message) {
    std::fprintf(stderr, "Problem: %s\n", use_message && message ? message : SDL_GetError());
    Shutdown(EXIT_FAILURE);
}

void free_gfx() {
    SDL_FreeSurface(buffer);
    SDL_FreeSurface(panel);
    buffer = panel = nullptr;
    for (const auto& image : startup_images) {
        SDL_FreeSurface(*image.surface);
        *image.surface = nullptr;
    }
    SDL_FreeSurface(spr_tour);
    SDL_FreeSurface(spr_nmis);
    spr_tour = spr_nmis = nullptr;
}
