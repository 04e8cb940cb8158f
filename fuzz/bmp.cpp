// The BMP converter over arbitrary files (the first byte says whether the
// picture is colour-keyed).
#include <SDL.h>

#include <cstdint>
#include <cstdlib>

#include "gfx.h"
#include "sim.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    sim_start_video();  // the converter makes surfaces of the screen's format
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    SDL_Surface* s =
        bmp_to_surface(data + 1, static_cast<long>(size - 1), data[0] & 1, 255, 0, 255);
    if (s) {
        if (s->w <= 0 || s->h <= 0 || s->format->BitsPerPixel != 16) std::abort();
        SDL_FreeSurface(s);
    }
    return 0;
}
