// A tiny true-colour canvas that every sheet is drawn on before it is
// written as a palettised BMP. Colours are 0xRRGGBB; KEY is the magenta that
// the game's loader turns into transparency on keyed sheets.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

constexpr uint32_t KEY = 0xFF00FF;

struct Canvas {
    int w = 0, h = 0;
    std::vector<uint32_t> px;
    Canvas() = default;
    Canvas(int w_, int h_, uint32_t fill = KEY)
        : w(w_), h(h_), px(size_t(w_) * h_, fill == KEY ? fill : (fill & 0xF8FCF8)) {}
    bool in(int x, int y) const { return x >= 0 && y >= 0 && x < w && y < h; }
    uint32_t get(int x, int y) const { return in(x, y) ? px[size_t(y) * w + x] : KEY; }
    // Everything but the key is cut to the 5-6-5 grid on the way in, so the
    // canvas always holds exactly what the game will show.
    void set(int x, int y, uint32_t c) {
        if (in(x, y)) px[size_t(y) * w + x] = c == KEY ? c : (c & 0xF8FCF8);
    }
};

// Snap a colour onto the RGB565 grid so the game shows exactly what we drew.
uint32_t rgb(int r, int g, int b);
uint32_t mix(uint32_t a, uint32_t b, int num, int den);  // a + (b-a)*num/den, snapped
uint32_t shade(uint32_t c, int percent);                 // darker (<100) or lighter (>100), snapped

void fill_rect(Canvas& c, int x, int y, int w, int h, uint32_t col);
void frame_rect(Canvas& c, int x, int y, int w, int h, uint32_t col);
void line(Canvas& c, int x0, int y0, int x1, int y1, uint32_t col);
// Filled ellipse in the box centred on (cx, cy) with half-sizes rx, ry (in
// half pixels, so odd widths can be centred between pixels).
void fill_ellipse2(Canvas& c, int cx2, int cy2, int rx2, int ry2, uint32_t col);
void fill_ellipse(Canvas& c, int cx, int cy, int rx, int ry, uint32_t col);
void fill_circle(Canvas& c, int cx, int cy, int r, uint32_t col);
// Paint every transparent pixel that touches (4-neighbour) an opaque one,
// inside the window (x, y, w, h): the dark outline of a sprite.
void outline(Canvas& c, int x, int y, int w, int h, uint32_t col, bool diagonal = false);
// Copy a window of src to (dx, dy) of dst, skipping KEY pixels when keyed.
void blit(Canvas& dst, const Canvas& src, int sx, int sy, int w, int h, int dx, int dy,
          bool keyed = true);
// Mirror the window (x, y, w, h) left to right in place.
void mirror_cell(Canvas& c, int x, int y, int w, int h);
// Draw a pixel grid written as text: each character is looked up in the
// legend (char -> colour), '.' and ' ' leave the pixel alone.
struct Legend {
    char ch;
    uint32_t col;
};
void draw_grid(Canvas& c, int x, int y, const char* const* rows, int nrows,
               const std::vector<Legend>& legend, bool flip = false);
