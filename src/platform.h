// The only module that knows whether the game runs on the handheld or on a
// desktop. Everything else sees the handheld's world: joystick 0 button events
// with the console's numbers, and a menu program to return to.
#pragma once

#include <SDL.h>

// Like SDL_PollEvent, but on a desktop keyboard keys, the window's close
// button and a gamepad arrive as the console's joystick 0 button events.
int platform_poll_event(SDL_Event* event);

// Leaves the game for good: on the console the menu program replaces the
// process; where there is none the process ends with exit_status; where it
// exists but cannot be started, with a failure status.
[[noreturn]] void platform_leave(int exit_status);
