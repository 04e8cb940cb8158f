// Reference files under tests/golden/: a test hands over the bytes it
// produced and either compares them with the committed reference or, when
// ASCELON_UPDATE_GOLDEN=1 is set (scripts/update-golden), writes them as the
// new reference.
#pragma once

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

// True while the references are being rewritten.
bool golden_updating();
// Where the reference of that name lives in the source tree.
std::string golden_path(const std::string& name);
// Compares (or, when updating, rewrites) the reference. On a mismatch the
// message names the first differing byte through where(offset), by default
// as a byte offset with its line and column for text.
testing::AssertionResult golden_match(const std::string& name, const std::vector<uint8_t>& bytes,
                                      const std::function<std::string(size_t)>& where = {});

// A 320 x 240 RGB565 picture as a 16-bit BMP (bottom-up rows, bit-field
// masks), and the pixel a byte offset of such a file falls in.
std::vector<uint8_t> golden_bmp565(const uint16_t* pixels, int width, int height, int pitch_bytes);
std::string golden_bmp565_pixel(size_t offset, int width, int height);

// The whole of a file in the source tree, or "" when it cannot be read.
std::string read_file(const std::string& path);
// For a golden trace: the start of the line (its frame) holding a byte
// offset, to name the first frame that differs.
std::string trace_line_at(const std::string& trace, size_t offset);

// A digest of the screen's pixels, to tell frames apart without keeping them.
uint64_t screen_digest();
