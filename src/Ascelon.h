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

// Where the loops take each frame's input and how they keep its pace. The
// game reads the console's buttons at the start of a frame and sleeps out
// the rest of its period after the flip; the tools feed scripted buttons,
// run unpaced (no pace) and look at every finished frame (frame_done).
extern uint32_t (*frame_input)();
extern void (*frame_pace)(uint32_t period_ms);
extern void (*frame_done)();

// The game flow's preparation of an attempt at a tower (its panel, its
// time allowance on the clock), then the tower's set-up.
void attempt_prepare(uint16_t tower);
void attempt_start(uint16_t mission, uint16_t tower);
void game_init(uint16_t mission, uint16_t tower);
extern uint16_t loop_tower;  // the tower whose pictures and sky the attempt uses

// One frame of each loop: everything from the frame's held controls to the
// clock's tick, with the drawing and the flip; false when the episode is
// over (SELECT, the attempt lost or the time up). The loops, the tools and
// the tests all play the game through these.
bool game_frame(uint32_t input);
void interlevel_init();
bool interlevel_frame(uint32_t input);
// The update part of a tower frame alone (lifts, creature, enemies, shot,
// contacts, the tidy-up once the creature is in the exit door), for tests of
// the rules that need no picture.
void game_update();

// The tower attempt and the interlevel as the game flow runs them. The
// simulator and the tests put scripted versions in their place.
extern void (*play_tower)(uint16_t mission, uint16_t tower);
extern void (*play_interlevel)();

// Everything a frame reads or writes, the pictures excepted: every
// module's globals, the live map, the moving objects, the lifts waiting to
// return, the clock, the score and the panel strip's pixels. A plain value:
// copy it freely. Restoring it and playing the same inputs again gives the
// same frames, picture for picture.
struct game_state;
void save_game_state(game_state& s);
void restore_game_state(const game_state& s);
