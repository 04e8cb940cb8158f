#include "png.h"

#include <cstring>

static void put32be(std::vector<uint8_t>& o, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) o.push_back(uint8_t(v >> shift));
}

static uint32_t crc32(const uint8_t* p, size_t n) {
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = crc & 1 ? 0xEDB88320u ^ (crc >> 1) : crc >> 1;
    }
    return ~crc;
}

static void chunk(std::vector<uint8_t>& out, const char* type, const std::vector<uint8_t>& data) {
    put32be(out, uint32_t(data.size()));
    const size_t start = out.size();
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), data.begin(), data.end());
    put32be(out, crc32(out.data() + start, out.size() - start));
}

void encode_png(const Canvas& c, std::vector<uint8_t>& out) {
    // Rows of RGBA pixels, each after a filter byte 0 (none).
    std::vector<uint8_t> raw;
    for (int y = 0; y < c.h; ++y) {
        raw.push_back(0);
        for (int x = 0; x < c.w; ++x) {
            const uint32_t p = c.get(x, y);
            const bool clear = p == KEY;
            raw.push_back(clear ? 0 : uint8_t(p >> 16));
            raw.push_back(clear ? 0 : uint8_t(p >> 8));
            raw.push_back(clear ? 0 : uint8_t(p));
            raw.push_back(clear ? 0 : 255);
        }
    }
    // A zlib stream of stored deflate blocks of at most 65535 bytes each.
    std::vector<uint8_t> z = {0x78, 0x01};
    for (size_t at = 0; at < raw.size() || at == 0;) {
        const size_t n = raw.size() - at < 65535 ? raw.size() - at : 65535;
        const bool last = at + n == raw.size();
        z.push_back(last ? 1 : 0);
        z.push_back(uint8_t(n));
        z.push_back(uint8_t(n >> 8));
        z.push_back(uint8_t(~n));
        z.push_back(uint8_t(~n >> 8));
        z.insert(z.end(), raw.begin() + long(at), raw.begin() + long(at + n));
        at += n;
        if (last) break;
    }
    uint32_t a = 1, b = 0;
    for (uint8_t v : raw) {
        a = (a + v) % 65521;
        b = (b + a) % 65521;
    }
    put32be(z, b << 16 | a);

    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    out.assign(signature, signature + 8);
    std::vector<uint8_t> header;
    put32be(header, uint32_t(c.w));
    put32be(header, uint32_t(c.h));
    header.insert(header.end(), {8, 6, 0, 0, 0});  // 8 bits, RGBA, no interlace
    chunk(out, "IHDR", header);
    chunk(out, "IDAT", z);
    chunk(out, "IEND", {});
}
