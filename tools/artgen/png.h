// Writes a canvas as an 8-bit RGBA PNG, for the desktop's icons: the key
// colour becomes transparent. The image data is stored, not compressed, so
// the bytes depend on nothing but the picture.
#pragma once
#include <cstdint>
#include <vector>

#include "canvas.h"

void encode_png(const Canvas& c, std::vector<uint8_t>& out);
