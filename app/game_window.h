// The game's toolkit window: a plain box-less window whose pixels belong to the graphic engine.
// It hands every mouse-button press to the input engine's press log, so that a click that goes
// down and up between two frames still counts.
#pragma once

#include <FL/Fl_Window.H>

class GameWindow final : public Fl_Window {
 public:
  GameWindow(int x, int y, int width, int height, const char* title);

  int handle(int event) override;

  // Draws nothing. The box is already none, but the "plastic" scheme also gives every window a
  // tiled background image, which the toolkit would paint over the picture at each redraw.
  // An exposure asks the game thread to present its picture again, since a still screen is not
  // presented at every frame.
  void draw() override;
};
