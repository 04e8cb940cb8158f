// Whole frames of the game: the first byte chooses the tower (bits 0-2), the
// mission (bit 4) or an interlevel instead (bit 7); with bit 3 set the next
// two bytes put the creature on a cell (column, row) first. Every further
// byte is one frame's buttons (bits 0-4: left, right, up, down, action), fed
// through the game's own frame functions with every frame's drawing, unpaced.
#include <cstdint>

#include "controls.h"
#include "sim.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    sim_start_video();
    return 0;
}

namespace {
struct feed {
    const uint8_t* bytes;
    size_t count;
};
}  // namespace

static uint32_t buttons_of(uint32_t frame, void* user) {
    const feed& f = *static_cast<feed*>(user);
    const uint8_t b = frame < f.count ? f.bytes[frame] : 0;
    static const uint32_t bit_of[5] = {CTRL_LEFT, CTRL_RIGHT, CTRL_UP, CTRL_DOWN, CTRL_FIRE};
    uint32_t bits = 0;
    for (int k = 0; k < 5; ++k)
        if (b >> k & 1) bits |= bit_of[k];
    return bits;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    sim_options o;
    o.tower = data[0] & 7;
    o.mission = data[0] >> 4 & 1;
    o.interlevel = data[0] & 0x80;
    size_t at = 1;
    if ((data[0] & 8) && size >= 3) {
        o.place = true;
        o.place_x = static_cast<int16_t>((data[1] & 15) * 8 + 4);
        o.place_y = static_cast<int16_t>((data[2] + 1) * 4 & 0x3ff);
        at = 3;
    }
    feed f{data + at, size - at};
    o.frames = static_cast<uint32_t>(f.count);
    o.buttons = buttons_of;
    o.buttons_user = &f;
    sim_run(o);
    return 0;
}
