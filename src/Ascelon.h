// Start-up, the endless flow of games and attempts, and the two real-time
// loops: a tower attempt (40 ms frames) and the interlevel (20 ms frames).
#pragma once

#include <cstdint>

extern uint16_t nb_players;      // players minus one; always 0
extern uint16_t num_mission;     // mission of the next game; always 0
extern uint16_t current_player;  // whose turn it is
extern uint16_t lives;           // lives of the current player
extern uint16_t lvl;             // tower within the mission, 0..7
extern uint32_t tp_score[2];     // saved packed score per player
extern uint16_t tp_lives[2];     // saved lives per player
extern uint16_t tp_lvl[2];       // saved tower per player
extern uint16_t flag_timeup;     // the last attempt ended because the clock ran out

// The body of main: never returns.
[[noreturn]] int ascelon_main();
// Games one after another until SELECT: never returns.
[[noreturn]] void main_loop();
// One whole game: returns when the lives are spent or SELECT was pressed.
void play_game();
// Leaves for the console's menu program; off the console the process ends
// with exit_status.
[[noreturn]] void Shutdown(int exit_status = 0);

void game(uint16_t mission, uint16_t tower);
void interlevel();
void black_screen();

// The loops' frames without their pacing, shared by the loops and by the
// tools that run the game unpaced. game_frame runs everything up to the
// flip, game_frame_end what follows the frame's wait; each gives false when
// the attempt is over.
void game_init(uint16_t mission, uint16_t tower);
bool game_frame();
bool game_frame_end();
void interlevel_init();
bool interlevel_frame();

// The tower attempt and the interlevel as the game flow runs them. The
// simulator and the tests put scripted versions in their place.
extern void (*play_tower)(uint16_t mission, uint16_t tower);
extern void (*play_interlevel)();
