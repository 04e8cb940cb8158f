#include "controls.h"

#include "platform.h"

uint32_t ctrl_player;
uint8_t exit_game;

// Console button number -> bit of ctrl_player. The stick's diagonals (1, 3,
// 5, 7) and every other button are not part of the game.
static uint32_t button_bit(int button) {
    switch (button) {
    case JOY_UP: return CTRL_UP;
    case JOY_LEFT: return CTRL_LEFT;
    case JOY_DOWN: return CTRL_DOWN;
    case JOY_RIGHT: return CTRL_RIGHT;
    case JOY_Y: return CTRL_FIRE;
    default: return 0;
    }
}

void process_key_down(int button) { ctrl_player |= button_bit(button); }

void process_key_up(int button) { ctrl_player &= ~button_bit(button); }

// Drains the event queue once per frame. A press and release between two
// frames leaves the bit clear, but SELECT is latched at the press itself so
// that it can never be missed.
void process_controls() {
    SDL_Event event;
    while (platform_poll_event(&event)) {
        if (event.type == SDL_JOYBUTTONDOWN) {
            if (event.jbutton.button == JOY_SELECT) exit_game = 1;
            process_key_down(event.jbutton.button);
        } else if (event.type == SDL_JOYBUTTONUP) {
            process_key_up(event.jbutton.button);
        }
    }
}
