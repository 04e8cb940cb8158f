// The resource pack: every picture of the game, LZMA-compressed and compiled
// into the executable, looked up by file name.
#pragma once

#include <cstdint>

// The pack itself, generated at build time from data/*.bmp.
extern const unsigned char Data_pck[];
extern const unsigned long Data_pck_size;

// The pack the game's lookups walk: Data_pck. Tests put a damaged copy in
// its place to see how the game meets a picture that cannot be loaded.
extern const unsigned char* rom_pack;
extern unsigned long rom_pack_size;

void GetNextStringFromBuffer(char* dst, const unsigned char*& cursor, short n);
void GetNextLongFromBuffer(long& value, const unsigned char*& cursor, short n);

// The decompressed file called name (looked up in rom_pack), in a new
// malloc'ed buffer that the caller frees, or null. *out_size gets its length on success only.
unsigned char* LzmaUnpackROML(const char* name, long* out_size);

// The same lookup in any pack of pack_size bytes.
unsigned char* LzmaUnpackFromPack(const unsigned char* pack, unsigned long pack_size,
                                  const char* name, long* out_size);

// The most a payload may state as its size: the largest picture the loader
// takes (4096 x 4096 pixels of 8 bits, 256 colours). The game's largest is
// 77,880 bytes; a damaged header could otherwise ask for up to 4 GiB.
constexpr uint32_t LZMA_MAX_UNPACKED = 54 + 4 * 256 + 4096 * 4096;

// Unpacks one payload (13-byte header and LZMA data) into a new buffer of
// exactly the size its header states, or null; a stated size above
// LZMA_MAX_UNPACKED gives null before anything is allocated. out_size may be
// null.
unsigned char* LzmaUnpackBufferL(const unsigned char* payload, long payload_length, long* out_size);
