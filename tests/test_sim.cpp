// The simulator's own inputs: script frame numbers and the soak's random play.
#include <gtest/gtest.h>

#include <set>

#include "controls.h"
#include "sim.h"

TEST(SimScript, FrameNumbersMustFitThirtyTwoBits) {
    input_script s;
    std::string error;
    EXPECT_TRUE(parse_input_script("0 R\n4294967295 L\n", s, error)) << error;
    EXPECT_EQ(s.changes.back().first, 4294967295u);
    for (const char* text : {"4294967296 R\n", "-1 R\n", "+3 R\n", "99999999999999999999999 R\n"}) {
        EXPECT_FALSE(parse_input_script(text, s, error)) << text;
        EXPECT_NE(error.find("bad frame number"), std::string::npos) << error;
    }
}

// The soak's buttons: the same seed plays the same buttons, and in a few
// hundred changes every control is held, and the opposite ones together.
TEST(SimRandomPlay, SeededAndReachingEveryCombination) {
    random_buttons a(42), b(42), c(43);
    std::set<uint32_t> seen;
    bool differs = false;
    uint32_t changes = 0, last = ~0u;
    for (uint32_t f = 0; f < 20000; ++f) {
        const uint32_t bits = random_buttons_at(f, &a);
        EXPECT_EQ(bits, random_buttons_at(f, &b));
        differs |= bits != random_buttons_at(f, &c);
        EXPECT_EQ(bits & ~(CTRL_LEFT | CTRL_RIGHT | CTRL_UP | CTRL_DOWN | CTRL_FIRE), 0u);
        if (bits != last) ++changes;
        last = bits;
        seen.insert(bits);
    }
    EXPECT_TRUE(differs);
    EXPECT_EQ(seen.size(), 32u) << "every set of the five controls";
    EXPECT_GT(changes, 20000u / 32);
}
