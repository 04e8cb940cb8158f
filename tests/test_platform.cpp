// What each build turns into the console's buttons: on the console its own
// joystick buttons; on a desktop the keyboard, a gamepad and the window.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "controls.h"
#include "platform.h"

class Platform : public testing::Test {
  protected:
    void SetUp() override {
        SDL_Event e;
        while (SDL_PollEvent(&e)) {
        }
        process_controls();
        ctrl_player = 0;
        exit_game = 0;
    }
    void TearDown() override {
        // Whatever a test left held on the desktop's controls is let go.
        for (SDLKey k : {SDLK_UP, SDLK_LEFT, SDLK_DOWN, SDLK_RIGHT, SDLK_SPACE, SDLK_LCTRL, SDLK_y,
                         SDLK_ESCAPE})
            key(k, false);
        for (int b = 0; b < 16; ++b) pad_button(b, false);
        hat(SDL_HAT_CENTERED);
        axis(0, 0);
        axis(1, 0);
        process_controls();
        ctrl_player = 0;
        exit_game = 0;
    }
    static void key(SDLKey sym, bool down, SDLMod mod = KMOD_NONE) {
        SDL_Event e{};
        e.type = down ? SDL_KEYDOWN : SDL_KEYUP;
        e.key.type = e.type;
        e.key.state = down ? SDL_PRESSED : SDL_RELEASED;
        e.key.keysym.sym = sym;
        e.key.keysym.mod = mod;
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
    static void close_window() {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
    }
};

#ifdef ASCELON_GP2X

TEST_F(Platform, TheConsolesButtonsArriveAsTheyAre) {
    pad_button(JOY_RIGHT, true);
    pad_button(JOY_Y, true);
    pad_button(JOY_START, true);
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_RIGHT | CTRL_FIRE);
    pad_button(JOY_Y, false);
    pad_button(JOY_SELECT, true);
    pad_button(JOY_SELECT, false);
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_RIGHT);
    EXPECT_EQ(exit_game, 1) << "SELECT is latched at the press";
    pad_button(JOY_RIGHT, false);
    process_controls();
}

TEST_F(Platform, TheConsoleHasNoKeyboardWindowOrHat) {
    key(SDLK_LEFT, true);
    key(SDLK_ESCAPE, true);
    hat(SDL_HAT_UP);
    close_window();
    process_controls();
    EXPECT_EQ(ctrl_player, 0u);
    EXPECT_EQ(exit_game, 0);
    platform_init();  // nothing to prepare: the program goes on
    EXPECT_EQ(std::getenv("SDL12COMPAT_WINDOW_SCALING"), nullptr);
}

#else

TEST_F(Platform, KeysArriveAsTheConsolesButtons) {
    key(SDLK_LEFT, true);
    key(SDLK_UP, true);
    key(SDLK_LCTRL, true);
    key(SDLK_a, true);  // not a game key
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_LEFT | CTRL_UP | CTRL_FIRE);
    key(SDLK_LEFT, false);
    key(SDLK_RIGHT, true);
    key(SDLK_DOWN, true);
    key(SDLK_SPACE, true);
    key(SDLK_LCTRL, false);  // Space still holds the action button
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_UP | CTRL_RIGHT | CTRL_DOWN | CTRL_FIRE);
    key(SDLK_SPACE, false);
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_UP | CTRL_RIGHT | CTRL_DOWN);
    EXPECT_EQ(exit_game, 0);
}

TEST_F(Platform, APressReleasedBetweenFramesIsNotSeenButEscapeIsNeverLost) {
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

TEST_F(Platform, ClosingTheWindowEndsTheProgramAtOnce) {
    // Even where SELECT would be ignored: the program ends inside the poll.
    EXPECT_EXIT(
        {
            close_window();
            process_controls();
            std::exit(3);
        },
        testing::ExitedWithCode(0), "");
}

TEST_F(Platform, AGamepadsHatStickDpadButtonsAndFirstButtonDriveTheSameBits) {
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

    // A d-pad reported as buttons 11 to 14: left, right, up, down.
    const struct {
        int pad;
        uint32_t bit;
    } dpad[] = {{11, CTRL_LEFT}, {12, CTRL_RIGHT}, {13, CTRL_UP}, {14, CTRL_DOWN}};
    for (const auto& d : dpad) {
        pad_button(d.pad, true);
        process_controls();
        EXPECT_EQ(ctrl_player, d.bit) << d.pad;
        pad_button(d.pad, false);
        process_controls();
        EXPECT_EQ(ctrl_player, 0u) << d.pad;
    }

    pad_button(0, true);
    pad_button(3, true);  // other pad buttons mean nothing
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_FIRE);
    pad_button(0, false);
    process_controls();
    EXPECT_EQ(ctrl_player, 0u);
    EXPECT_EQ(exit_game, 0);
}

TEST_F(Platform, ReleasingOneControlKeepsTheSameDirectionHeldOnAnother) {
    key(SDLK_RIGHT, true);
    hat(SDL_HAT_RIGHT);
    axis(0, 30000);
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_RIGHT);
    hat(SDL_HAT_CENTERED);
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_RIGHT) << "the keyboard and the stick still hold right";
    key(SDLK_RIGHT, false);
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_RIGHT) << "the stick still holds right";
    axis(0, 0);
    process_controls();
    EXPECT_EQ(ctrl_player, 0u);

    pad_button(0, true);
    key(SDLK_SPACE, true);
    pad_button(0, false);
    process_controls();
    EXPECT_EQ(ctrl_player, CTRL_FIRE) << "Space still holds the action button";
}

TEST_F(Platform, BackAndStartHeldTogetherQuitLikeSelect) {
    pad_button(6, true);  // Back alone
    process_controls();
    pad_button(6, false);
    pad_button(7, true);  // Start alone
    process_controls();
    EXPECT_EQ(exit_game, 0);
    EXPECT_EQ(ctrl_player, 0u);
    pad_button(6, true);  // Start still held
    process_controls();
    EXPECT_EQ(exit_game, 1);
    EXPECT_EQ(ctrl_player, 0u) << "quitting holds no game control";
}

TEST_F(Platform, F11AndAltEnterSwitchFullScreenAndHoldNoButton) {
    SDL_Surface* screen = SDL_GetVideoSurface();
    ASSERT_NE(screen, nullptr);
    const Uint32 windowed = screen->flags & SDL_FULLSCREEN;
    key(SDLK_F11, true);
    key(SDLK_F11, false);
    process_controls();
    EXPECT_NE(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN, windowed);
    key(SDLK_RETURN, true, KMOD_LALT);
    key(SDLK_RETURN, false, KMOD_LALT);
    process_controls();
    EXPECT_EQ(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN, windowed);
    key(SDLK_RETURN, true);  // Enter alone does nothing
    process_controls();
    EXPECT_EQ(SDL_GetVideoSurface()->flags & SDL_FULLSCREEN, windowed);
    EXPECT_EQ(SDL_GetVideoSurface(), screen) << "the game keeps drawing to the same screen";
    EXPECT_EQ(ctrl_player, 0u);
    EXPECT_EQ(exit_game, 0);
}

TEST(PlatformInit, WindowDefaultsLeaveThePlayersChoiceAndNoDisplayIsAProblem) {
    unsetenv("SDL12COMPAT_WINDOW_SCALING");
    setenv("SDL12COMPAT_SCALE_METHOD", "linear", 1);
    platform_init();  // the dummy driver was asked for: a headless run goes on
    EXPECT_STREQ(std::getenv("SDL12COMPAT_WINDOW_SCALING"), "3");
    EXPECT_STREQ(std::getenv("SDL12COMPAT_SCALE_METHOD"), "linear");
    unsetenv("SDL12COMPAT_SCALE_METHOD");

    // Without a request, a driver that shows nothing means there is no display.
    EXPECT_EXIT(
        {
            unsetenv("SDL_VIDEODRIVER");
            platform_init();
        },
        testing::ExitedWithCode(EXIT_FAILURE), "^Problem: no display");
}

#endif
