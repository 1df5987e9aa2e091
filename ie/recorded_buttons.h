// The mouse buttons as every windowed engine samples them: the pointer's button state at the
// sample, and the presses and releases the window's event handler recorded since the last one
// (ie/button_press_log.h), latched so that no click is lost (ie/button_latch.h) and each reported
// where it was made (ie/release_places.h). The X11 and DirectInput engines differ only in how
// they read the pointer.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "ie/button_latch.h"
#include "ie/button_press_log.h"
#include "ie/input_state.h"
#include "ie/release_places.h"

namespace ie {

class RecordedButtons {
 public:
  // Which source says first that a button went down or up. X's pointer state is the server's own,
  // so it is never behind the toolkit's events. A DirectInput device is fed beside the window's
  // messages and may show a press or release a little after the window has recorded it: the
  // latest record counts as the pointer's state until the device shows a recorded press, and for
  // kUnmatchedLifetime samples after a recorded release (the device may still show the press of a
  // tap), so that a drag is not read as a tap and a second press, nor a drop made late.
  enum class PointerSource { kLeadsRecords, kMayLagRecords };

  explicit RecordedButtons(PointerSource pointer) : pointer(pointer) {}

  // One sample: whether the pointer holds each button now and whether it is inside the window's
  // drawing area (a press outside it is never recorded, so none is waited for). Takes the
  // recorded presses and releases, writes each button's byte (0x80 down) into `buttons`, and
  // returns where the press or release this sample shows happened, in window pixels, when a
  // record tells (the lowest-numbered button's, when several show one).
  PressPosition Sample(std::array<bool, kButtonCount> pointerDown, bool pointerInWindow,
                       std::array<std::uint8_t, kButtonCount>& buttons);

 private:
  // Puts the latest recorded state in place of a lagging pointer's until the pointer agrees.
  void FollowRecordsAheadOfThePointer(std::array<bool, kButtonCount>& pointerDown);

  enum class Recorded : std::uint8_t { kNothingAhead, kDown, kUp };
  PointerSource pointer;
  std::array<Recorded, kButtonCount> aheadOfPointer{};
  std::array<int, kButtonCount> aheadAge{};
  std::array<ButtonLatch, kButtonCount> latches;
  std::array<ReleasePlaces, kButtonCount> releasePlaces;
  // Kept between samples so that a frame allocates nothing.
  std::vector<RecordedPress> recordedPresses;
  std::vector<PressPosition> pressesOfButton;
  std::vector<PressPosition> releasesOfButton;
};

}  // namespace ie
