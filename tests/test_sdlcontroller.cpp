// Game controllers: the stick's step with its dead zone and acceleration,
// what each button stands for, and a virtual controller driven through real
// SDL events into the game's messages and pointer, plugged in and pulled out.
#include <gtest/gtest.h>

#include <SDL.h>

#include <cmath>
#include <vector>

#include "platform/backend.h"
#include "platform/platform.h"
#include "platform/sdl/sdlcontroller.h"
#include "platform/sdl/sdlinternal.h"
#include "platform/winmsg.h"

TEST(ControllerStick, RestsInItsDeadZoneAndCreepsJustOutsideIt) {
    for (i32 a : {0, 1000, -4000, PAD_DEADZONE}) {
        padmove m = sdlpad_stickstep(a, 0, 5000, 16);
        EXPECT_EQ(m.dx, 0) << a;
        EXPECT_EQ(m.dy, 0) << a;
    }
    // The zone is round: both axes just inside it together are still rest.
    i32 diag = (i32)(PAD_DEADZONE / std::sqrt(2.0)) - 10;
    EXPECT_EQ(sdlpad_stickstep(diag, diag, 5000, 16).dx, 0);
    padmove edge = sdlpad_stickstep(PAD_DEADZONE + 500, 0, 0, 16);
    padmove full = sdlpad_stickstep(32767, 0, 0, 16);
    EXPECT_GT(edge.dx, 0);
    EXPECT_LT(edge.dx, full.dx / 20) << "just past the zone the pointer creeps";
}

TEST(ControllerStick, SpeedGrowsWhileHeldAndFollowsTheStick) {
    padmove start = sdlpad_stickstep(32767, 0, 0, 1000);
    padmove later = sdlpad_stickstep(32767, 0, PAD_RAMPMS / 2, 1000);
    padmove top = sdlpad_stickstep(32767, 0, PAD_RAMPMS, 1000);
    EXPECT_NEAR(start.dx, PAD_STARTSPEED, 0.5);
    EXPECT_GT(later.dx, start.dx);
    EXPECT_NEAR(top.dx, PAD_TOPSPEED, 0.5);
    EXPECT_NEAR(sdlpad_stickstep(32767, 0, 10 * PAD_RAMPMS, 1000).dx, PAD_TOPSPEED, 0.5) << "no faster than the top";
    // The step is the time's share of the speed.
    EXPECT_NEAR(sdlpad_stickstep(32767, 0, 0, 16).dx, start.dx * 16 / 1000, 1e-9);
    // Up and left as the stick points: SDL's y grows downwards, as the screen's does.
    padmove upleft = sdlpad_stickstep(-23170, -23170, PAD_RAMPMS, 1000);
    EXPECT_LT(upleft.dx, 0);
    EXPECT_NEAR(upleft.dx, upleft.dy, 1e-9);
    EXPECT_NEAR(std::hypot(upleft.dx, upleft.dy), PAD_TOPSPEED * 0.99, PAD_TOPSPEED * 0.02);
}

TEST(ControllerButtons, AAndBAreTheMouseButtonsStartAndBackKeys) {
    EXPECT_EQ(sdlpad_button(SDL_CONTROLLER_BUTTON_A).action, PAD_LEFTBUTTON);
    EXPECT_EQ(sdlpad_button(SDL_CONTROLLER_BUTTON_B).action, PAD_RIGHTBUTTON);
    padbutton start = sdlpad_button(SDL_CONTROLLER_BUTTON_START);
    padbutton back = sdlpad_button(SDL_CONTROLLER_BUTTON_BACK);
    EXPECT_EQ(start.action, PAD_KEY);
    EXPECT_EQ(start.vk, (u32)VK_ESCAPE);
    EXPECT_EQ(back.action, PAD_KEY);
    EXPECT_EQ(back.vk, (u32)VK_GAMEPAD_VIEW_BUTTON);
    for (int b : {(int)SDL_CONTROLLER_BUTTON_X, (int)SDL_CONTROLLER_BUTTON_Y, (int)SDL_CONTROLLER_BUTTON_GUIDE, -1, 99})
        EXPECT_EQ(sdlpad_button(b).action, PAD_NONE) << b;
}

namespace {

struct virtualpad : ::testing::Test {
    SDL_Joystick* joy = nullptr;
    int index = -1;
    bool up = false;

    void SetUp() override {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS), 0) << SDL_GetError();
        up = true;
        platq_reset();
        sdlmouse_reset();
        sdlkeyboard_reset();
        sdlcontroller_open();
        plugin();
    }
    void TearDown() override {
        if (joy) SDL_JoystickClose(joy);
        if (index >= 0) SDL_JoystickDetachVirtual(index);
        sdlcontroller_close();
        if (up) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER | SDL_INIT_EVENTS);
        platq_reset();
    }
    void plugin() {
        SDL_VirtualJoystickDesc d;
        SDL_zero(d);
        d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
        d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
        d.naxes = SDL_CONTROLLER_AXIS_MAX;
        d.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
        d.name = "test pad";
        index = SDL_JoystickAttachVirtualEx(&d);
        ASSERT_GE(index, 0) << SDL_GetError();
        joy = SDL_JoystickOpen(index);
        ASSERT_NE(joy, nullptr) << SDL_GetError();
        pump();
    }
    // One pass of the backend's pump as far as controllers go.
    void pump() {
        SDL_JoystickUpdate();
        SDL_PumpEvents();
        SDL_Event e;
        while (SDL_PollEvent(&e)) sdlcontroller_event(e);
    }
    void button(SDL_GameControllerButton b, bool down) {
        SDL_JoystickSetVirtualButton(joy, b, down ? 1 : 0);
        pump();
    }
    void stick(i16 x, i16 y) {
        SDL_JoystickSetVirtualAxis(joy, SDL_CONTROLLER_AXIS_LEFTX, x);
        SDL_JoystickSetVirtualAxis(joy, SDL_CONTROLLER_AXIS_LEFTY, y);
        pump();
    }
    static std::vector<platmsg> taken() {
        std::vector<platmsg> v;
        platmsg m;
        while (plat_peekmessage(&m)) {
            plat_getmessage(&m);
            v.push_back(m);
        }
        return v;
    }
    static bool has(const std::vector<platmsg>& v, u32 message, u32 vk = 0) {
        for (const platmsg& m : v)
            if (m.message == message && (!vk || (m.wparam & 0xFF) == vk)) return true;
        return false;
    }
};

}  // namespace

TEST_F(virtualpad, ButtonsArriveAsTheMouseAndKeyboardSendThem) {
    ASSERT_EQ(sdlcontroller_count(), 1) << "the pad plugged in while running is opened";
    plat_setcursorpos(100, 200);
    button(SDL_CONTROLLER_BUTTON_A, true);
    std::vector<platmsg> v = taken();
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].message, (u32)WM_LBUTTONDOWN);
    EXPECT_EQ(v[0].lparam, makelparam(100, 200)) << "the click is where the game's pointer is";
    EXPECT_EQ(v[0].wparam & 1, 1u) << "MK_LBUTTON";
    button(SDL_CONTROLLER_BUTTON_A, false);
    EXPECT_TRUE(has(taken(), WM_LBUTTONUP));
    button(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_TRUE(has(taken(), WM_RBUTTONDOWN));
    button(SDL_CONTROLLER_BUTTON_B, false);
    EXPECT_TRUE(has(taken(), WM_RBUTTONUP));
    button(SDL_CONTROLLER_BUTTON_START, true);
    EXPECT_TRUE(has(taken(), WM_KEYDOWN, VK_ESCAPE));
    EXPECT_TRUE(plat_keyheld(VK_ESCAPE));
    button(SDL_CONTROLLER_BUTTON_START, false);
    EXPECT_TRUE(has(taken(), WM_KEYUP, VK_ESCAPE));
    EXPECT_FALSE(plat_keyheld(VK_ESCAPE));
    button(SDL_CONTROLLER_BUTTON_BACK, true);
    EXPECT_TRUE(has(taken(), WM_KEYDOWN, VK_GAMEPAD_VIEW_BUTTON));
    button(SDL_CONTROLLER_BUTTON_BACK, false);
    button(SDL_CONTROLLER_BUTTON_X, true);
    std::vector<platmsg> none = taken();
    EXPECT_FALSE(has(none, WM_KEYDOWN) || has(none, WM_LBUTTONDOWN) || has(none, WM_RBUTTONDOWN));
}

TEST_F(virtualpad, TheStickMovesThePointerFasterTheLongerItIsHeld) {
    plat_setcursorpos(320, 240);
    sdlcontroller_tick(1000);
    stick(32767, 0);
    sdlcontroller_tick(1016);
    i32 x = 0, y = 0;
    plat_getcursorpos(&x, &y);
    i32 first = x - 320;
    EXPECT_GT(first, 0);
    EXPECT_EQ(y, 240);
    std::vector<platmsg> v = taken();
    ASSERT_FALSE(v.empty());
    EXPECT_EQ(v.back().message, (u32)WM_MOUSEMOVE);
    EXPECT_EQ(v.back().lparam, makelparam(x, 240));
    // Held for a second (ticks every frame, as the pump runs), the same
    // frame's time covers more ground.
    for (u32 t = 1032; t <= 2000; t += 16) sdlcontroller_tick(t);
    plat_setcursorpos(100, 240);
    sdlcontroller_tick(2016);
    plat_getcursorpos(&x, &y);
    EXPECT_GT(x - 100, 3 * first);
    // Let go: the pointer stays, and a new push starts slow again.
    stick(0, 0);
    taken();
    sdlcontroller_tick(2032);
    i32 sx = 0, sy = 0;
    plat_getcursorpos(&sx, &sy);
    EXPECT_EQ(sx, x);
    EXPECT_TRUE(taken().empty());
    stick(0, -32767);
    sdlcontroller_tick(2048);
    sdlcontroller_tick(2064);
    plat_getcursorpos(&sx, &sy);
    EXPECT_EQ(sx, x);
    EXPECT_LT(sy, 240);
    EXPECT_LE(240 - sy, 2 * first + 2) << "two frames at the starting speed";
    // The pointer stops at the picture's edge.
    for (u32 t = 2080; t < 4000; t += 16) sdlcontroller_tick(t);
    plat_getcursorpos(&sx, &sy);
    EXPECT_EQ(sy, 0);
}

TEST_F(virtualpad, PullingThePadOutLetsGoOfWhatItHeld) {
    plat_setcursorpos(50, 60);
    button(SDL_CONTROLLER_BUTTON_A, true);
    button(SDL_CONTROLLER_BUTTON_START, true);
    taken();
    SDL_JoystickClose(joy);
    joy = nullptr;
    ASSERT_EQ(SDL_JoystickDetachVirtual(index), 0) << SDL_GetError();
    index = -1;
    pump();
    std::vector<platmsg> v = taken();
    EXPECT_TRUE(has(v, WM_LBUTTONUP));
    EXPECT_TRUE(has(v, WM_KEYUP, VK_ESCAPE));
    EXPECT_FALSE(plat_keyheld(VK_ESCAPE));
    EXPECT_EQ(sdlcontroller_count(), 0);
    // And plugged in again it works again.
    plugin();
    EXPECT_EQ(sdlcontroller_count(), 1);
    button(SDL_CONTROLLER_BUTTON_B, true);
    EXPECT_TRUE(has(taken(), WM_RBUTTONDOWN));
}
