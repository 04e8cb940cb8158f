#include "present.h"

#include "controls.h"
#include "gfx.h"

static void present_fade(SDL_Surface* fader, SDL_Surface* picture, int16_t y, int alpha) {
    SDL_FillRect(screen, nullptr, 0);
    SDL_Rect full{0, 0, 320, 240};
    SDL_Rect at{0, y, 320, 240};
    SDL_BlitSurface(picture, &full, fader, &at);
    SDL_SetAlpha(fader, SDL_SRCALPHA, static_cast<Uint8>(alpha & 255));
    SDL_Rect to{0, 0, 320, 240};
    SDL_BlitSurface(fader, &full, screen, &to);
    SDL_UpdateRect(screen, 0, 0, 0, 0);
    SDL_Flip(screen);
}

// Fade frames are paced at 20 ms. The buttons are read to keep their state
// current, but nothing shortens the show.
static void paced_fade(SDL_Surface* fader, SDL_Surface* picture, int16_t y, int alpha) {
    const uint32_t start = SDL_GetTicks();
    process_controls();
    present_fade(fader, picture, y, alpha);
    const int32_t wait = 20 - static_cast<int32_t>(SDL_GetTicks() - start);
    if (wait > 0) SDL_Delay(static_cast<uint32_t>(wait));
}

static void show_page(SDL_Surface* fader, SDL_Surface* picture, int16_t y) {
    // The fade-in stops at 248, never quite opaque; the fade-out starts
    // from fully opaque.
    for (int alpha = 0; alpha <= 254; alpha += 8) paced_fade(fader, picture, y, alpha);
    SDL_Delay(2000);
    for (int alpha = 255; alpha >= 0; alpha -= 8) paced_fade(fader, picture, y, alpha);
}

void presentation() {
    SDL_Surface* logo = load_bmp("vrusk.bmp", false, 255, 0, 255);
    SDL_Surface* title = load_bmp("present.bmp", false, 255, 0, 255);
    SDL_Surface* fader =
        SDL_CreateRGBSurface(SDL_SRCALPHA, 320, 240, screen->format->BitsPerPixel, 0, 0, 0, 0);
    if (!fader) ComplainAndExit(nullptr, false);
    SDL_Rect full{0, 0, 320, 240};
    SDL_Rect at{0, 0, 320, 240};
    SDL_BlitSurface(logo, &full, fader, &at);
    show_page(fader, logo, 0);
    SDL_FillRect(screen, nullptr, 0);
    SDL_FillRect(fader, nullptr, 0);
    // The 320 x 200 title page sits 20 rows down between black bands.
    show_page(fader, title, 20);
    SDL_FreeSurface(logo);
    SDL_FreeSurface(title);
    SDL_FreeSurface(fader);
}
