// The game's toolkit window.
#include "app/game_window.h"

#include <FL/Fl.H>

#include "app/program_globals.h"
#include "ie/button_press_log.h"

GameWindow::GameWindow(int x, int y, int width, int height, const char* title)
    : Fl_Window(x, y, width, height, title) {
  // No box: the toolkit must never paint over the picture the graphic engine presents.
  box(FL_NO_BOX);
}

int GameWindow::handle(int event) {
  if (event == FL_PUSH) {
    // The toolkit's numbers are X's: 1 left, 2 middle, 3 right, 8 the "back" side button; the
    // input engine's are 0 left, 1 right, 2 middle, 3 the side button. The place goes with the
    // press, so that a tap the engine's sample misses still lands where it was made.
    const int x = Fl::event_x();
    const int y = Fl::event_y();
    switch (Fl::event_button()) {
      case FL_LEFT_MOUSE: ie::RecordButtonPress(0, x, y); break;
      case FL_RIGHT_MOUSE: ie::RecordButtonPress(1, x, y); break;
      case FL_MIDDLE_MOUSE: ie::RecordButtonPress(2, x, y); break;
      case 8: ie::RecordButtonPress(3, x, y); break;
      default: break;
    }
    // Taking the press keeps the drag and the release with this window.
    Fl_Window::handle(event);
    return 1;
  }
  if (event == FL_RELEASE) {
    // The place goes with the release too, so that a drop lands where the button went up. The
    // numbers are mapped as for the press; the log ignores a button it does not know.
    const int button = Fl::event_button();
    const int engineButton = button == FL_LEFT_MOUSE     ? 0
                             : button == FL_RIGHT_MOUSE  ? 1
                             : button == FL_MIDDLE_MOUSE ? 2
                             : button == 8               ? 3
                                                         : -1;
    ie::RecordButtonRelease(engineButton, Fl::event_x(), Fl::event_y());
  }
  return Fl_Window::handle(event);
}

void GameWindow::draw() {
  if ((damage() & FL_DAMAGE_EXPOSE) != 0) windowExposed = true;
}
