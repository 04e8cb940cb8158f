#include "platform.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "controls.h"

#ifdef ASCELON_GP2X

// On the console the buttons already are joystick 0's buttons.
int platform_poll_event(SDL_Event* event) { return SDL_PollEvent(event); }

#else

// A desktop event can stand for several console events (a hat moving from up
// to right releases up and presses right), so they wait in a small ring.
static SDL_Event pending[16];
static unsigned pending_head, pending_count;
static uint8_t hat_state;      // last SDL hat bits seen
static uint8_t axis_state[2];  // per stick axis: 0 centre, 1 negative, 2 positive

static void push_button(uint8_t type, int button) {
    if (pending_count == 16) return;  // cannot happen with the mappings below
    SDL_Event& e = pending[(pending_head + pending_count++) & 15];
    e = SDL_Event{};
    e.type = type;
    e.jbutton.type = type;
    e.jbutton.which = 0;
    e.jbutton.button = static_cast<uint8_t>(button);
    e.jbutton.state = type == SDL_JOYBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
}

static int key_button(SDLKey key) {
    switch (key) {
    case SDLK_UP: return JOY_UP;
    case SDLK_LEFT: return JOY_LEFT;
    case SDLK_DOWN: return JOY_DOWN;
    case SDLK_RIGHT: return JOY_RIGHT;
    case SDLK_SPACE:
    case SDLK_LCTRL:
    case SDLK_y: return JOY_Y;
    case SDLK_ESCAPE: return JOY_SELECT;
    default: return -1;
    }
}

static void hat_changed(uint8_t value) {
    static const struct {
        uint8_t bit;
        int button;
    } dirs[4] = {{SDL_HAT_UP, JOY_UP},
                 {SDL_HAT_LEFT, JOY_LEFT},
                 {SDL_HAT_DOWN, JOY_DOWN},
                 {SDL_HAT_RIGHT, JOY_RIGHT}};
    for (const auto& d : dirs) {
        bool was = hat_state & d.bit, now = value & d.bit;
        if (was != now) push_button(now ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP, d.button);
    }
    hat_state = value;
}

static void axis_changed(uint8_t axis, int16_t value) {
    if (axis > 1) return;
    const int dead_zone = 12000;
    uint8_t now = value < -dead_zone ? 1 : value > dead_zone ? 2 : 0;
    uint8_t was = axis_state[axis];
    if (now == was) return;
    const int negative = axis == 0 ? JOY_LEFT : JOY_UP;
    const int positive = axis == 0 ? JOY_RIGHT : JOY_DOWN;
    if (was) push_button(SDL_JOYBUTTONUP, was == 1 ? negative : positive);
    if (now) push_button(SDL_JOYBUTTONDOWN, now == 1 ? negative : positive);
    axis_state[axis] = now;
}

static void translate(const SDL_Event& e) {
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        int button = key_button(e.key.keysym.sym);
        if (button >= 0)
            push_button(e.type == SDL_KEYDOWN ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP, button);
        break;
    }
    case SDL_QUIT: push_button(SDL_JOYBUTTONDOWN, JOY_SELECT); break;
    case SDL_JOYHATMOTION:
        if (e.jhat.hat == 0) hat_changed(e.jhat.value);
        break;
    case SDL_JOYAXISMOTION: axis_changed(e.jaxis.axis, e.jaxis.value); break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        // A desktop pad numbers its buttons its own way: only the first
        // face button means something here, the action button.
        if (e.jbutton.button == 0) push_button(e.type, JOY_Y);
        break;
    default: break;
    }
}

int platform_poll_event(SDL_Event* event) {
    SDL_Event raw;
    while (pending_count == 0 && SDL_PollEvent(&raw)) translate(raw);
    if (pending_count == 0) return 0;
    *event = pending[pending_head];
    pending_head = (pending_head + 1) & 15;
    --pending_count;
    return 1;
}

#endif

void platform_leave(int exit_status) {
    static const char menu[] = "/usr/gp2x/gp2xmenu";
    if (access(menu, F_OK) != 0) {
        // A desktop: there is no menu to go back to.
        SDL_Quit();
        std::exit(exit_status);
    }
    if (chdir("/usr/gp2x") == 0) execl(menu, menu, static_cast<char*>(nullptr));
    std::fprintf(stderr, "Problem: cannot start %s\n", menu);
    std::_Exit(EXIT_FAILURE);
}
