// Writes a canvas as the uncompressed Windows BMP the game's loader reads:
// 14-byte file header, 40-byte info header, a palette of exactly the colours
// used, then bottom-up rows with no padding.
#pragma once
#include <string>
#include <vector>

#include "canvas.h"

// Encodes the canvas as an 8-bit (bpp 8) or 4-bit (bpp 4) BMP, or a 24-bit
// one (bpp 24) for review pictures. Fails (returns
// false, with a message) when the picture has more colours than the depth
// allows or a row would need padding.
bool encode_bmp(const Canvas& c, int bpp, std::vector<uint8_t>& out, std::string& err);
bool write_file(const std::string& path, const std::vector<uint8_t>& bytes);
