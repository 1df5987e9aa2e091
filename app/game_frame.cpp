// The frame's order of calls, kept in this one place.
#include "app/game_frame.h"

#include "base/cp1251.h"
#include "game/draw_game.h"
#include "game/update_game.h"

bool PlayedGame::Update(const ie::XInputEngine& input) { return updateGame(game, input); }

void PlayedGame::Draw(ge::XGraphicEngine& graphics, const ie::XInputEngine& input) {
  drawGame(game, graphics, input);
}

void ShownGame::Draw(ge::XGraphicEngine& graphics, const ie::XInputEngine& input) { drawGame(game, graphics, input); }

void ShowLoadingFrame(ge::XGraphicEngine& graphics) {
  graphics.BeginFrame();
  graphics.Clear(0.0f, 0.0f, 0.0f);
  graphics.DrawText(50.0f, 0.0f, "Загрузка..."_cp1251, 0.0f, 1.0f, 0.0f, 0.92f);
  graphics.EndFrame();
}

bool RunGameFrame(const FrameEngines& engines, FrameGame& game, const FramePlatform& platform) {
  engines.input.Update();
  if (!platform.windowHasFocus) engines.input.ClearKeys();
  engines.graphics.BeginFrame();
  engines.sound.Update();
  engines.graphics.Clear(0.0f, 0.0f, 0.0f);
  if (!game.Update(engines.input)) {
    if (platform.gameAskedToEnd) platform.gameAskedToEnd();
    return false;
  }
  game.Draw(engines.graphics, engines.input);
  if (platform.beforeEndFrame) platform.beforeEndFrame();
  engines.graphics.EndFrame();
  return true;
}
