#include "bmp.h"

#include <algorithm>
#include <cstdio>
#include <map>

static void put16(std::vector<uint8_t>& o, uint32_t v) {
    o.push_back(v & 255);
    o.push_back(v >> 8 & 255);
}
static void put32(std::vector<uint8_t>& o, uint32_t v) {
    put16(o, v & 0xFFFF);
    put16(o, v >> 16);
}

// 24-bit picture for review only (the contact sheet holds more colours than a
// palette can); the game never reads one.
static void encode_bmp24(const Canvas& c, std::vector<uint8_t>& out) {
    uint32_t rowbytes = (uint32_t(c.w) * 3 + 3) & ~3u;
    uint32_t imgsize = rowbytes * uint32_t(c.h);
    out.clear();
    out.push_back('B');
    out.push_back('M');
    put32(out, 54 + imgsize);
    put32(out, 0);
    put32(out, 54);
    put32(out, 40);
    put32(out, uint32_t(c.w));
    put32(out, uint32_t(c.h));
    put16(out, 1);
    put16(out, 24);
    put32(out, 0);
    put32(out, imgsize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, 0);
    put32(out, 0);
    for (int y = c.h - 1; y >= 0; --y) {
        for (int x = 0; x < c.w; ++x) {
            uint32_t p = c.get(x, y);
            out.push_back(p & 255);
            out.push_back(p >> 8 & 255);
            out.push_back(p >> 16 & 255);
        }
        for (uint32_t i = uint32_t(c.w) * 3; i < rowbytes; ++i) out.push_back(0);
    }
}

bool encode_bmp(const Canvas& c, int bpp, std::vector<uint8_t>& out, std::string& err) {
    if (bpp == 24) {
        encode_bmp24(c, out);
        return true;
    }
    // The palette is the sorted set of colours, so the bytes depend only on
    // the picture, never on drawing order.
    std::vector<uint32_t> pal(c.px.begin(), c.px.end());
    std::sort(pal.begin(), pal.end());
    pal.erase(std::unique(pal.begin(), pal.end()), pal.end());
    size_t maxc = bpp == 4 ? 16 : 256;
    if (pal.size() > maxc) {
        err = "too many colours (" + std::to_string(pal.size()) + ")";
        return false;
    }
    size_t rowbytes = bpp == 4 ? size_t(c.w) / 2 : size_t(c.w);
    if (rowbytes % 4 != 0 || (bpp == 4 && c.w % 2 != 0)) {
        err = "row of " + std::to_string(rowbytes) + " bytes would need padding";
        return false;
    }
    std::map<uint32_t, uint8_t> index;
    for (size_t i = 0; i < pal.size(); ++i) index[pal[i]] = uint8_t(i);

    uint32_t n = uint32_t(pal.size());
    uint32_t offset = 54 + 4 * n;
    uint32_t imgsize = uint32_t(rowbytes * c.h);
    out.clear();
    out.push_back('B');
    out.push_back('M');
    put32(out, offset + imgsize);
    put32(out, 0);
    put32(out, offset);
    put32(out, 40);
    put32(out, uint32_t(c.w));
    put32(out, uint32_t(c.h));  // positive: rows stored bottom-up
    put16(out, 1);
    put16(out, uint32_t(bpp));
    put32(out, 0);  // no compression
    put32(out, imgsize);
    put32(out, 2835);
    put32(out, 2835);
    put32(out, n);  // the loader finds the pixels through this count
    put32(out, 0);
    for (uint32_t col : pal) {
        out.push_back(col & 255);
        out.push_back(col >> 8 & 255);
        out.push_back(col >> 16 & 255);
        out.push_back(0);
    }
    for (int y = c.h - 1; y >= 0; --y) {
        if (bpp == 8) {
            for (int x = 0; x < c.w; ++x) out.push_back(index[c.get(x, y)]);
        } else {
            for (int x = 0; x < c.w; x += 2)
                out.push_back(uint8_t(index[c.get(x, y)] << 4 | index[c.get(x + 1, y)]));
        }
    }
    return true;
}

bool write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}
