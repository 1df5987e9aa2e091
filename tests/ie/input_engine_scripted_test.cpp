// The scripted input engine, and through it the queries every input engine shares.
#include "ie/input_engine_scripted.h"

#include <gtest/gtest.h>

namespace {

constexpr int kLeft = 0;
constexpr int kRight = 1;
constexpr int kKeyA = 30;

TEST(ScriptedInputEngine, PressHeldReleaseEachShowInExactlyOneKindOfFrame) {
  ie::ScriptedInputEngine input;
  input.SetButton(kLeft, true);
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, true));
  EXPECT_TRUE(input.ButtonDown(kLeft));
  EXPECT_FALSE(input.ButtonWasDown(kLeft));

  input.Update();
  EXPECT_FALSE(input.ButtonChanged(kLeft, false, true));
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, true));
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, true));

  input.SetButton(kLeft, false);
  input.Update();
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, false));
  EXPECT_FALSE(input.ButtonDown(kLeft));
  input.Update();
  EXPECT_FALSE(input.ButtonChanged(kLeft, true, false));
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, false));

  // Keys follow the same rules.
  input.SetKey(kKeyA, true);
  input.Update();
  EXPECT_TRUE(input.KeyChanged(kKeyA, false, true));
  input.Update();
  EXPECT_TRUE(input.KeyChanged(kKeyA, true, true));
  input.SetKey(kKeyA, false);
  input.Update();
  EXPECT_TRUE(input.KeyChanged(kKeyA, true, false));
  EXPECT_FALSE(input.KeyDown(kKeyA));
  EXPECT_TRUE(input.KeyWasDown(kKeyA));
}

TEST(ScriptedInputEngine, FirstFrameHasNothingDownBefore) {
  ie::ScriptedInputEngine input;
  input.SetButton(kLeft, true);
  input.SetButton(kRight, true);
  input.SetKey(kKeyA, true);
  input.Update();
  for (int button = 0; button < 4; ++button) EXPECT_FALSE(input.ButtonWasDown(button)) << button;
  for (int key = 0; key < 256; ++key) EXPECT_FALSE(input.KeyWasDown(key)) << key;
  EXPECT_TRUE(input.ButtonChanged(kRight, false, true));
  EXPECT_TRUE(input.KeyChanged(kKeyA, false, true));
}

TEST(ScriptedInputEngine, NothingIsReportedBeforeTheFirstUpdate) {
  ie::ScriptedInputEngine input;
  input.SetPointer(100, 200);
  input.SetButton(kLeft, true);
  EXPECT_EQ(0, input.MouseX());
  EXPECT_EQ(0, input.MouseY());
  EXPECT_FALSE(input.ButtonDown(kLeft));
  EXPECT_TRUE(input.ButtonChanged(kLeft, false, false));
  input.Update();
  EXPECT_EQ(100, input.MouseX());
  EXPECT_EQ(200, input.MouseY());
}

TEST(ScriptedInputEngine, OutOfRangeKeysAndButtonsReadAsUpInEveryQuery) {
  ie::ScriptedInputEngine input;
  for (int key = 0; key < 256; ++key) input.SetKey(key, true);
  for (int button = 0; button < 4; ++button) input.SetButton(button, true);
  input.SetKey(256, true);
  input.SetKey(-1, true);
  input.SetButton(4, true);
  input.SetButton(-1, true);
  input.Update();
  input.Update();

  EXPECT_TRUE(input.KeyDown(255));
  EXPECT_TRUE(input.KeyDown(0));
  for (int key : {256, -1, 1000, INT32_MIN, INT32_MAX}) {
    EXPECT_FALSE(input.KeyDown(key)) << key;
    EXPECT_FALSE(input.KeyWasDown(key)) << key;
    for (bool wasDown : {false, true})
      for (bool isDown : {false, true}) EXPECT_FALSE(input.KeyChanged(key, wasDown, isDown)) << key;
  }
  EXPECT_TRUE(input.ButtonDown(3));
  for (int button : {4, -1, INT32_MIN}) {
    EXPECT_FALSE(input.ButtonDown(button)) << button;
    EXPECT_FALSE(input.ButtonWasDown(button)) << button;
    for (bool wasDown : {false, true})
      for (bool isDown : {false, true}) EXPECT_FALSE(input.ButtonChanged(button, wasDown, isDown)) << button;
  }
}

TEST(ScriptedInputEngine, ClearKeysReleasesKeysButNotTheMouseAndAHeldKeyPressesAgainAfterwards) {
  ie::ScriptedInputEngine input;
  input.SetKey(kKeyA, true);
  input.SetButton(kLeft, true);
  input.SetPointer(-5, 7);
  input.Update();
  input.Update();

  // Frames without the keyboard focus: the main loop clears after every Update.
  input.ClearKeys();
  EXPECT_FALSE(input.KeyDown(kKeyA));
  EXPECT_FALSE(input.KeyWasDown(kKeyA));
  EXPECT_TRUE(input.KeyChanged(kKeyA, false, false));
  EXPECT_TRUE(input.ButtonChanged(kLeft, true, true));
  EXPECT_EQ(-5, input.MouseX());
  EXPECT_EQ(7, input.MouseY());
  input.Update();
  input.ClearKeys();
  EXPECT_FALSE(input.KeyDown(kKeyA));

  // The focus is back with the key still held: pressed in the first focused frame.
  input.Update();
  EXPECT_TRUE(input.KeyChanged(kKeyA, false, true));
}

TEST(ScriptedInputEngine, PointerMayLieOutsideTheScreen) {
  ie::ScriptedInputEngine input;
  input.SetPointer(-3, 900);
  input.Update();
  EXPECT_EQ(-3, input.MouseX());
  EXPECT_EQ(900, input.MouseY());
}

}  // namespace
