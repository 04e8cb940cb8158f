// The resource pack: the walk by name, the payload header checks and the
// decoder, against the real pack and against damaged copies of it.
#include <gtest/gtest.h>
#include <lzma.h>
#include <malloc.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "Lzma.h"

using bytes = std::vector<unsigned char>;

static bytes read_data_file(const std::string& name) {
    std::ifstream in(std::string(ASCELON_SOURCE_DIR) + "/data/" + name, std::ios::binary);
    return bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Stored order: alphabetical, then the two start-up pages.
static const char* const pack_names[47] = {
    "backgnds.bmp",     "bastower.bmp",  "char8x8.bmp",   "char8x8_2.bmp",  "char8x8_3.bmp",
    "char8x8_4.bmp",    "char8x8_5.bmp", "chiffres.bmp",  "decors.bmp",     "etoiles.bmp",
    "fire.bmp",         "fishs.bmp",     "flying.bmp",    "font.bmp",       "mplayer.bmp",
    "nmis1.bmp",        "nmis2.bmp",     "nmis3.bmp",     "nmis4.bmp",      "panel1.bmp",
    "panel2.bmp",       "panel3.bmp",    "parallax1.bmp", "parallax2.bmp",  "parallax3.bmp",
    "parallax4.bmp",    "player.bmp",    "player2.bmp",   "podium.bmp",     "portes.bmp",
    "presentation.bmp", "subway.bmp",    "time.bmp",      "time_icons.bmp", "titre.bmp",
    "toptower.bmp",     "torpille.bmp",  "tour1.bmp",     "tour2.bmp",      "tour3.bmp",
    "tour4.bmp",        "tour5.bmp",     "tour6.bmp",     "tour7.bmp",      "tour8.bmp",
    "present.bmp",      "vrusk.bmp",
};

struct pack_entry {
    std::string name;
    size_t payload;  // offset of the payload in Data_pck
    long length;
};

// An independent walk of the container, to check the layout itself.
static std::vector<pack_entry> walk_pack() {
    std::vector<pack_entry> entries;
    const unsigned char* p = Data_pck;
    auto field = [&](int n) {
        std::string digits(reinterpret_cast<const char*>(p), n);
        p += n;
        for (char c : digits) EXPECT_TRUE(c >= '0' && c <= '9') << digits;
        return std::stol(digits);
    };
    const long count = field(4);
    for (long i = 0; i < count; ++i) {
        pack_entry e;
        const long n = field(2);
        e.name.assign(reinterpret_cast<const char*>(p), n);
        p += n;
        e.length = field(8);
        e.payload = static_cast<size_t>(p - Data_pck);
        p += e.length;
        entries.push_back(e);
    }
    EXPECT_EQ(static_cast<unsigned long>(p - Data_pck), Data_pck_size)
        << "bytes after the last entry";
    return entries;
}

static bytes payload_copy(const char* name) {
    for (const pack_entry& e : walk_pack())
        if (e.name == name) return bytes(Data_pck + e.payload, Data_pck + e.payload + e.length);
    ADD_FAILURE() << name << " not in the pack";
    return {};
}

TEST(Pack, HoldsTheFortySevenPicturesInStoredOrderWithLzmaAloneHeaders) {
    const std::vector<pack_entry> entries = walk_pack();
    ASSERT_EQ(entries.size(), 47u);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(Data_pck), 4), "0047");
    for (size_t i = 0; i < entries.size(); ++i) {
        const pack_entry& e = entries[i];
        EXPECT_EQ(e.name, pack_names[i]);
        const unsigned char* h = Data_pck + e.payload;
        EXPECT_EQ(h[0], 0x5D) << e.name;
        EXPECT_EQ(h[1] | h[2] << 8 | h[3] << 16 | h[4] << 24, 8 << 20) << e.name;
        const long size = h[5] | h[6] << 8 | h[7] << 16 | static_cast<long>(h[8]) << 24;
        EXPECT_EQ(size, static_cast<long>(read_data_file(e.name).size())) << e.name;
        EXPECT_EQ(h[9] | h[10] | h[11] | h[12], 0) << e.name;
    }
}

TEST(Pack, EveryEntryUnpacksToItsFileByteForByte) {
    for (const char* name : pack_names) {
        long size = -1;
        unsigned char* file = LzmaUnpackROML(name, &size);
        ASSERT_NE(file, nullptr) << name;
        const bytes expected = read_data_file(name);
        EXPECT_EQ(size, static_cast<long>(expected.size())) << name;
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), file)) << name;
        std::free(file);
    }
    long size = 0;
    unsigned char* tower = LzmaUnpackROML("tour1.bmp", &size);
    ASSERT_NE(tower, nullptr);
    EXPECT_EQ(tower[0], 'B');
    EXPECT_EQ(tower[1], 'M');
    std::free(tower);
}

TEST(Pack, NamesMatchExactlyAndAMissLeavesTheSizeAlone) {
    for (const char* name : {"Tour1.bmp", "tour1", "tour1.bmp ", "", "TOUR1.BMP", "tour9.bmp"}) {
        long size = 1234;
        EXPECT_EQ(LzmaUnpackROML(name, &size), nullptr) << name;
        EXPECT_EQ(size, 1234) << name;
    }
}

TEST(Pack, FieldsReadLikeAtoi) {
    const unsigned char text[] = "0047x12-5";
    const unsigned char* cursor = text;
    long v = -1;
    GetNextLongFromBuffer(v, cursor, 4);
    EXPECT_EQ(v, 47);
    GetNextLongFromBuffer(v, cursor, 3);  // "x12": no digits first
    EXPECT_EQ(v, 0);
    EXPECT_EQ(cursor, text + 7);
    GetNextLongFromBuffer(v, cursor, 2);
    EXPECT_EQ(v, -5);
    char name[8];
    cursor = text;
    GetNextStringFromBuffer(name, cursor, 5);
    EXPECT_STREQ(name, "0047x");
}

static size_t heap_in_use() { return mallinfo2().uordblks; }

TEST(Pack, PayloadHeaderChecks) {
    const bytes good = payload_copy("tour1.bmp");
    ASSERT_FALSE(good.empty());
    long size = 0;
    unsigned char* file = LzmaUnpackBufferL(good.data(), static_cast<long>(good.size()), nullptr);
    ASSERT_NE(file, nullptr) << "a null out_size is allowed";
    std::free(file);

    for (int upper = 9; upper <= 12; ++upper) {
        bytes p = good;
        p[upper] = 1;
        EXPECT_EQ(LzmaUnpackBufferL(p.data(), static_cast<long>(p.size()), &size), nullptr)
            << upper;
    }
    bytes unknown = good;  // the "size unknown" marker of the layout
    std::fill(unknown.begin() + 5, unknown.begin() + 13, 0xFF);
    EXPECT_EQ(LzmaUnpackBufferL(unknown.data(), static_cast<long>(unknown.size()), &size), nullptr);

    bytes props = good;
    props[0] = 225;
    EXPECT_EQ(LzmaUnpackBufferL(props.data(), static_cast<long>(props.size()), &size), nullptr);
    props[0] = 224;  // lc 8, lp 4, pb 4: passes the check, the decoder refuses it
    EXPECT_EQ(LzmaUnpackBufferL(props.data(), static_cast<long>(props.size()), &size), nullptr);

    EXPECT_EQ(LzmaUnpackBufferL(good.data(), 12, &size), nullptr) << "shorter than its header";
}

TEST(Pack, ADecoderErrorLeavesNothingAllocated) {
    const bytes good = payload_copy("fishs.bmp");
    ASSERT_GT(good.size(), 200u);
    bytes corrupt = good;
    for (size_t i = 40; i < corrupt.size(); i += 7) corrupt[i] ^= 0x5A;
    bytes truncated(good.begin(), good.begin() + static_cast<long>(good.size() / 2));
    bytes too_big = good;  // claims one byte more than the stream holds
    too_big[5] = static_cast<unsigned char>(too_big[5] + 1);

    // Warm the allocator up so that its own bookkeeping does not count.
    std::free(LzmaUnpackBufferL(good.data(), static_cast<long>(good.size()), nullptr));
    const size_t before = heap_in_use();
    for (const bytes* p : {&corrupt, &truncated, &too_big}) {
        long size = 77;
        EXPECT_EQ(LzmaUnpackBufferL(p->data(), static_cast<long>(p->size()), &size), nullptr);
        EXPECT_EQ(size, 77);
    }
    EXPECT_EQ(heap_in_use(), before);
}

static bytes pack_of(const std::string& text) { return bytes(text.begin(), text.end()); }

TEST(Pack, DamagedPacksGiveNullWithoutReadingPastTheirEnd) {
    const bytes pay = payload_copy("torpille.bmp");
    auto entry = [&](const std::string& name) {
        char head[16];
        std::snprintf(head, sizeof head, "%02zu", name.size());
        bytes e = pack_of(head + name);
        char length[16];
        std::snprintf(length, sizeof length, "%08zu", pay.size());
        bytes l = pack_of(length);
        e.insert(e.end(), l.begin(), l.end());
        e.insert(e.end(), pay.begin(), pay.end());
        return e;
    };
    bytes one = pack_of("0001");
    bytes e = entry("a.bmp");
    one.insert(one.end(), e.begin(), e.end());
    long size = 0;
    unsigned char* ok = LzmaUnpackFromPack(one.data(), one.size(), "a.bmp", &size);
    ASSERT_NE(ok, nullptr) << "the crafted pack itself is sound";
    std::free(ok);

    // Every truncation of it: the walk stops at the end it is given.
    for (size_t len = 0; len < one.size(); ++len) {
        bytes cut(one.begin(), one.begin() + static_cast<long>(len));
        EXPECT_EQ(LzmaUnpackFromPack(cut.data(), cut.size(), "a.bmp", &size), nullptr) << len;
    }
    // More entries announced than stored.
    bytes more = one;
    more[3] = '3';
    EXPECT_EQ(LzmaUnpackFromPack(more.data(), more.size(), "b.bmp", &size), nullptr);
    // A name of 64 bytes or more cannot be held with its terminator.
    for (size_t n : {63u, 64u, 99u}) {
        bytes long_name = pack_of("0001");
        bytes le = entry(std::string(n, 'x'));
        long_name.insert(long_name.end(), le.begin(), le.end());
        unsigned char* r = LzmaUnpackFromPack(long_name.data(), long_name.size(),
                                              std::string(n, 'x').c_str(), &size);
        EXPECT_EQ(r != nullptr, n == 63) << n;
        std::free(r);
    }
    // Negative and oversized lengths.
    bytes negative = pack_of("0001-1a.bmp00000001x");
    EXPECT_EQ(LzmaUnpackFromPack(negative.data(), negative.size(), "a.bmp", &size), nullptr);
    bytes past = pack_of("000105a.bmp99999999");
    past.push_back(0x5D);
    EXPECT_EQ(LzmaUnpackFromPack(past.data(), past.size(), "a.bmp", &size), nullptr);
    bytes payload_negative = pack_of("000105a.bmp-0000001");
    EXPECT_EQ(LzmaUnpackFromPack(payload_negative.data(), payload_negative.size(), "a.bmp", &size),
              nullptr);
}

// A payload of n zero bytes, compressed the way the pack builder does it,
// with a header stating n.
static bytes zeros_payload(uint32_t n) {
    lzma_options_lzma options;
    lzma_lzma_preset(&options, 0);
    options.ext_flags = 0;
    const lzma_filter filters[2] = {{LZMA_FILTER_LZMA1EXT, &options}, {LZMA_VLI_UNKNOWN, nullptr}};
    lzma_stream stream = LZMA_STREAM_INIT;
    EXPECT_EQ(lzma_raw_encoder(&stream, filters), LZMA_OK);
    const bytes in(n, 0);
    bytes data(n / 64 + 4096);
    stream.next_in = in.data();
    stream.avail_in = in.size();
    stream.next_out = data.data();
    stream.avail_out = data.size();
    EXPECT_EQ(lzma_code(&stream, LZMA_FINISH), LZMA_STREAM_END);
    data.resize(stream.total_out);
    lzma_end(&stream);
    bytes payload = {0x5D, 0, 0, 0x80, 0};
    for (int i = 0; i < 8; ++i) payload.push_back(static_cast<unsigned char>(uint64_t{n} >> 8 * i));
    payload.insert(payload.end(), data.begin(), data.end());
    return payload;
}

// A damaged header must not make the game allocate what it asks: sizes past
// the largest picture the loader takes are refused, even when the stream
// behind them would decode.
TEST(Pack, StatedSizesPastTheLargestPictureAreRefused) {
    long size = 0;
    for (uint32_t n : {LZMA_MAX_UNPACKED, LZMA_MAX_UNPACKED + 1}) {
        const bytes payload = zeros_payload(n);
        unsigned char* file =
            LzmaUnpackBufferL(payload.data(), static_cast<long>(payload.size()), &size);
        EXPECT_EQ(file != nullptr, n == LZMA_MAX_UNPACKED) << n;
        std::free(file);
    }
    EXPECT_EQ(size, static_cast<long>(LZMA_MAX_UNPACKED));
    // Fourteen bytes stating 0xF0000000.
    const bytes huge = {0x5D, 0, 0, 0x80, 0, 0, 0, 0, 0xF0, 0, 0, 0, 0, 0};
    EXPECT_EQ(LzmaUnpackBufferL(huge.data(), static_cast<long>(huge.size()), &size), nullptr);
    EXPECT_EQ(size, static_cast<long>(LZMA_MAX_UNPACKED)) << "left alone on failure";
}
