// One payload: its 13-byte header and its LZMA stream.
#include <cstdint>
#include <cstdlib>

#include "Lzma.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    long out_size = -1;
    unsigned char* file = LzmaUnpackBufferL(data, static_cast<long>(size), &out_size);
    if (file) {
        // Exactly the size the header states, and never more than the bound.
        const uint32_t stated =
            data[5] | data[6] << 8 | data[7] << 16 | static_cast<uint32_t>(data[8]) << 24;
        if (out_size != static_cast<long>(stated) || stated > LZMA_MAX_UNPACKED) std::abort();
        if (out_size > 0) (void)*static_cast<volatile unsigned char*>(file + out_size - 1);
        std::free(file);
    } else if (out_size != -1) {
        std::abort();
    }
    return 0;
}
