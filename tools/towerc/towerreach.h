// A climbing check for the tower sources: replays the creature's own moves
// (walking, turning, hops, long jumps, falls, breaking and slippery steps,
// tunnel doors, lift rides) frame by frame on a copy of the tower and searches
// for a way from the submarine to the exit door. Enemies, the clock and the
// lifts' return are left out, and every decision starts from a tower whose
// breaking steps and lifts are as built, so a route found here is a strong
// hint, not a proof: the scripted routes played through the game are the proof.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "towerc.h"

// Bits of the held controls, as the game reads them.
constexpr uint16_t REACH_LEFT = 0x001, REACH_RIGHT = 0x002, REACH_UP = 0x004, REACH_DOWN = 0x008,
                   REACH_FIRE = 0x100;

struct ReachResult {
    bool exit_reached = false;
    int highest_row = 0;  // highest row the creature stood on
    int highest_column = 0;
    int positions = 0;             // standing positions reached
    std::vector<uint16_t> inputs;  // held controls, one word per frame, from the first free frame
};

// The search gives up after this many standing positions.
constexpr int REACH_MAX_POSITIONS = 400000;

ReachResult reach_exit(const TowerSource& tower);

// The inputs as runs: "R12 RF1 .30 U1" (L left, R right, U up, D down, F fire, . nothing).
std::string format_inputs(const std::vector<uint16_t>& inputs);

// The arrival from the submarine takes this many frames; the route's first
// input belongs to the frame after it (frames counted from 0).
constexpr uint32_t ARRIVAL_FRAMES = 70;

// The inputs as an input script for the headless runner: one "FRAME BUTTONS"
// line per change ("82 R+F", "-" for nothing), frames counted from the start
// of the attempt.
std::string format_script(const std::vector<uint16_t>& inputs, uint32_t first_frame);
