/* SDL 1.2 joystick for the browser build: the page's first gamepad, read
   through the browser's Gamepad API at every event poll. It is always
   joystick 0, connected or not, because a page only sees a pad once a
   button on it has been pressed, long after the game opened its joystick.
   Axes 0 and 1 are the left stick, the standard layout's d-pad (buttons 12
   to 15) is hat 0, and the other buttons keep their standard numbers. */
#include "SDL_config.h"

#ifdef SDL_JOYSTICK_WEB

#include <emscripten/html5.h>

#include "SDL_events.h"
#include "SDL_joystick.h"
#include "../SDL_sysjoystick.h"
#include "../SDL_joystick_c.h"

#define WEB_BUTTONS 12

int SDL_SYS_JoystickInit(void)
{
    SDL_numjoysticks = 1;
    return 0;
}

const char *SDL_SYS_JoystickName(int index)
{
    return index == 0 ? "the page's gamepad" : NULL;
}

int SDL_SYS_JoystickOpen(SDL_Joystick *joystick)
{
    joystick->naxes = 2;
    joystick->nhats = 1;
    joystick->nballs = 0;
    joystick->nbuttons = WEB_BUTTONS;
    return 0;
}

static Sint16 axis_value(double v)
{
    if (v < -1.0) v = -1.0;
    if (v > 1.0) v = 1.0;
    return (Sint16)(v * 32767.0);
}

void SDL_SYS_JoystickUpdate(SDL_Joystick *joystick)
{
    EmscriptenGamepadEvent pad;
    int i, found = 0, n;
    Uint8 hat = SDL_HAT_CENTERED;
    if (emscripten_sample_gamepad_data() != EMSCRIPTEN_RESULT_SUCCESS) return;
    n = emscripten_get_num_gamepads();
    for (i = 0; i < n && !found; ++i)
        found = emscripten_get_gamepad_status(i, &pad) == EMSCRIPTEN_RESULT_SUCCESS &&
                pad.connected;
    if (!found) SDL_memset(&pad, 0, sizeof pad);

    for (i = 0; i < 2; ++i) {
        Sint16 v = i < pad.numAxes ? axis_value(pad.axis[i]) : 0;
        if (v != joystick->axes[i]) SDL_PrivateJoystickAxis(joystick, (Uint8)i, v);
    }
    for (i = 0; i < WEB_BUTTONS; ++i) {
        Uint8 down = i < pad.numButtons && pad.digitalButton[i];
        if (down != joystick->buttons[i])
            SDL_PrivateJoystickButton(joystick, (Uint8)i, down ? SDL_PRESSED : SDL_RELEASED);
    }
    if (pad.numButtons > 15) {
        if (pad.digitalButton[12]) hat |= SDL_HAT_UP;
        if (pad.digitalButton[13]) hat |= SDL_HAT_DOWN;
        if (pad.digitalButton[14]) hat |= SDL_HAT_LEFT;
        if (pad.digitalButton[15]) hat |= SDL_HAT_RIGHT;
    }
    if (hat != joystick->hats[0]) SDL_PrivateJoystickHat(joystick, 0, hat);
}

void SDL_SYS_JoystickClose(SDL_Joystick *joystick) { (void)joystick; }

void SDL_SYS_JoystickQuit(void) {}

#endif /* SDL_JOYSTICK_WEB */
