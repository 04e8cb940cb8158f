#include "canvas.h"

#include <algorithm>
#include <cstdlib>

uint32_t rgb(int r, int g, int b) {
    r = std::clamp(r, 0, 255) & 0xF8;
    g = std::clamp(g, 0, 255) & 0xFC;
    b = std::clamp(b, 0, 255) & 0xF8;
    // The game keeps 5-6-5 bits and reads them back with zero low bits, so a
    // colour stored that way looks on screen exactly as it does here.
    return uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b);
}

uint32_t mix(uint32_t a, uint32_t b, int num, int den) {
    auto ch = [&](int s) {
        int x = int(a >> s & 255), y = int(b >> s & 255);
        return x + (y - x) * num / den;
    };
    return rgb(ch(16), ch(8), ch(0));
}

uint32_t shade(uint32_t c, int percent) {
    auto ch = [&](int s) { return int(c >> s & 255) * percent / 100; };
    return rgb(ch(16), ch(8), ch(0));
}

void fill_rect(Canvas& c, int x, int y, int w, int h, uint32_t col) {
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) c.set(i, j, col);
}

void frame_rect(Canvas& c, int x, int y, int w, int h, uint32_t col) {
    for (int i = x; i < x + w; ++i) {
        c.set(i, y, col);
        c.set(i, y + h - 1, col);
    }
    for (int j = y; j < y + h; ++j) {
        c.set(x, j, col);
        c.set(x + w - 1, j, col);
    }
}

void line(Canvas& c, int x0, int y0, int x1, int y1, uint32_t col) {
    int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        c.set(x0, y0, col);
        if (x0 == x1 && y0 == y1) break;
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void fill_ellipse2(Canvas& c, int cx2, int cy2, int rx2, int ry2, uint32_t col) {
    if (rx2 <= 0 || ry2 <= 0) return;
    // Pixel (x, y) has its centre at (2x+1, 2y+1) in half-pixel units.
    for (int y = (cy2 - ry2) / 2 - 1; y <= (cy2 + ry2) / 2 + 1; ++y)
        for (int x = (cx2 - rx2) / 2 - 1; x <= (cx2 + rx2) / 2 + 1; ++x) {
            long dx = 2 * x + 1 - cx2, dy = 2 * y + 1 - cy2;
            if (dx * dx * long(ry2) * ry2 + dy * dy * long(rx2) * rx2 <=
                long(rx2) * rx2 * long(ry2) * ry2)
                c.set(x, y, col);
        }
}

void fill_ellipse(Canvas& c, int cx, int cy, int rx, int ry, uint32_t col) {
    fill_ellipse2(c, 2 * cx + 1, 2 * cy + 1, 2 * rx + 1, 2 * ry + 1, col);
}

void fill_circle(Canvas& c, int cx, int cy, int r, uint32_t col) {
    fill_ellipse(c, cx, cy, r, r, col);
}

void outline(Canvas& c, int x, int y, int w, int h, uint32_t col, bool diagonal) {
    std::vector<uint8_t> mark(size_t(w) * h, 0);
    auto opaque = [&](int i, int j) {
        if (i < x || j < y || i >= x + w || j >= y + h) return false;
        uint32_t p = c.get(i, j);
        return p != KEY;
    };
    for (int j = y; j < y + h; ++j)
        for (int i = x; i < x + w; ++i) {
            if (c.get(i, j) != KEY) continue;
            bool t = opaque(i - 1, j) || opaque(i + 1, j) || opaque(i, j - 1) || opaque(i, j + 1);
            if (diagonal)
                t = t || opaque(i - 1, j - 1) || opaque(i + 1, j - 1) || opaque(i - 1, j + 1) ||
                    opaque(i + 1, j + 1);
            if (t) mark[size_t(j - y) * w + (i - x)] = 1;
        }
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
            if (mark[size_t(j) * w + i]) c.set(x + i, y + j, col);
}

void blit(Canvas& dst, const Canvas& src, int sx, int sy, int w, int h, int dx, int dy,
          bool keyed) {
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i) {
            if (!src.in(sx + i, sy + j)) continue;
            uint32_t p = src.get(sx + i, sy + j);
            if (keyed && p == KEY) continue;
            dst.set(dx + i, dy + j, p);
        }
}

void mirror_cell(Canvas& c, int x, int y, int w, int h) {
    for (int j = y; j < y + h; ++j)
        for (int i = 0; i < w / 2; ++i) {
            uint32_t a = c.get(x + i, j), b = c.get(x + w - 1 - i, j);
            c.set(x + i, j, b);
            c.set(x + w - 1 - i, j, a);
        }
}

void draw_grid(Canvas& c, int x, int y, const char* const* rows, int nrows,
               const std::vector<Legend>& legend, bool flip) {
    for (int j = 0; j < nrows; ++j) {
        const char* r = rows[j];
        int n = 0;
        while (r[n]) ++n;
        for (int i = 0; i < n; ++i) {
            char ch = r[i];
            if (ch == '.' || ch == ' ') continue;
            for (const Legend& l : legend)
                if (l.ch == ch) {
                    c.set(flip ? x + n - 1 - i : x + i, y + j, l.col);
                    break;
                }
        }
    }
}
