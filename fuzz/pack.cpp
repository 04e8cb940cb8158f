// The resource pack's walk over arbitrary bytes: the first line of the input
// is the name looked for, the rest is the pack.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "Lzma.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const void* newline = std::memchr(data, '\n', size < 64 ? size : 64);
    if (!newline) return 0;
    const size_t name_length = static_cast<size_t>(static_cast<const uint8_t*>(newline) - data);
    const std::string name(reinterpret_cast<const char*>(data), name_length);
    long out_size = -1;
    unsigned char* file =
        LzmaUnpackFromPack(data + name_length + 1, size - name_length - 1, name.c_str(), &out_size);
    if (file) {
        // The whole stated size is there to read.
        if (out_size < 0 || out_size > static_cast<long>(LZMA_MAX_UNPACKED)) std::abort();
        if (out_size > 0) (void)*static_cast<volatile unsigned char*>(file + out_size - 1);
        std::free(file);
    } else if (out_size != -1) {
        std::abort();  // a failed lookup leaves the size alone
    }
    return 0;
}
