// The search needs the game's state, not its pictures: nothing the creature,
// the enemies, the lifts or the clock do depends on a pixel. While
// `route_quiet` is set, the four SDL calls that move pixels (blits, fills,
// the flip and the screen update) return at once; otherwise they pass to
// SDL. The game's code is untouched: these definitions stand in front of
// SDL's only in the finder's own programs. Skipping the pixels makes a
// searched frame about fifty times cheaper; every way found is played again
// from a fresh attempt with every picture drawn before it is given.
#include <SDL.h>
#include <dlfcn.h>

#include "route.h"

bool route_quiet = false;

namespace {

template <typename F>
F sdl_own(const char* name) {
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

}  // namespace

extern "C" {

int SDL_UpperBlit(SDL_Surface* src, SDL_Rect* srcrect, SDL_Surface* dst, SDL_Rect* dstrect) {
    static const auto sdl =
        sdl_own<int (*)(SDL_Surface*, SDL_Rect*, SDL_Surface*, SDL_Rect*)>("SDL_UpperBlit");
    return route_quiet ? 0 : sdl(src, srcrect, dst, dstrect);
}

int SDL_FillRect(SDL_Surface* dst, SDL_Rect* dstrect, Uint32 color) {
    static const auto sdl = sdl_own<int (*)(SDL_Surface*, SDL_Rect*, Uint32)>("SDL_FillRect");
    return route_quiet ? 0 : sdl(dst, dstrect, color);
}

void SDL_UpdateRect(SDL_Surface* screen, Sint32 x, Sint32 y, Uint32 w, Uint32 h) {
    static const auto sdl =
        sdl_own<void (*)(SDL_Surface*, Sint32, Sint32, Uint32, Uint32)>("SDL_UpdateRect");
    if (!route_quiet) sdl(screen, x, y, w, h);
}

int SDL_Flip(SDL_Surface* screen) {
    static const auto sdl = sdl_own<int (*)(SDL_Surface*)>("SDL_Flip");
    return route_quiet ? 0 : sdl(screen);
}

}  // extern "C"
