// The two pictures that fade in and out when the game starts.
#pragma once

#include <SDL.h>

#include <cstdint>

void presentation();
// One fade step, drawn straight to the screen: picture placed at row y of
// the fader, blended over black with the given opacity (255 opaque).
