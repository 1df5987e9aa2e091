// The scripted input engine, and through it the queries every input engine shares.
#include "ie/input_engine_scripted.h"

#include <gtest/gtest.h>

namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;
constexpr int kKeyA = 30;

TEST(ScriptedInputEngine, PressHeldReleaseEachShowInExactlyOneFrameWithNothingDownBeforeTheFirst) {
  ie::ScriptedInputEngine input;
  input.SetPointer(-3, 900);  // the pointer may lie outside the screen
  input.SetButton(kLeft, true);
  input.SetKey(kKeyA, true);
  EXPECT_FALSE(input.ButtonDown(kLeft)) << "nothing is reported before the first Update";
  input.Update();
  for (int button = 0; button < 4; ++button) EXPECT_FALSE(input.ButtonWasDown(button)) << button;
  for (int key = 0; key < 256; ++key) EXPECT_FALSE(input.KeyWasDown(key)) << key;
  EXPECT_EQ(-3, input.MouseX());
  EXPECT_EQ(900, input.MouseY());

  // Per frame: whether the left button and key A are set down, and the one change each shows.
  const struct {
    bool down;
    bool wasDown, isDown;
  } frames[] = {{true, true, true}, {false, true, false}, {false, false, false}, {true, false, true}};
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, true));
  EXPECT_TRUE(input.KeyChanged(kKeyA, false, true));
  for (const auto& frame : frames) {
    input.SetButton(kLeft, frame.down);
    input.SetKey(kKeyA, frame.down);
    input.Update();
    for (bool wasDown : {false, true}) {
      for (bool isDown : {false, true}) {
        const bool expected = wasDown == frame.wasDown && isDown == frame.isDown;
        EXPECT_EQ(expected, input.ButtonChanged(kLeft, wasDown, isDown)) << wasDown << isDown;
        EXPECT_EQ(expected, input.KeyChanged(kKeyA, wasDown, isDown)) << wasDown << isDown;
      }
    }
  }
}

TEST(ScriptedInputEngine, OutOfRangeKeysAndButtonsReadAsUpInEveryQuery) {
  ie::ScriptedInputEngine input;
  for (int key = -1; key <= 256; ++key) input.SetKey(key, true);
  for (int button = -1; button <= 4; ++button) input.SetButton(button, true);
  input.Update();
  input.Update();
  EXPECT_TRUE(input.KeyDown(0) && input.KeyDown(255) && input.ButtonDown(3));
  for (int key : {256, -1, INT32_MIN, INT32_MAX}) {
    EXPECT_FALSE(input.KeyDown(key) || input.KeyWasDown(key) || input.KeyChanged(key, true, true) ||
                 input.KeyChanged(key, false, false) || input.KeyChanged(key, true, false) || input.KeyChanged(key, false, true)) << key;
  }
  for (int button : {4, -1, INT32_MIN}) {
    EXPECT_FALSE(input.ButtonDown(button) || input.ButtonWasDown(button) || input.ButtonChanged(button, true, true) ||
                 input.ButtonChanged(button, false, false) || input.ButtonChanged(button, false, true) ||
                 input.ButtonChanged(button, true, false)) << button;
  }
}

TEST(ScriptedInputEngine, ClearKeysReleasesKeysButNotTheMouseAndAHeldKeyPressesAgainAfterwards) {
  ie::ScriptedInputEngine input;
  input.SetKey(kKeyA, true);
  input.SetButton(kRight, true);
  input.Update();
  input.Update();
  // Frames without the keyboard focus: the main loop clears after every Update.
  input.ClearKeys();
  EXPECT_TRUE(input.KeyChanged(kKeyA, false, false));
  EXPECT_TRUE(input.ButtonChanged(kRight, true, true));
  input.Update();
  input.ClearKeys();
  EXPECT_FALSE(input.KeyDown(kKeyA));
  // The focus is back with the key still held: pressed in the first focused frame.
  input.Update();
  EXPECT_TRUE(input.KeyChanged(kKeyA, false, true));
}

}  // namespace
