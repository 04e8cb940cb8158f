#include "platform.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "controls.h"

#ifdef ASCELON_GP2X

// The console has one screen, and its buttons already are joystick 0's.
void platform_init() {}

int platform_poll_event(SDL_Event* event) { return SDL_PollEvent(event); }

#else

#include "platform_icon.h"

void platform_init() {
    // sdl12-compat's own settings, unless the player has set them: a window
    // three times the console's screen, its pixels kept square and sharp.
    setenv("SDL12COMPAT_WINDOW_SCALING", "3", 0);
    setenv("SDL12COMPAT_SCALE_METHOD", "nearest", 0);

    // Without a display SDL quietly falls back on a driver that shows
    // nothing, and the game would run unseen until killed. A driver the
    // player named on purpose (dummy, for a headless run) is respected.
    char driver[32] = "";
    const bool chosen = std::getenv("SDL_VIDEODRIVER") != nullptr;
    if (!chosen && (!SDL_VideoDriverName(driver, sizeof driver) ||
                    std::strcmp(driver, "offscreen") == 0 || std::strcmp(driver, "dummy") == 0)) {
        std::fprintf(stderr, "Problem: %s\n",
                     "no display to open the game's window on (is DISPLAY set?)");
        platform_leave(EXIT_FAILURE);
    }
    platform_set_icon();
}

// Each control of the keyboard and the pad stands for a console button. A
// console button is held while any control standing for it is held, so that
// letting go of the hat does not cancel Right still held on the keyboard.
static const struct {
    SDLKey key;
    int button;
} keys[] = {{SDLK_UP, JOY_UP},       {SDLK_LEFT, JOY_LEFT},    {SDLK_DOWN, JOY_DOWN},
            {SDLK_RIGHT, JOY_RIGHT}, {SDLK_SPACE, JOY_Y},      {SDLK_LCTRL, JOY_Y},
            {SDLK_y, JOY_Y},         {SDLK_ESCAPE, JOY_SELECT}};
constexpr int KEY_COUNT = sizeof keys / sizeof keys[0];

// A desktop pad numbers its buttons its own way. SDL numbers a Linux pad's
// buttons in the order of the kernel's codes: on an Xbox-style pad 0 is the
// first face button (A), 6 Back and 7 Start, and a d-pad that the driver
// reports as buttons comes after the eleven others, as left, right, up, down.
static const struct {
    int pad;
    int button;
} pad_buttons[] = {{0, JOY_Y}, {11, JOY_LEFT}, {12, JOY_RIGHT}, {13, JOY_UP}, {14, JOY_DOWN}};
// Back and Start held together quit, like SELECT: one alone is too easily
// hit, and on other pads the same numbers may be shoulder buttons.
constexpr uint32_t PAD_QUIT = 1u << 6 | 1u << 7;

static uint16_t keys_down;     // bit i: keys[i] is held
static uint32_t pad_down;      // bit n: pad button n (below 32) is held
static uint8_t hat_state;      // last SDL hat bits seen
static uint8_t axis_state[2];  // per stick axis: 0 centre, 1 negative, 2 positive
static uint32_t buttons_held;  // console buttons last reported held, bit per number

// A desktop event can stand for several console events (a hat moving from up
// to right releases up and presses right), so they wait in a small ring.
// One desktop event changes at most the six buttons the game knows.
static SDL_Event pending[16];
static unsigned pending_head, pending_count;

static void push_button(uint8_t type, int button) {
    if (pending_count == 16) return;  // cannot happen: see above
    SDL_Event& e = pending[(pending_head + pending_count++) & 15];
    e = SDL_Event{};
    e.type = type;
    e.jbutton.type = type;
    e.jbutton.which = 0;
    e.jbutton.button = static_cast<uint8_t>(button);
    e.jbutton.state = type == SDL_JOYBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
}

static uint32_t bit(int button) { return 1u << button; }

static uint32_t held_now() {
    uint32_t held = 0;
    for (int i = 0; i < KEY_COUNT; ++i)
        if (keys_down >> i & 1) held |= bit(keys[i].button);
    for (const auto& p : pad_buttons)
        if (pad_down >> p.pad & 1) held |= bit(p.button);
    if ((pad_down & PAD_QUIT) == PAD_QUIT) held |= bit(JOY_SELECT);
    if (hat_state & SDL_HAT_UP) held |= bit(JOY_UP);
    if (hat_state & SDL_HAT_LEFT) held |= bit(JOY_LEFT);
    if (hat_state & SDL_HAT_DOWN) held |= bit(JOY_DOWN);
    if (hat_state & SDL_HAT_RIGHT) held |= bit(JOY_RIGHT);
    if (axis_state[0]) held |= bit(axis_state[0] == 1 ? JOY_LEFT : JOY_RIGHT);
    if (axis_state[1]) held |= bit(axis_state[1] == 1 ? JOY_UP : JOY_DOWN);
    return held;
}

static void report_changes() {
    const uint32_t now = held_now(), changed = now ^ buttons_held;
    for (int b = 0; b < 32; ++b)
        if (changed >> b & 1) push_button(now >> b & 1 ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP, b);
    buttons_held = now;
}

static void key_changed(const SDL_KeyboardEvent& k) {
    const bool down = k.type == SDL_KEYDOWN;
    const bool alt_enter = k.keysym.sym == SDLK_RETURN && (k.keysym.mod & KMOD_ALT);
    if (down && (k.keysym.sym == SDLK_F11 || alt_enter)) {
        // sdl12-compat keeps the picture in proportion and, with the
        // nearest scaling set above, sharp.
        if (SDL_Surface* screen = SDL_GetVideoSurface()) SDL_WM_ToggleFullScreen(screen);
        return;
    }
    for (int i = 0; i < KEY_COUNT; ++i) {
        if (keys[i].key != k.keysym.sym) continue;
        if (down)
            keys_down |= static_cast<uint16_t>(1u << i);
        else
            keys_down &= static_cast<uint16_t>(~(1u << i));
    }
}

static uint8_t axis_zone(int16_t value) {
    const int dead_zone = 12000;
    return value < -dead_zone ? 1 : value > dead_zone ? 2 : 0;
}

static void translate(const SDL_Event& e) {
    switch (e.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP: key_changed(e.key); break;
    case SDL_QUIT:
        // The desktop asks the program to end: at once, whatever it shows
        // (SELECT, which Escape stands for, is ignored on the title pages).
        platform_leave(EXIT_SUCCESS);
    case SDL_JOYHATMOTION:
        if (e.jhat.hat == 0) hat_state = e.jhat.value;
        break;
    case SDL_JOYAXISMOTION:
        if (e.jaxis.axis < 2) axis_state[e.jaxis.axis] = axis_zone(e.jaxis.value);
        break;
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP:
        if (e.jbutton.button < 32) {
            if (e.type == SDL_JOYBUTTONDOWN)
                pad_down |= 1u << e.jbutton.button;
            else
                pad_down &= ~(1u << e.jbutton.button);
        }
        break;
    default: return;
    }
    report_changes();
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
