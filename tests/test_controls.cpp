// The button table, SELECT, and the desktop's keys and pad arriving as the
// console's buttons.
#include <SDL.h>
#include <gtest/gtest.h>

#include "controls.h"

class Controls : public testing::Test {
  protected:
    void SetUp() override {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
        }
        process_controls();
        ctrl_player = 0;
        exit_game = 0;
    }
    static void key(SDLKey sym, bool down) {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.type = e.type;
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = sym;
        SDL_PushEvent(&e);
    }
    static void pad_button(int button, bool down) {
        SDL_Event e{};
        e.type = down ? SDL_JOYBUTTONDOWN : SDL_JOYBUTTONUP;
        e.jbutton.type = e.type;
        e.jbutton.button = static_cast<Uint8>(button);
        e.jbutton.state = down ? SDL_PRESSED : SDL_RELEASED;
        SDL_PushEvent(&e);
    }
    static void hat(Uint8 value) {
        SDL_Event e{};
        e.type = SDL_JOYHATMOTION;
        e.jhat.type = e.type;
        e.jhat.value = value;
        SDL_PushEvent(&e);
    }
    static void axis(Uint8 which_axis, Sint16 value) {
        SDL_Event e{};
        e.type = SDL_JOYAXISMOTION;
        e.jaxis.type = e.type;
        e.jaxis.axis = which_axis;
        e.jaxis.value = value;
        SDL_PushEvent(&e);
    }
};

TEST_F(Controls, ButtonTable) {
    const struct {
        int button;
        uint32_t bit;
    } table[] = {{0, CTRL_UP}, {2, CTRL_LEFT}, {4, CTRL_DOWN}, {6, CTRL_RIGHT}, {15, CTRL_FIRE}};
    for (const auto& row : table) {
        process_key_down(row.button);
        EXPECT_EQ(ctrl_player, row.bit) << row.button;
        process_key_up(row.button);
        EXPECT_EQ(ctrl_player, 0u) << row.button;
    }
    // Diagonals, START, SELECT and the other buttons hold nothing.
    for (int button : {1, 3, 5, 7, 8, 9, 10, 11, 12, 13, 14, 16, 18}) process_key_down(button);
    EXPECT_EQ(ctrl_player, 0u);
    process_key_down(JOY_LEFT);
    process_key_down(JOY_RIGHT);
    EXPECT_EQ(ctrl_player, CTRL_LEFT | CTRL_RIGHT) << "both held: the player logic decides";
    process_key_up(JOY_UP);  // a release never seen pressed
    EXPECT_EQ(ctrl_player, CTRL_LEFT | CTRL_RIGHT);
}

TEST_F(Controls, KeysArriveAsTheConsolesButtons) {
    key(SDLK_LEFT, true);
    key(SDLK_UP, true);
    key(SDLK_LCTRL, true);
    key(SDLK_a, true);  // not a game key
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_LEFT | CTRL_UP | CTRL_FIRE);
    key(SDLK_LEFT, false);
    key(SDLK_LCTRL, false);
    key(SDLK_RIGHT, true);
    key(SDLK_DOWN, true);
    key(SDLK_SPACE, true);
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_UP | CTRL_RIGHT | CTRL_DOWN | CTRL_FIRE);
    EXPECT_EQ(exit_game, 0);
}

TEST_F(Controls, APressReleasedBetweenFramesIsNotSeenButSelectIsNeverLost) {
    key(SDLK_y, true);
    key(SDLK_y, false);
    process_controls();
    EXPECT_EQ(ctrl_player, 0u);
    key(SDLK_ESCAPE, true);
    key(SDLK_ESCAPE, false);
    process_controls();
    EXPECT_EQ(exit_game, 1);
    key(SDLK_LEFT, true);
    process_controls();
    EXPECT_EQ(exit_game, 1) << "SELECT stays latched";
}

TEST_F(Controls, ClosingTheWindowIsSelect) {
    SDL_Event quit{};
    quit.type = SDL_QUIT;
    SDL_PushEvent(&quit);
    process_controls();
    EXPECT_EQ(exit_game, 1);
}

TEST_F(Controls, AGamepadsHatStickAndFirstButtonDriveTheSameBits) {
    hat(SDL_HAT_UP);
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_UP);
    hat(SDL_HAT_RIGHTDOWN);  // up released, right and down pressed
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_RIGHT | CTRL_DOWN);
    hat(SDL_HAT_CENTERED);
    process_controls();
    EXPECT_EQ(ctrl_player, 0u);

    axis(0, -30000);
    axis(1, 500);  // inside the dead zone
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_LEFT);
    axis(0, 30000);  // straight across: left released, right pressed
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_RIGHT);
    axis(0, 0);
    process_controls();
    EXPECT_EQ(ctrl_player, 0u);

    pad_button(0, true);
    pad_button(3, true);  // other pad buttons mean nothing
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_FIRE);
    pad_button(0, false);
    process_controls();
    EXPECT_EQ(ctrl_player, 0u);
    EXPECT_EQ(exit_game, 0);
}
