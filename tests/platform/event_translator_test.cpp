#include <gtest/gtest.h>

#include "platform/clock.h"
#include "platform/event_translator.h"
#include "support/sdl_test_support.h"

namespace {
using sdl_test::Only;

class EventTranslationTest : public sdl_test::WindowTest {
 protected:
  void SetUp() override {
    clock_.ticks = 5000000;  // not at zero, so that "stopped at 0" is never confused with "running"
    SetPlatformClock(&clock_);
    sdl_test::WindowTest::SetUp();
  }
  void TearDown() override {
    sdl_test::WindowTest::TearDown();
    SetPlatformClock(nullptr);
  }
  cManualClock clock_;
};

TEST_F(EventTranslationTest, KeyDownThenItsCharacterThenKeyUpWithTheirLParamBits) {
  Key(SDLK_a, true);
  Text("a");
  Key(SDLK_a, true, KMOD_NONE, true);  // auto-repeat
  Key(SDLK_a, false);
  std::vector<MSG> m = Only(Drain(), {WM_KEYDOWN, WM_KEYUP, WM_CHAR});
  ASSERT_EQ(m.size(), 4u);
  EXPECT_EQ(m[0].message, WM_KEYDOWN);
  EXPECT_EQ(m[0].wParam, static_cast<WPARAM>('A'));
  EXPECT_EQ(m[0].lParam & 0xFFFF, 1);
  EXPECT_EQ(m[0].lParam & KF_REPEAT_BIT, 0);
  EXPECT_EQ(m[1].message, WM_CHAR);
  EXPECT_EQ(m[1].wParam, static_cast<WPARAM>('a'));
  EXPECT_EQ(m[2].message, WM_KEYDOWN);
  EXPECT_NE(m[2].lParam & KF_REPEAT_BIT, 0) << "a repeated key was down before";
  EXPECT_EQ(m[3].message, WM_KEYUP);
  EXPECT_NE(m[3].lParam & KF_UP_BIT, 0);
  EXPECT_NE(m[3].lParam & KF_REPEAT_BIT, 0);
  EXPECT_EQ(GetKeyState('A'), 0);
}

TEST_F(EventTranslationTest, ControlCharactersThatTextInputNeverDeliversAreMadeFromKeys) {
  struct Case {
    SDL_Keycode key;
    uint16_t mod;
    WPARAM ch;
  } cases[] = {{SDLK_BACKSPACE, 0, 8}, {SDLK_TAB, 0, 9},        {SDLK_RETURN, 0, 13},
               {SDLK_ESCAPE, 0, 27},   {SDLK_c, KMOD_LCTRL, 3}, {SDLK_z, KMOD_LCTRL, 26}};
  for (const Case& c : cases) {
    Key(c.key, true, c.mod);
    Key(c.key, false, c.mod);
    std::vector<MSG> m = Only(Drain(), {WM_KEYDOWN, WM_CHAR, WM_KEYUP});
    ASSERT_EQ(m.size(), 3u) << "key " << c.key;
    EXPECT_EQ(m[0].message, WM_KEYDOWN);
    EXPECT_EQ(m[1].message, WM_CHAR);
    EXPECT_EQ(m[1].wParam, c.ch) << "key " << c.key;
    EXPECT_EQ(m[2].message, WM_KEYUP);
  }
  // Without Ctrl a letter gives no character of its own: text input does.
  Key(SDLK_c, true);
  EXPECT_TRUE(Only(Drain(), {WM_CHAR}).empty());
}

TEST_F(EventTranslationTest, CtrlCFromHeldControlKeyGivesCharacterThree) {
  Key(SDLK_LCTRL, true);
  Key(SDLK_c, true);  // no modifier in the event: the layer's own table knows Ctrl is down
  std::vector<MSG> m = Only(Drain(), {WM_KEYDOWN, WM_CHAR});
  ASSERT_EQ(m.size(), 3u);
  EXPECT_EQ(m[0].wParam, static_cast<WPARAM>(VK_CONTROL));
  EXPECT_EQ(m[1].wParam, static_cast<WPARAM>('C'));
  EXPECT_EQ(m[2].message, WM_CHAR);
  EXPECT_EQ(m[2].wParam, 3u);
  EXPECT_NE(GetKeyState(VK_CONTROL) & 0x8000, 0);
  EXPECT_NE(GetKeyState(VK_LCONTROL) & 0x8000, 0);
}

TEST_F(EventTranslationTest, AltCombinationsAreSystemKeysWithTheAltBit) {
  Key(SDLK_LALT, true);
  Key(SDLK_f, true);
  Key(SDLK_f, false);
  Key(SDLK_LALT, false);
  Key(SDLK_F10, true);
  std::vector<MSG> m = Drain();
  ASSERT_EQ(m.size(), 5u);
  EXPECT_EQ(m[0].message, WM_SYSKEYDOWN);
  EXPECT_EQ(m[0].wParam, static_cast<WPARAM>(VK_MENU));
  EXPECT_EQ(m[1].message, WM_SYSKEYDOWN);
  EXPECT_NE(m[1].lParam & KF_ALTDOWN_BIT, 0);
  EXPECT_EQ(m[2].message, WM_SYSKEYUP);
  EXPECT_EQ(m[3].message, WM_KEYUP) << "releasing Alt itself is a plain key up";
  EXPECT_EQ(m[4].message, WM_SYSKEYDOWN) << "F10 is a system key";
  EXPECT_EQ(m[4].lParam & KF_ALTDOWN_BIT, 0);
}

TEST_F(EventTranslationTest, SecondClickInTimeAndPlaceIsADoubleClickAndAThirdStartsOver) {
  // Events are stamped when they are translated: each click is taken in
  // at its own moment of the test clock.
  std::vector<MSG> m;
  auto take = [&] {
    for (const MSG& x : Drain()) m.push_back(x);
  };
  Button(SDL_BUTTON_LEFT, true, 50, 60);
  Button(SDL_BUTTON_LEFT, false, 50, 60);
  take();
  clock_.AdvanceMs(200);
  Button(SDL_BUTTON_LEFT, true, 51, 61);
  Button(SDL_BUTTON_LEFT, false, 51, 61);
  take();
  clock_.AdvanceMs(100);
  Button(SDL_BUTTON_LEFT, true, 51, 61);
  take();
  ASSERT_EQ(m.size(), 5u);
  EXPECT_EQ(m[0].message, WM_LBUTTONDOWN);
  EXPECT_EQ(m[0].wParam & MK_LBUTTON, MK_LBUTTON);
  EXPECT_EQ(SignedLoWord(static_cast<uintptr_t>(m[0].lParam)), 50);
  EXPECT_EQ(SignedHiWord(static_cast<uintptr_t>(m[0].lParam)), 60);
  EXPECT_EQ(m[1].message, WM_LBUTTONUP);
  EXPECT_EQ(m[1].wParam & MK_LBUTTON, 0u);
  EXPECT_EQ(m[2].message, WM_LBUTTONDBLCLK);
  EXPECT_EQ(m[3].message, WM_LBUTTONUP);
  EXPECT_EQ(m[4].message, WM_LBUTTONDOWN) << "a third click is a new first click";
}

TEST_F(EventTranslationTest, LateFarOrOtherButtonClicksAreNoDoubleClicks) {
  std::vector<MSG> m;
  auto take = [&] {
    for (const MSG& x : Only(Drain(), {WM_LBUTTONDOWN, WM_LBUTTONDBLCLK, WM_RBUTTONDOWN, WM_XBUTTONDOWN}))
      m.push_back(x);
  };
  Button(SDL_BUTTON_LEFT, true, 10, 10);
  take();
  clock_.AdvanceMs(600);
  Button(SDL_BUTTON_LEFT, true, 10, 10);  // too late
  take();
  clock_.AdvanceMs(50);
  Button(SDL_BUTTON_LEFT, true, 20, 10);  // too far
  take();
  clock_.AdvanceMs(50);
  Button(SDL_BUTTON_RIGHT, true, 20, 10);  // other button
  Button(SDL_BUTTON_X1, true, 20, 10);
  take();
  ASSERT_EQ(m.size(), 5u);
  EXPECT_EQ(m[0].message, WM_LBUTTONDOWN);
  EXPECT_EQ(m[1].message, WM_LBUTTONDOWN);
  EXPECT_EQ(m[2].message, WM_LBUTTONDOWN);
  EXPECT_EQ(m[3].message, WM_RBUTTONDOWN);
  EXPECT_EQ(m[3].wParam & (MK_LBUTTON | MK_RBUTTON), MK_LBUTTON | MK_RBUTTON);
  EXPECT_EQ(m[4].message, WM_XBUTTONDOWN);
  EXPECT_EQ(HiWord(m[4].wParam), 1);
  EXPECT_NE(m[4].wParam & MK_XBUTTON1, 0u);
}

TEST_F(EventTranslationTest, WheelStepsAre120InScreenCoordinates) {
  int wx = 0, wy = 0;
  SDL_GetWindowPosition(PlatformSdlWindow(hwnd), &wx, &wy);
  Wheel(1, 30, 40);
  Wheel(-2, 5, 6);
  std::vector<MSG> m = Only(Drain(), {WM_MOUSEWHEEL});
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(SignedHiWord(m[0].wParam), 120);
  EXPECT_EQ(SignedHiWord(m[1].wParam), -240);
  EXPECT_EQ(SignedLoWord(static_cast<uintptr_t>(m[0].lParam)), wx + 30);
  EXPECT_EQ(SignedHiWord(static_cast<uintptr_t>(m[0].lParam)), wy + 40);
  POINT p{SignedLoWord(static_cast<uintptr_t>(m[1].lParam)), SignedHiWord(static_cast<uintptr_t>(m[1].lParam))};
  ASSERT_TRUE(ScreenToClient(hwnd, &p));
  EXPECT_EQ(p.x, 5);
  EXPECT_EQ(p.y, 6);
}

TEST_F(EventTranslationTest, CloseGivesOneCloseThenTheQuit) {
  WindowEvent(SDL_WINDOWEVENT_CLOSE);
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  Push(quit);
  std::vector<MSG> m = Drain();
  std::vector<UINT> kinds;
  for (const MSG& x : m) kinds.push_back(x.message);
  EXPECT_EQ(kinds, (std::vector<UINT>{WM_CLOSE, WM_DESTROY, WM_QUIT}));
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(EventTranslationTest, FocusLossDeactivatesAndForgetsHeldKeys) {
  Key(SDLK_LSHIFT, true);
  WindowEvent(SDL_WINDOWEVENT_FOCUS_LOST);
  WindowEvent(SDL_WINDOWEVENT_FOCUS_GAINED);
  std::vector<MSG> m = Only(Drain(), {WM_ACTIVATEAPP});
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].wParam, 0u);
  EXPECT_EQ(m[1].wParam, 1u);
  EXPECT_EQ(GetKeyState(VK_SHIFT), 0);
}

// Input given while a box is up, pumped already or not, never reaches the
// window after it, a release included; a close does, and so does what was
// given before the box, in its order. A key held as the box came up is let
// go when it closes.
TEST_F(EventTranslationTest, InputGivenWhileABoxIsUpIsDroppedAndACloseKept) {
  static void (*during)();
  const struct {
    const char* row;
    void (*before)();
    void (*during)();
    std::vector<std::pair<UINT, WPARAM>> seen;  // W is pressed after the box
  } rows[] = {
      {"input during the box", [] {},
       [] {
         Button(SDL_BUTTON_LEFT, true, 50, 60), Button(SDL_BUTTON_LEFT, false, 50, 60);
         PeekMessage(nullptr, PM_NOREMOVE);  // translated into the window's queue already
         Wheel(2, 50, 60), Key(SDLK_q, true), Key(SDLK_q, false);
       },
       {{WM_KEYDOWN, 'W'}}},
      {"input before the box", [] { Key(SDLK_e, true), Text("e"), Key(SDLK_e, false); }, [] {},
       {{WM_KEYDOWN, 'E'}, {WM_CHAR, 'e'}, {WM_KEYUP, 'E'}, {WM_KEYDOWN, 'W'}}},
      {"held across the box", [] { Key(SDLK_LEFT, true), Key(SDLK_LCTRL, true); },
       [] { Key(SDLK_LEFT, false), Key(SDLK_LCTRL, false); },
       {{WM_KEYDOWN, VK_LEFT}, {WM_KEYDOWN, VK_CONTROL}, {WM_KEYUP, VK_CONTROL}, {WM_KEYUP, VK_LEFT},
        {WM_KEYDOWN, 'W'}}},
      {"closed during the box", [] {}, [] { Key(SDLK_q, true), WindowEvent(SDL_WINDOWEVENT_CLOSE); }, {{WM_CLOSE, 0}}},
  };  // the close last: it destroys the window
  for (const auto& r : rows) {
    SCOPED_TRACE(r.row);
    FlushMessageQueue();
    r.before();
    during = r.during;
    SetPlatformMessageBoxHandler(
        [](const std::wstring&, const std::wstring&, eMessageBoxIcon) { return during(), true; });
    EXPECT_TRUE(PlatformMessageBox(L"text", L"caption", eMessageBoxIcon::kNone));
    SetPlatformMessageBoxHandler(nullptr);
    Key(SDLK_w, true);
    std::vector<std::pair<UINT, WPARAM>> seen;
    for (const MSG& m : Only(Drain(), {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_MOUSEWHEEL, WM_KEYDOWN,
                                       WM_KEYUP, WM_CHAR, WM_CLOSE}))
      seen.push_back({m.message, m.wParam});
    EXPECT_EQ(seen, r.seen);
  }
}

TEST(VirtualKeys, SdlKeysMapToTheirCodes) {
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_q), 'Q');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_7), '7');
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F1), VK_F1);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F10), VK_F10);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_F24), VK_F24);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_0), VK_NUMPAD0);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_KP_9), VK_NUMPAD0 + 9);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_RALT), VK_MENU);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_PAGEDOWN), VK_NEXT);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_MINUS), VK_OEM_MINUS);
  EXPECT_EQ(VirtualKeyFromSdl(SDLK_UNKNOWN), 0);
}

}  // namespace
