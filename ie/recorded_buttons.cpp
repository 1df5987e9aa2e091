#include "ie/recorded_buttons.h"

namespace ie {

void RecordedButtons::FollowRecordsAheadOfThePointer(std::array<bool, kButtonCount>& pointerDown) {
  // The records in order: the latest one of a button tells its state (a tap leaves it up).
  for (const RecordedPress& record : recordedPresses) {
    aheadOfPointer[record.button] = record.release ? Recorded::kUp : Recorded::kDown;
    aheadAge[record.button] = 0;
  }
  for (int button = 0; button < kButtonCount; ++button) {
    Recorded& ahead = aheadOfPointer[button];
    if (ahead == Recorded::kNothingAhead) continue;
    // A recorded press lasts until the device shows it. A recorded release lasts its whole
    // lifetime: a device late with a tap shows the press only after the window saw the release.
    const bool recordedDown = ahead == Recorded::kDown;
    if ((recordedDown && pointerDown[button]) || ++aheadAge[button] > ButtonLatch::kUnmatchedLifetime) {
      ahead = Recorded::kNothingAhead;
    } else {
      pointerDown[button] = recordedDown;
    }
  }
}

PressPosition RecordedButtons::Sample(std::array<bool, kButtonCount> pointerDown, bool pointerInWindow,
                                      std::array<std::uint8_t, kButtonCount>& buttons) {
  // Presses and releases recorded, per button, oldest first.
  recordedPresses.clear();
  TakeButtonPresses(recordedPresses);
  if (pointer == PointerSource::kMayLagRecords) FollowRecordsAheadOfThePointer(pointerDown);
  PressPosition recordedPlace;
  for (int button = 0; button < kButtonCount; ++button) {
    pressesOfButton.clear();
    releasesOfButton.clear();
    for (const RecordedPress& press : recordedPresses) {
      if (press.button == button) (press.release ? releasesOfButton : pressesOfButton).push_back(press.position);
    }
    const bool wasDown = latches[button].down();
    const LatchSample sample = latches[button].Sample(pointerDown[button], pointerInWindow, pressesOfButton);
    buttons[button] = sample.down ? 0x80 : 0;
    // A press or release is reported where the handler saw it happen, for this sample only: a tap
    // the pointer missed, a press the pointer shows only after it has moved on, a drop followed
    // at once by a move.
    const PressPosition released = releasePlaces[button].Sample(releasesOfButton, wasDown && !sample.down);
    const PressPosition& place = sample.position.known ? sample.position : released;
    if (place.known && !recordedPlace.known) recordedPlace = place;
  }
  return recordedPlace;
}

}  // namespace ie
