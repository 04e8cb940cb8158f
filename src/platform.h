// The only module that knows whether the game runs on the handheld or on a
// desktop. Everything else sees the handheld's world: joystick 0 button events
// with the console's numbers, and a menu program to return to.
#pragma once

#include <SDL.h>

// Called once after SDL_Init, before the video mode is set. On a desktop the
// window is prepared: three times the console's screen with sharp pixels
// (unless the player chose otherwise through sdl12-compat's own variables),
// the game's icon, and with no display to show it on the program ends with
// "Problem: ..." and a failure status. The console needs nothing.
void platform_init();

// Like SDL_PollEvent, but on a desktop keyboard keys and a gamepad arrive as
// the console's joystick 0 button events; F11 and Alt+Enter switch between
// window and full screen, and the window's close button ends the program.
int platform_poll_event(SDL_Event* event);

// Leaves the game for good: on the console the menu program replaces the
// process; where there is none the process ends with exit_status; where it
// exists but cannot be started, with a failure status.
[[noreturn]] void platform_leave(int exit_status);
