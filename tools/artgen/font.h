// A small 5x7 pixel font (digits, capitals and a little punctuation) used by
// the panel digits, the unused font strips, the pages and the contact sheet.
#pragma once
#include "canvas.h"

// Rows of a glyph, bit 4 = leftmost column; nullptr for characters we lack.
const uint8_t* glyph5x7(char ch);
// Draws text at (x, y) with each font pixel as a scale x scale block; returns
// the x after the last character. Characters advance by 6 * scale.
int draw_text(Canvas& c, int x, int y, const char* s, uint32_t col, int scale = 1);
int text_width(const char* s, int scale = 1);
