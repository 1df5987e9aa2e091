// The input engine on X11: the game window's pointer and the keyboard, sampled once a frame on a
// display connection of its own.
//
// - Cursor: XQueryPointer relative to the game window, mapped back through the same fit as the
//   picture (base/display_geometry.h) into 640 × 480 back-buffer pixels; outside the picture it reads
//   beyond that range (negative left of and above it).
// - Buttons: 0 left (X button 1), 1 right (X button 3), 2 middle (X button 2) from the pointer's
//   button mask; 3 is the "back" side button (X button 8), which the core protocol keeps no mask
//   for, so it reads down only through recorded presses. Presses the toolkit records
//   (ie/button_press_log.h) are latched so that a click between two samples is never lost
//   (ie/button_latch.h); a press and a release are each reported where the toolkit saw them
//   whenever its record is there by the sample that shows them (ie/release_places.h), and
//   otherwise where the pointer is then.
// - Keys: XQueryKeymap, indexed by PC scan code (the keys of the main block directly, the
//   extended keys such as the arrows through a table, with 0x80 added as the PC tradition has
//   it). Keys the PC keyboard has no code for are not reported.
// - Both are read whether or not the window is active; the main loop clears the keys while the
//   window lacks the keyboard focus.
//
// Failures are fatal through the event log (tag "IE"): no display connection, a game window that
// does not exist, a failed pointer or keyboard read. A game window that vanishes from a live
// connection goes to the window-lost handler when one is set (see SetWindowLostHandler).
#pragma once

#include "base/display_geometry.h"
#include "ie/input_state.h"
#include "ie/recorded_buttons.h"

struct _XDisplay;  // Xlib's Display, kept out of this header

namespace ie {

class InputEngineX11 final : public ZInputStateEngine {
 public:
  // `window` is the game window's X id. Opens the display named by DISPLAY.
  explicit InputEngineX11(unsigned long window);
  ~InputEngineX11();
  InputEngineX11(const InputEngineX11&) = delete;
  InputEngineX11& operator=(const InputEngineX11&) = delete;

  void Update() override;

  // The game's window vanishes only with the connection that made it (the toolkit's client
  // killed), while this engine's own connection lives on and sees the window as missing. Whether
  // the engine or the toolkit notices first is chance, so the program sets here its lost-display
  // ending (given the engine's display; it must not return) to be the one in both cases. Unset,
  // a vanished window ends the program with the engine's own line. Set before engines exist.
  using WindowLostHandler = void (*)(_XDisplay* display);
  static void SetWindowLostHandler(WindowLostHandler handler);

 private:
  void ReadPointer();
  void ReadKeyboard();

  unsigned long window;
  _XDisplay* display = nullptr;
  RecordedButtons recordedButtons{RecordedButtons::PointerSource::kLeadsRecords};
};

}  // namespace ie
