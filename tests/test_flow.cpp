// The game flow's bookkeeping with scripted attempts, and the level loop's
// ends.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "Ascelon.h"
#include "controls.h"
#include "gfx.h"
#include "panel.h"
#include "player.h"

namespace {

enum outcome { climbed, lost, select_pressed };

struct attempt {
    uint16_t mission, tower, lives;
    uint32_t score;
    int16_t clock[3];
};

std::vector<outcome> script;
size_t next_outcome;
std::vector<attempt> attempts;
std::vector<uint16_t> interlevels;  // tower just climbed

void scripted_tower(uint16_t mission, uint16_t tower) {
    attempts.push_back(
        {mission, tower, lives, get_score(), {time_level[0], time_level[1], time_level[2]}});
    flag_finish_level = 0;
    flag_player_dead = 0;
    if (exit_game) return;                    // the level loop ends before its first frame
    if (attempts.size() > 20) std::_Exit(3);  // the flow never stops
    inc_score(0x100);
    const outcome o = next_outcome < script.size() ? script[next_outcome++] : lost;
    if (o == climbed) flag_finish_level = 4;
    if (o == lost) flag_player_dead = 1;
    if (o == select_pressed) exit_game = 1;
}

void scripted_interlevel() {
    interlevels.push_back(lvl);
    inc_time(0x12);  // fish worth 12 units
}

class Flow : public testing::Test {
  protected:
    void SetUp() override {
        play_tower = scripted_tower;
        play_interlevel = scripted_interlevel;
        script.clear();
        next_outcome = 0;
        attempts.clear();
        interlevels.clear();
        exit_game = 0;
        nb_players = 0;
        num_mission = 0;
    }
    void TearDown() override {
        play_tower = game;
        play_interlevel = interlevel;
        exit_game = 0;
    }
};

}  // namespace

TEST_F(Flow, ThreeLostAttemptsRepeatTheTowerThenANewGameStartsClean) {
    script = {lost, lost, lost};
    play_game();
    ASSERT_EQ(attempts.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(attempts[i].tower, 0);
        EXPECT_EQ(attempts[i].lives, 3 - i);
        EXPECT_EQ(attempts[i].score, 0x100 * i) << "the score is kept between attempts";
    }
    EXPECT_EQ(lives, 0);
    EXPECT_TRUE(interlevels.empty());

    script = {climbed, lost, lost, lost};
    next_outcome = 0;
    attempts.clear();
    play_game();
    ASSERT_EQ(attempts.size(), 4u);
    EXPECT_EQ(attempts[0].score, 0u) << "a new game clears the score";
    EXPECT_EQ(attempts[0].lives, 3);
    EXPECT_EQ(attempts[1].tower, 1);
    EXPECT_EQ(attempts[1].lives, 3) << "a climbed tower costs no life";
}

TEST_F(Flow, ClimbingTheEighthTowerEndsTheGameWhateverTheLives) {
    script = std::vector<outcome>(8, climbed);
    play_game();
    ASSERT_EQ(attempts.size(), 8u);
    for (uint16_t t = 0; t < 8; ++t) {
        EXPECT_EQ(attempts[t].tower, t);
        EXPECT_EQ(attempts[t].mission, 0);
        EXPECT_EQ(attempts[t].score, 0x100u * t);
    }
    EXPECT_EQ(interlevels, (std::vector<uint16_t>{0, 1, 2, 3, 4, 5, 6}))
        << "an interlevel after every tower but the last";
    EXPECT_EQ(lives, 0);
}

TEST_F(Flow, EachTowerStartsWithItsAllowancePlusTheFishTime) {
    script = {climbed, lost, climbed, lost, lost, lost};
    play_game();
    ASSERT_EQ(attempts.size(), 5u);
    auto clock = [](const attempt& a) {
        return a.clock[0] / 8 * 100 + a.clock[1] / 8 * 10 + a.clock[2] / 8;
    };
    EXPECT_EQ(clock(attempts[0]), 400);
    EXPECT_EQ(clock(attempts[1]), 462) << "450 for tower 1 and 12 from the fish";
    EXPECT_EQ(clock(attempts[2]), 450) << "a repeated tower gets no fish time";
    EXPECT_EQ(clock(attempts[3]), 512);
    EXPECT_EQ(attempts[3].tower, 2);
    EXPECT_EQ(attempts[3].lives, 2);
}

TEST_F(Flow, SelectEndsTheGameAtOnceAndAfterAnInterlevelTheNextTowerEndsAtOnce) {
    script = {climbed, select_pressed};
    play_game();
    EXPECT_EQ(attempts.size(), 2u);
    EXPECT_EQ(lives, 3);

    // SELECT during an interlevel: the next tower's loop sees it first thing.
    SetUp();
    script = {climbed};
    play_interlevel = [] {
        interlevels.push_back(lvl);
        exit_game = 1;
    };
    play_game();
    ASSERT_EQ(attempts.size(), 2u);
    EXPECT_EQ(attempts[1].tower, 1);
    EXPECT_EQ(attempts[1].score, 0x100u) << "the second attempt played no frame";
}

TEST_F(Flow, SelectAfterThePresentationShutsDownWithoutAnotherGame) {
    script = {lost, select_pressed};
    EXPECT_EXIT(main_loop(), testing::ExitedWithCode(0), "");
}

TEST(LevelLoop, SelectBeforeTheFirstFrameEndsTheAttemptWithThePanelHidden) {
    exit_game = 1;
    flag_panel_displayed = 24;
    game(0, 0);
    EXPECT_EQ(flag_panel_displayed, 0);
    exit_game = 0;
}

TEST(LevelLoop, TheClockRunningOutEndsTheAttemptAfterTheFrameIsShown) {
    exit_game = 0;
    ctrl_player = 0;
    game_init(0, 0);
    set_time(0);
    inc_time(0x001);  // the clock at 001
    flag_decrement_time = 1;
    int frames = 0;
    while (game_frame(0)) ++frames;
    EXPECT_EQ(frames, 7) << "one unit lasts eight frames";
    EXPECT_EQ(flag_timeup, 1);
    EXPECT_EQ(flag_player_dead, 1);

    // A stopped clock never ends the attempt.
    game_init(0, 0);
    flag_player_dead = 0;
    set_time(0);
    flag_decrement_time = 0;
    for (int i = 0; i < 20; ++i) {
        flag_decrement_time = 0;
        ASSERT_TRUE(game_frame(0));
    }
}
