// The DirectInput 8 engine on a plain Win32 window, with input injected through SendInput and the
// cursor placed with SetCursorPos (under Wine, on an Xvfb of the test's own): a click shorter than
// a frame, a held button, the cursor's mapping into the back buffer, keys, and a fatal error line.
#include "ie/input_engine_dinput8.h"

#include <gtest/gtest.h>

#define DIRECTINPUT_VERSION 0x0800
#include <windows.h>
#include <dinput.h>

#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/temporary_folder.h"

namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcA(window, message, wParam, lParam);
}

// A shown top-level window whose client area is `width` × `height`, at (left, top) on the screen.
HWND createWindow(int left, int top, int width, int height) {
  static const ATOM windowClass = [] {
    WNDCLASSA description{};
    description.lpfnWndProc = windowProcedure;
    description.hInstance = GetModuleHandleA(nullptr);
    description.lpszClassName = "VarnelleInputTest";
    return RegisterClassA(&description);
  }();
  (void)windowClass;
  RECT frame{0, 0, width, height};
  AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
  HWND window = CreateWindowA("VarnelleInputTest", "input test", WS_OVERLAPPEDWINDOW, left, top,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  return window;
}

void pumpMessages() {
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
}

void sendMouse(DWORD flags) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = flags;
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

std::string contentsOf(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::ostringstream contents;
  contents << file.rdbuf();
  return contents.str();
}

class InputEngineDInput8 : public ::testing::Test {
 protected:
  void SetUp() override {
    window = createWindow(100, 80, 640, 480);
    ASSERT_NE(nullptr, window);
    pumpMessages();
  }

  void TearDown() override {
    // Nothing is left held for the next test.
    sendMouse(MOUSEEVENTF_LEFTUP);
    sendMouse(MOUSEEVENTF_RIGHTUP);
    DestroyWindow(window);
    pumpMessages();
  }

  // One frame as the game thread makes it: window messages, then the sample.
  static void Frame(ie::InputEngineDInput8& input) {
    pumpMessages();
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
  HWND wide = createWindow(0, 0, 1000, 600);
  pumpMessages();
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
  DestroyWindow(wide);
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
        HWND child = CreateWindowA("VarnelleInputTest", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, window, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
        SetCurrentDirectoryA(folder.c_str());
        ie::InputEngineDInput8 input(child);
      },
      ::testing::ExitedWithCode(1), "");
  EXPECT_EQ("IE.error: Cannot set cooperative level for mouse\r\n", contentsOf(folder + "Log.log"));
}

}  // namespace
