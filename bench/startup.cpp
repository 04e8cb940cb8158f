// Start-up cost: SDL's dummy video and init_gfx (video mode, frame surfaces,
// unpacking and converting the 25 start-up pictures). Measure it with
//   valgrind --tool=callgrind --toggle-collect=init_gfx build/bench/ascelon-bench-startup
// (instructions of init_gfx alone), or time it with hyperfine.
#include <SDL.h>

#include <cstdlib>

#include "gfx.h"

int main() {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    SDL_Init(SDL_INIT_VIDEO);
    init_gfx();
    free_gfx();
    SDL_Quit();
    return 0;
}
