// The random-play soak: the towers of both missions in turn, every fourth
// attempt followed by an interlevel, with seeded random buttons, until a number of
// frames has been played. A crash, a sanitizer report or an attempt that
// hangs ends the process after printing the ascelon-sim command that
// replays that attempt alone.
#pragma once

#include <cstdint>
#include <cstdio>

// Plays `frames` frames in all (tower and interlevel frames together);
// progress and the summary go to log (may be null). Gives the frames played.
uint64_t soak_run(uint64_t frames, uint64_t seed, std::FILE* log);
