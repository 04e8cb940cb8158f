#include "Lzma.h"

#include <lzma.h>

#include <cstdlib>
#include <cstring>

const unsigned char* rom_pack = Data_pck;
unsigned long rom_pack_size = Data_pck_size;

void GetNextStringFromBuffer(char* dst, const unsigned char*& cursor, short n) {
    std::memcpy(dst, cursor, n);
    dst[n] = 0;
    cursor += n;
}

// Decimal fields are read the way atoi reads them: leading zeros are fine
// and the number ends at the first non-digit.
void GetNextLongFromBuffer(long& value, const unsigned char*& cursor, short n) {
    char scratch[64];
    GetNextStringFromBuffer(scratch, cursor, n);
    value = std::atoi(scratch);
}

unsigned char* LzmaUnpackROML(const char* name, long* out_size) {
    return LzmaUnpackFromPack(rom_pack, rom_pack_size, name, out_size);
}

// The pack is a flat run of decimal fields and payloads: "0047", then per
// entry a 2-digit name length, the name, an 8-digit payload length and the
// payload. The walk is linear and the first entry with the name wins. Every
// field is checked against the end of the pack, and a name that could not be
// held with its terminator in 64 bytes ends the walk, so even a damaged pack
// can only give null.
unsigned char* LzmaUnpackFromPack(const unsigned char* pack, unsigned long pack_size,
                                  const char* name, long* out_size) {
    const unsigned char* cursor = pack;
    const unsigned char* const end = pack + pack_size;
    auto left = [&] { return static_cast<long>(end - cursor); };

    if (left() < 4) return nullptr;
    long count;
    GetNextLongFromBuffer(count, cursor, 4);
    while (count > 0) {
        if (left() < 2) return nullptr;
        long name_length;
        GetNextLongFromBuffer(name_length, cursor, 2);
        if (name_length < 0 || name_length > 63 || left() < name_length) return nullptr;
        char entry_name[64];
        GetNextStringFromBuffer(entry_name, cursor, static_cast<short>(name_length));
        if (left() < 8) return nullptr;
        long payload_length;
        GetNextLongFromBuffer(payload_length, cursor, 8);
        if (payload_length < 0 || payload_length > left()) return nullptr;
        if (std::strcmp(name, entry_name) == 0)
            return LzmaUnpackBufferL(cursor, payload_length, out_size);
        cursor += payload_length;
        --count;
    }
    return nullptr;
}

unsigned char* LzmaUnpackBufferL(const unsigned char* payload, long payload_length,
                                 long* out_size) {
    if (payload_length < 13) return nullptr;
    const unsigned props = payload[0];
    // payload[1..4] is the dictionary size: the whole output stays in memory
    // and serves as the dictionary, so it is not needed.
    const uint32_t size =
        payload[5] | payload[6] << 8 | payload[7] << 16 | static_cast<uint32_t>(payload[8]) << 24;
    // Every payload must state its size; this also refuses the all-ones
    // "size unknown" marker.
    if (payload[9] | payload[10] | payload[11] | payload[12]) return nullptr;
    if (props > 224) return nullptr;
    if (size > LZMA_MAX_UNPACKED) return nullptr;

    lzma_options_lzma options{};
    options.pb = props / 45;
    options.lp = props % 45 / 9;
    options.lc = props % 9;
    options.dict_size = size < LZMA_DICT_SIZE_MIN ? LZMA_DICT_SIZE_MIN : size;
    options.ext_flags = LZMA_LZMA1EXT_ALLOW_EOPM;
    options.ext_size_low = size;
    options.ext_size_high = 0;
    const lzma_filter filters[2] = {{LZMA_FILTER_LZMA1EXT, &options}, {LZMA_VLI_UNKNOWN, nullptr}};

    unsigned char* output = static_cast<unsigned char*>(std::malloc(size ? size : 1));
    if (!output) return nullptr;
    lzma_stream stream = LZMA_STREAM_INIT;
    bool ok = false;
    if (lzma_raw_decoder(&stream, filters) == LZMA_OK) {
        stream.next_in = payload + 13;
        stream.avail_in = static_cast<size_t>(payload_length - 13);
        stream.next_out = output;
        stream.avail_out = size;
        ok = lzma_code(&stream, LZMA_FINISH) == LZMA_STREAM_END && stream.total_out == size;
    }
    lzma_end(&stream);
    if (!ok) {
        std::free(output);
        return nullptr;
    }
    if (out_size) *out_size = static_cast<long>(size);
    return output;
}
