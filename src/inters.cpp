#include "inters.h"

#include <SDL.h>

#include <cstring>

#include "gfx.h"
#include "tour.h"

// Sideways shift of a water line, in pixels, over one wave.
const int32_t SinTab1[24] = {1,  2,  3,  4,  5,  5,  5,  4,  3,  2,  1,  0,
                             -1, -2, -3, -4, -5, -5, -5, -4, -3, -2, -1, 0};
int32_t iSin;

// Half the picture, half the sea, per colour field, rounding each field
// down: the same as splitting both into 8-bit components, averaging and
// joining them again, in a few operations on the packed pixel.
uint16_t water_mix(uint16_t picture, uint16_t sea) {
    return static_cast<uint16_t>((picture & sea) + (((picture ^ sea) & 0xF7DE) >> 1));
}

void aff_water() {
    const int top = 240 - tower_offset_y;  // the foot of the tower
    const int bottom = 240 - flag_panel_displayed;
    if (++iSin > 23) iSin = 0;
    int ph = iSin;
    if (top >= bottom) return;

    SDL_LockSurface(buffer);
    uint8_t* pixels = static_cast<uint8_t*>(buffer->pixels);
    const int pitch = buffer->pitch;
    int src = top;
    for (int y = top; y < bottom; ++y) {
        // Each water line mirrors the picture two lines further up: the
        // reflection is the scene upside down at half height.
        src -= 2;
        if (y < 0 || src < 0) break;
        const uint16_t* from = reinterpret_cast<const uint16_t*>(pixels + src * pitch);
        uint16_t* to = reinterpret_cast<uint16_t*>(pixels + y * pitch);
        const uint16_t sea = to[0];
        // Mix the whole source line first, then lay it down shifted: a
        // fixed-length loop over two separate lines that the compiler turns
        // into vector code, and the shift becomes one block copy.
        uint16_t mixed[320];
        for (int x = 0; x < 320; ++x) mixed[x] = water_mix(from[x], sea);
        const int d = SinTab1[ph];
        // The ripple shifts the line; the pixels it uncovers repeat the
        // source line's edge pixel.
        if (d >= 0) {
            std::memcpy(to + d, mixed, sizeof(uint16_t) * (320 - d));
            for (int x = 0; x < d; ++x) to[x] = mixed[0];
        } else {
            std::memcpy(to, mixed - d, sizeof(uint16_t) * (320 + d));
            for (int x = 320 + d; x < 320; ++x) to[x] = mixed[320 + d];
        }
        if (++ph > 23) ph = 0;
    }
    SDL_UnlockSurface(buffer);
}
