// The desktop window's icon, the 32 x 32 picture the art generator draws
// (data/icons/ascelon-32.bmp), compiled into the game.
#pragma once

// Gives the window its icon; called before the video mode is set.
void platform_set_icon();
