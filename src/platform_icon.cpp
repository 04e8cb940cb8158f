#include "platform_icon.h"

#include <SDL.h>

extern const unsigned char ascelon_icon_bmp[];
extern const unsigned long ascelon_icon_bmp_size;

void platform_set_icon() {
    SDL_RWops* file = SDL_RWFromConstMem(ascelon_icon_bmp, static_cast<int>(ascelon_icon_bmp_size));
    SDL_Surface* icon = file ? SDL_LoadBMP_RW(file, 1) : nullptr;
    if (!icon) return;  // the window keeps SDL's icon: nothing else depends on it
    // Magenta is the icon's transparent corners, as in the game's pictures.
    SDL_SetColorKey(icon, SDL_SRCCOLORKEY, SDL_MapRGB(icon->format, 255, 0, 255));
    SDL_WM_SetIcon(icon, nullptr);
    SDL_FreeSurface(icon);
}
