// The game's icon for the window and the desktop's menus.
#pragma once
#include "canvas.h"

// The icon at 32 x 32 pixels, transparent (KEY) at its rounded corners.
Canvas draw_icon();
// Each pixel made a factor x factor square.
Canvas enlarge(const Canvas& small, int factor);
