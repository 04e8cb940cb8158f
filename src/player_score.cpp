#include <cstring>

#include "Ascelon.h"
#include "player_internal.h"

uint8_t score[8];
uint16_t bonus_tech;
uint16_t bonus_extra;

void reset_score() { std::memset(score, 0, sizeof score); }

uint32_t get_score() {
    uint32_t packed = 0;
    for (int i = 0; i < 8; ++i) packed = packed << 4 | (score[i] & 15);
    return packed;
}

void set_score(uint32_t packed) {
    for (int i = 0; i < 8; ++i) score[i] = static_cast<uint8_t>((packed >> (4 * (7 - i))) & 15);
}

// Adds a packed decimal amount, units first; a carry reaches the next digit
// before that digit's own nibble is added. Every 5000 points give a life,
// seen as the thousands digit passing 4 -> 5 or 9 -> 0 (amounts are all
// below 1000). Eight digits hold 99,999,999 at most: a carry past the top
// digit leaves the score there instead of wrapping it to zero.
void inc_score(int16_t amount) {
    const uint8_t thousands = score[4];
    const int32_t a = amount;
    for (int i = 0; i < 8; ++i) {
        const int d = 7 - i;
        score[d] = static_cast<uint8_t>(score[d] + ((a >> (4 * i)) & 15));
        if (score[d] > 9) {
            if (d == 0) {
                std::memset(score, 9, sizeof score);
                return;
            }
            ++score[d - 1];
            score[d] = static_cast<uint8_t>(score[d] - 10);
        }
    }
    if ((thousands == 4 && score[4] == 5) || (thousands == 9 && score[4] == 0)) {
        ++lives;
        if (lives > 8) lives = 8;
    }
}

void inc_bonus_extra(int16_t n) { bonus_extra = static_cast<uint16_t>(bonus_extra + n); }

void dec_bonus_tech(int16_t n) {
    bonus_tech = static_cast<uint16_t>(bonus_tech - n);
    if (static_cast<int16_t>(bonus_tech) < 0) bonus_tech = 0;
}

void init_bonus() {
    bonus_tech = 100;
    bonus_extra = 0;
}

// One climbing unit paid per frame at most: a quick rise is paid over the
// following frames, and no height is paid twice in a tower.
void calc_bonus_climb() {
    if (player_map_y > static_cast<int16_t>(top_climb)) {
        ++top_climb;
        inc_score(0x10);
    }
}
