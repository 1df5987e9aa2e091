// The game's toolkit window.
#include "app/game_window.h"

#include <FL/Fl.H>

#include "ie/button_press_log.h"

GameWindow::GameWindow(int x, int y, int width, int height, const char* title)
    : Fl_Window(x, y, width, height, title) {
  // No box: the toolkit must never paint over the picture the graphic engine presents.
  box(FL_NO_BOX);
}

int GameWindow::handle(int event) {
  if (event == FL_PUSH) {
    // The toolkit's numbers are X's: 1 left, 2 middle, 3 right, 8 the "back" side button; the
    // input engine's are 0 left, 1 right, 2 middle, 3 the side button.
    switch (Fl::event_button()) {
      case FL_LEFT_MOUSE: ie::RecordButtonPress(0); break;
      case FL_RIGHT_MOUSE: ie::RecordButtonPress(1); break;
      case FL_MIDDLE_MOUSE: ie::RecordButtonPress(2); break;
      case 8: ie::RecordButtonPress(3); break;
      default: break;
    }
    // Taking the press keeps the drag and the release with this window.
    Fl_Window::handle(event);
    return 1;
  }
  return Fl_Window::handle(event);
}
