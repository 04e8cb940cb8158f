// The sea at the tower's foot, mirroring the finished picture.
#pragma once

#include <cstdint>

extern const int32_t SinTab1[24];
extern int32_t iSin;  // wave phase of the first water line

void aff_water();
