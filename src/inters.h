// The sea at the tower's foot, mirroring the finished picture.
#pragma once

#include <cstdint>

extern const int32_t SinTab1[24];
extern int32_t iSin;  // wave phase of the first water line

void aff_water();
// A reflected pixel mixed half and half with the sea colour of its line.
uint16_t water_mix(uint16_t picture, uint16_t sea);
