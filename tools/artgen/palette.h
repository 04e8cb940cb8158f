// The shared colour family of every picture: one ink for outlines, and two or
// three shades per hue. All values sit on the RGB565 grid (see rgb()).
#pragma once
#include "canvas.h"

namespace pal {
// Every named colour is cut to the 5-6-5 grid the game displays.
constexpr uint32_t C(uint32_t rgb) { return rgb & 0xF8FCF8; }

// Outlines and deep shadows: a dark blue-violet rather than black, so the
// outline still separates a sprite from the black night sky.
const uint32_t INK = C(0x181028);
const uint32_t INK2 = C(0x302448);
const uint32_t BLACK = C(0x000000);
const uint32_t WHITE = C(0xF8FCF8);
const uint32_t CREAM = C(0xF8E8B8);
const uint32_t GREY_D = C(0x585068);
const uint32_t GREY = C(0x9090A8);
const uint32_t GREY_L = C(0xC8C8D8);
// the creature
const uint32_t FUR_D = C(0xB04410);
const uint32_t FUR = C(0xF08820);
const uint32_t FUR_L = C(0xF8C058);
const uint32_t SCARF_D = C(0x106878);
const uint32_t SCARF = C(0x20B0C0);
const uint32_t SCARF_L = C(0x80E8E8);
// warm accents
const uint32_t RED_D = C(0x801818);
const uint32_t RED = C(0xD83028);
const uint32_t RED_L = C(0xF87858);
const uint32_t YEL_D = C(0xB08010);
const uint32_t YEL = C(0xF8D030);
const uint32_t YEL_L = C(0xF8F498);
// cool accents
const uint32_t BLUE_D = C(0x182878);
const uint32_t BLUE = C(0x3858D0);
const uint32_t BLUE_L = C(0x78A8F8);
const uint32_t GRN_D = C(0x186020);
const uint32_t GRN = C(0x38A838);
const uint32_t GRN_L = C(0x98E060);
const uint32_t PUR_D = C(0x481870);
const uint32_t PUR = C(0x8840C0);
const uint32_t PUR_L = C(0xC890F0);
const uint32_t PINK = C(0xF090B0);
const uint32_t SEA_D = C(0x082850);
const uint32_t SEA = C(0x185898);
const uint32_t SEA_L = C(0x4898D0);
}  // namespace pal
