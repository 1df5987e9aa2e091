#include "app/headless_view.h"

#include "app/game_frame.h"
#include "app/game_pictures_loader.h"
#include "ge/graphic_engine_gl.h"
#include "ie/input_engine_scripted.h"
#include "se/sound_engine_silent.h"

HeadlessView::HeadlessView(const std::string& dataFolder)
    : engine_(ge::GraphicEngineGL::CreateHeadless()), adapter_(&engine_->Engine()) {
  LoadGamePictures(*engine_, dataFolder);
}

std::vector<std::uint8_t> HeadlessView::drawFrame(Game& game, std::int32_t pointerX, std::int32_t pointerY) {
  ie::ScriptedInputEngine input;
  input.SetPointer(pointerX, pointerY);
  se::SilentSoundEngine sound;
  const FrameEngines engines{adapter_, input, sound};

  // The back buffer keeps what an earlier frame left where the canvas is not opaque, so a black
  // frame goes first: the picture then depends on this frame alone.
  NoGame nothing;
  RunGameFrame(engines, nothing);

  // Drawn as it stands: a view is one moment of the game, which an update would move on.
  ShownGame shown(game);
  RunGameFrame(engines, shown);
  std::vector<std::uint8_t> rgb;
  engine_->ReadBackBuffer(rgb);
  return rgb;
}
