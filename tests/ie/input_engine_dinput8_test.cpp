// The DirectInput 8 engine on a plain Win32 window that records its button messages as the game's
// does, with input injected through SendInput and the cursor placed with SetCursorPos (under Wine,
// on an Xvfb of the test's own): a click shorter than a frame, presses and releases at their
// places, a held button, the cursor's mapping into the back buffer, keys, and a fatal error line.
#include "ie/input_engine_dinput8.h"

#include <gtest/gtest.h>

#define DIRECTINPUT_VERSION 0x0800
#include <windows.h>
#include <dinput.h>

#include <string>

#include "ie/button_messages_win32.h"
#include "tests/support/file_contents.h"
#include "tests/support/temporary_folder.h"
#include "tests/support/test_window_win32.h"

namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;

// `data` names the side button of an X button event.
void sendMouse(DWORD flags, DWORD data = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
  input.mi.mouseData = data;
  ASSERT_EQ(1u, SendInput(1, &input, sizeof(input)));
}

void sendKey(WORD scanCode, bool down) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wScan = scanCode;
  input.ki.dwFlags = KEYEVENTF_SCANCODE | (down ? 0 : KEYEVENTF_KEYUP);
  ASSERT_EQ(1u, SendInput(1, &input, sizeof(input)));
}

// Puts the cursor on a point of the window's client area.
void moveCursorTo(HWND window, int clientX, int clientY) {
  POINT point{clientX, clientY};
  ClientToScreen(window, &point);
  ASSERT_TRUE(SetCursorPos(point.x, point.y));
}

class InputEngineDInput8 : public ::testing::Test {
 protected:
  void SetUp() override {
    window = CreateTestWindow(640, 480, 100, 80, ie::RecordButtonMessage);
    ASSERT_NE(nullptr, window);
    PumpMessages();
  }

  void TearDown() override {
    // Nothing is left held for the next test.
    sendMouse(MOUSEEVENTF_LEFTUP);
    sendMouse(MOUSEEVENTF_RIGHTUP);
    DestroyTestWindow(window);
  }

  // One frame as the game thread makes it: window messages, then the sample.
  static void Frame(ie::InputEngineDInput8& input) {
    PumpMessages();
    input.Update();
  }

  HWND window = nullptr;
};

TEST_F(InputEngineDInput8, ClickShorterThanAFrameIsSeenOnceThenReleased) {
  ie::InputEngineDInput8 input(window);
  moveCursorTo(window, 300, 200);
  Frame(input);
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, false));

  // Pressed and released between two samples: polling the device state alone never sees it.
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  sendMouse(MOUSEEVENTF_LEFTUP);
  Frame(input);
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, true));
  Frame(input);
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, false));
  Frame(input);
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, false));
}

TEST_F(InputEngineDInput8, TwoClicksBetweenTwoFramesAreTwoPresses) {
  ie::InputEngineDInput8 input(window);
  moveCursorTo(window, 300, 200);
  Frame(input);
  for (int click = 0; click < 2; ++click) {
    sendMouse(MOUSEEVENTF_RIGHTDOWN);
    sendMouse(MOUSEEVENTF_RIGHTUP);
  }
  int presses = 0;
  for (int frame = 0; frame < 6; ++frame) {
    Frame(input);
    if (input.ButtonChanged(kRight, false, true)) ++presses;
  }
  EXPECT_EQ(2, presses);
}

// A drag begun while the game was slow to sample: the press shows where it was made, not where the
// cursor has got to, and so does the drop.
TEST_F(InputEngineDInput8, PressAndReleaseAreReportedWhereTheyWereMade) {
  ie::InputEngineDInput8 input(window);
  moveCursorTo(window, 100, 60);
  Frame(input);
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  moveCursorTo(window, 400, 300);
  Frame(input);
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, true));
  EXPECT_EQ(100, input.MouseX());
  EXPECT_EQ(60, input.MouseY());
  Frame(input);
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, true));
  EXPECT_EQ(400, input.MouseX());

  moveCursorTo(window, 200, 150);
  sendMouse(MOUSEEVENTF_LEFTUP);
  moveCursorTo(window, 500, 420);
  Frame(input);
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, false));
  EXPECT_EQ(200, input.MouseX());
  EXPECT_EQ(150, input.MouseY());
  Frame(input);
  EXPECT_EQ(500, input.MouseX());
}

// Held down inside the window, the mouse stays with it: the release outside is still recorded, at
// its place beyond the picture.
TEST_F(InputEngineDInput8, ReleaseOutsideTheWindowIsStillRecordedAtItsPlace) {
  ie::InputEngineDInput8 input(window);
  moveCursorTo(window, 320, 240);
  Frame(input);
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  Frame(input);
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, true));
  moveCursorTo(window, 700, 240);
  sendMouse(MOUSEEVENTF_LEFTUP);
  moveCursorTo(window, 320, 240);
  Frame(input);
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, false));
  EXPECT_EQ(700, input.MouseX());
  EXPECT_EQ(nullptr, GetCapture());
}

// Each button's messages go to its own number: 1 right, 2 middle, 3 the first side button.
TEST_F(InputEngineDInput8, EachButtonsClickIsSeenOnItsOwnNumberAtItsPlace) {
  const struct {
    int button;
    DWORD down, up, data;
  } cases[] = {
      {1, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 0},
      {2, MOUSEEVENTF_MIDDLEDOWN, MOUSEEVENTF_MIDDLEUP, 0},
      {3, MOUSEEVENTF_XDOWN, MOUSEEVENTF_XUP, XBUTTON1},
  };
  ie::InputEngineDInput8 input(window);
  for (const auto& each : cases) {
    moveCursorTo(window, 150, 90);
    Frame(input);
    sendMouse(each.down, each.data);
    sendMouse(each.up, each.data);
    moveCursorTo(window, 450, 330);
    Frame(input);
    for (int button = 0; button < 4; ++button) {
      EXPECT_EQ(button == each.button, input.ButtonChanged(button, false, true)) << each.button << " " << button;
    }
    EXPECT_EQ(150, input.MouseX()) << each.button;
    Frame(input);
    EXPECT_TRUE(input.ButtonChanged(each.button, true, false)) << each.button;
  }
}

TEST_F(InputEngineDInput8, HeldButtonIsPressedOnceHeldThenReleased) {
  ie::InputEngineDInput8 input(window);
  Frame(input);
  sendMouse(MOUSEEVENTF_LEFTDOWN);
  Frame(input);
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, true));
  Frame(input);
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, true));
  Frame(input);
  EXPECT_TRUE(input.ButtonDown(kLeft));
  EXPECT_FALSE(input.ButtonDown(kRight));
  sendMouse(MOUSEEVENTF_LEFTUP);
  Frame(input);
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, false));
}

TEST_F(InputEngineDInput8, CursorIsReadInBackBufferPixelsAndBeyondThemOutsideThePicture) {
  ie::InputEngineDInput8 input(window);
  moveCursorTo(window, 201, 99);
  Frame(input);
  EXPECT_EQ(201, input.MouseX());
  EXPECT_EQ(99, input.MouseY());
  // The game's logical pixel is half of it.
  EXPECT_EQ(100, input.MouseX() / 2);
  EXPECT_EQ(49, input.MouseY() / 2);

  moveCursorTo(window, -3, 479);
  Frame(input);
  EXPECT_EQ(-3, input.MouseX());
  EXPECT_EQ(479, input.MouseY());
}

TEST_F(InputEngineDInput8, LargerWindowMapsTheCursorThroughThePicturesFit) {
  // Client 1000 × 600: the picture is 800 × 600, centred with bars of 100 pixels left and right.
  HWND wide = CreateTestWindow(1000, 600, 0, 0, ie::RecordButtonMessage);
  PumpMessages();
  {
    ie::InputEngineDInput8 input(wide);
    moveCursorTo(wide, 100 + 250, 125);
    Frame(input);
    EXPECT_EQ(200, input.MouseX());
    EXPECT_EQ(100, input.MouseY());
    moveCursorTo(wide, 99, 0);
    Frame(input);
    EXPECT_EQ(-1, input.MouseX());
    EXPECT_EQ(0, input.MouseY());
  }
  DestroyTestWindow(wide);
}

TEST_F(InputEngineDInput8, KeysAreReadByDirectInputScanCode) {
  ie::InputEngineDInput8 input(window);
  Frame(input);
  EXPECT_FALSE(input.KeyDown(DIK_ESCAPE));
  sendKey(DIK_ESCAPE, true);
  Frame(input);
  EXPECT_TRUE(input.KeyChanged(DIK_ESCAPE, false, true));
  EXPECT_FALSE(input.KeyDown(DIK_A));
  sendKey(DIK_ESCAPE, false);
  Frame(input);
  EXPECT_TRUE(input.KeyChanged(DIK_ESCAPE, true, false));
}

using InputEngineDInput8DeathTest = InputEngineDInput8;

// DirectInput cooperates only with a top-level window: the game's window handed over wrongly (a
// child window) ends the program with the engine's line, the log's only one. The log is a Windows
// text file: its lines end in CR LF.
TEST_F(InputEngineDInput8DeathTest, ChildWindowEndsTheProgramWithTheCooperativeLevelLine) {
  const std::string folder = TestFolder();
  EXPECT_EXIT(
      {
        HWND child = CreateWindowA("STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        SetCurrentDirectoryA(folder.c_str());
        ie::InputEngineDInput8 input(child);
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_EQ("IE.error: Cannot set cooperative level for mouse\r\n", ReadFileText(folder + "Log.log"));
}

}  // namespace
