#include "golden.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>

#include "gfx.h"

bool golden_updating() {
    const char* v = std::getenv("ASCELON_UPDATE_GOLDEN");
    return v && std::strcmp(v, "1") == 0;
}

std::string golden_path(const std::string& name) {
    return std::string(ASCELON_SOURCE_DIR) + "/tests/golden/" + name;
}

static std::string text_position(const std::vector<uint8_t>& bytes, size_t offset) {
    size_t line = 1, column = 1;
    for (size_t i = 0; i < offset && i < bytes.size(); ++i) {
        if (bytes[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "byte " + std::to_string(offset) + " (line " + std::to_string(line) + ", column " +
           std::to_string(column) + ")";
}

testing::AssertionResult golden_match(const std::string& name, const std::vector<uint8_t>& bytes,
                                      const std::function<std::string(size_t)>& where) {
    const std::string path = golden_path(name);
    if (golden_updating()) {
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        if (!out) return testing::AssertionFailure() << "cannot write " << path;
        std::printf("golden: wrote %s (%zu bytes)\n", path.c_str(), bytes.size());
        return testing::AssertionSuccess();
    }
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return testing::AssertionFailure()
               << "no reference " << path << " (create it with scripts/update-golden)";
    const std::vector<uint8_t> ref((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
    const size_t n = std::min(ref.size(), bytes.size());
    size_t first = 0;
    while (first < n && ref[first] == bytes[first]) ++first;
    if (first == n && ref.size() == bytes.size()) return testing::AssertionSuccess();
    const std::string at = where ? where(first) : text_position(bytes, first);
    return testing::AssertionFailure()
           << name << " differs from its reference at " << at << " (reference " << ref.size()
           << " bytes, now " << bytes.size()
           << "); if the change is meant, run scripts/update-golden and review the new file";
}

static void put16(std::vector<uint8_t>& v, uint32_t x) {
    v.push_back(static_cast<uint8_t>(x));
    v.push_back(static_cast<uint8_t>(x >> 8));
}
static void put32(std::vector<uint8_t>& v, uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

constexpr size_t BMP565_HEADER = 14 + 40 + 12;

std::vector<uint8_t> golden_bmp565(const uint16_t* pixels, int width, int height, int pitch_bytes) {
    const uint32_t row_bytes = static_cast<uint32_t>((width * 2 + 3) & ~3);
    const uint32_t data = row_bytes * static_cast<uint32_t>(height);
    std::vector<uint8_t> v;
    v.reserve(BMP565_HEADER + data);
    v.push_back('B');
    v.push_back('M');
    put32(v, static_cast<uint32_t>(BMP565_HEADER + data));
    put32(v, 0);
    put32(v, static_cast<uint32_t>(BMP565_HEADER));
    put32(v, 40);  // info header
    put32(v, static_cast<uint32_t>(width));
    put32(v, static_cast<uint32_t>(height));
    put16(v, 1);
    put16(v, 16);
    put32(v, 3);  // bit fields
    put32(v, data);
    put32(v, 2835);
    put32(v, 2835);
    put32(v, 0);
    put32(v, 0);
    put32(v, 0xF800);
    put32(v, 0x07E0);
    put32(v, 0x001F);
    for (int y = height - 1; y >= 0; --y) {
        const uint16_t* row = reinterpret_cast<const uint16_t*>(
            reinterpret_cast<const uint8_t*>(pixels) + y * pitch_bytes);
        for (int x = 0; x < width; ++x) put16(v, row[x]);
        for (uint32_t pad = static_cast<uint32_t>(width) * 2; pad < row_bytes; ++pad)
            v.push_back(0);
    }
    return v;
}

std::string golden_bmp565_pixel(size_t offset, int width, int height) {
    if (offset < BMP565_HEADER) return "header byte " + std::to_string(offset);
    const size_t row_bytes = static_cast<size_t>((width * 2 + 3) & ~3);
    const size_t k = offset - BMP565_HEADER;
    const size_t stored_row = k / row_bytes;
    if (stored_row >= static_cast<size_t>(height)) return "byte " + std::to_string(offset);
    const int y = height - 1 - static_cast<int>(stored_row);
    const int x = static_cast<int>((k % row_bytes) / 2);
    return "pixel (" + std::to_string(x) + ", " + std::to_string(y) + ")";
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

std::string trace_line_at(const std::string& trace, size_t offset) {
    const size_t line_start = trace.rfind('\n', offset == 0 ? 0 : offset - 1);
    const size_t from = line_start == std::string::npos ? 0 : line_start + 1;
    return "frame line '" +
           trace.substr(from, std::min<size_t>(48, trace.find('\n', from) - from)) + "...'";
}

uint64_t screen_digest() {
    SDL_LockSurface(screen);
    uint64_t h = 1469598103934665603ull;
    for (int y = 0; y < 240; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(screen->pixels) + y * screen->pitch;
        for (int x = 0; x < 640; ++x) h = (h ^ row[x]) * 1099511628211ull;
    }
    SDL_UnlockSurface(screen);
    return h;
}
