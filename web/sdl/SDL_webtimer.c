/* SDL 1.2 clock for the browser build. The page's clock gives the ticks; a
   wait is an emscripten_sleep, which (with ASYNCIFY) hands the page back to
   the browser for that long so that it can draw the canvas and deliver the
   keys, and then resumes the game where it stopped. Without ASYNCIFY (the
   headless simulator under Node.js, which never waits) it would abort. */
#include "SDL_config.h"

#ifdef SDL_TIMER_WEB

#include <emscripten.h>

#include "SDL_timer.h"
#include "../SDL_timer_c.h"

static double start_ms;

void SDL_StartTicks(void) { start_ms = emscripten_get_now(); }

Uint32 SDL_GetTicks(void) { return (Uint32)(emscripten_get_now() - start_ms); }

void SDL_Delay(Uint32 ms) { emscripten_sleep(ms); }

/* One thread and no signals: SDL's own timer callbacks (SDL_AddTimer) are
   not offered; the game does not use them. */
int SDL_SYS_TimerInit(void) { return 0; }

void SDL_SYS_TimerQuit(void) {}

int SDL_SYS_StartTimer(void)
{
    SDL_SetError("Timers are not offered in the browser build");
    return -1;
}

void SDL_SYS_StopTimer(void) {}

#endif /* SDL_TIMER_WEB */
