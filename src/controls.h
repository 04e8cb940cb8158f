// The console's stick and buttons turned into the held-button word the game reads.
#pragma once

#include <cstdint>

// Bits of ctrl_player.
constexpr uint32_t CTRL_LEFT = 0x001;
constexpr uint32_t CTRL_RIGHT = 0x002;
constexpr uint32_t CTRL_UP = 0x004;
constexpr uint32_t CTRL_DOWN = 0x008;
constexpr uint32_t CTRL_FIRE = 0x100;

// The console's joystick button numbers.
constexpr int JOY_UP = 0;
constexpr int JOY_LEFT = 2;
constexpr int JOY_DOWN = 4;
constexpr int JOY_RIGHT = 6;
constexpr int JOY_START = 8;
constexpr int JOY_SELECT = 9;
constexpr int JOY_Y = 15;

extern uint32_t ctrl_player;  // one bit per held control
extern uint8_t exit_game;     // 1 once SELECT has been pressed

void process_controls();
void process_key_down(int button);
void process_key_up(int button);
