// The resource pack: every picture of the game, LZMA-compressed and compiled
// into the executable, looked up by file name.
#pragma once

#include <cstdint>

// The pack itself, generated at build time from data/*.bmp.
extern const unsigned char Data_pck[];
extern const unsigned long Data_pck_size;

void GetNextStringFromBuffer(char* dst, const unsigned char*& cursor, short n);
void GetNextLongFromBuffer(long& value, const unsigned char*& cursor, short n);

// The decompressed file called name, in a new malloc'ed buffer that the
// caller frees, or null. *out_size gets its length on success only.
unsigned char* LzmaUnpackROML(const char* name, long* out_size);

// The same lookup in any pack of pack_size bytes.
unsigned char* LzmaUnpackFromPack(const unsigned char* pack, unsigned long pack_size,
                                  const char* name, long* out_size);

// Unpacks one payload (13-byte header and LZMA data) into a new buffer of
// exactly the size its header states, or null. out_size may be null.
unsigned char* LzmaUnpackBufferL(const unsigned char* payload, long payload_length, long* out_size);
