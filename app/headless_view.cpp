#include "app/headless_view.h"

#include "app/game_pictures_loader.h"
#include "ge/graphic_engine_gl.h"
#include "game/draw_game.h"
#include "ie/input_engine_scripted.h"

HeadlessView::HeadlessView(const std::string& dataFolder)
    : engine_(ge::GraphicEngineGL::CreateHeadless()), adapter_(&engine_->Engine()) {
  LoadGamePictures(*engine_, dataFolder);
}

std::vector<std::uint8_t> HeadlessView::drawFrame(Game& game, std::int32_t pointerX, std::int32_t pointerY) {
  // The back buffer keeps what an earlier frame left where the canvas is not opaque, so a black
  // frame goes first: the picture then depends on this frame alone.
  adapter_.BeginFrame();
  adapter_.Clear(0.0f, 0.0f, 0.0f);
  adapter_.EndFrame();

  ie::ScriptedInputEngine input;
  input.SetPointer(pointerX, pointerY);
  input.Update();
  adapter_.BeginFrame();
  adapter_.Clear(0.0f, 0.0f, 0.0f);
  drawGame(game, adapter_, input);
  adapter_.EndFrame();
  std::vector<std::uint8_t> rgb;
  engine_->ReadBackBuffer(rgb);
  return rgb;
}
