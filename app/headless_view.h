// The game's views drawn without a window: the OpenGL engine on surfaceless EGL with the game's
// five pictures, for the reference-picture tests and the art tools' contact sheet.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/game.h"
#include "ge/graphic_engine_adapter.h"
#include "ge/graphic_engine_access.h"

class HeadlessView {
 public:
  // `dataFolder` ends with a slash. Ends the program with a "GE" error when no context can be had
  // or a picture cannot be loaded.
  explicit HeadlessView(const std::string& dataFolder);

  // One frame of `game` as the main loop draws it, the game not updated, the pointer at
  // (pointerX, pointerY) in back-buffer pixels: the back buffer's picture, three bytes R, G, B a
  // pixel, top row first.
  std::vector<std::uint8_t> drawFrame(Game& game, std::int32_t pointerX, std::int32_t pointerY);

 private:
  ge::XGraphicEngineAccess* engine_;  // lives until the program ends, as in the game
  ge::ZGraphicEngineAdapter adapter_;
};
