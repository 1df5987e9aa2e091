// One frame of the game, and the loading frame before it, in the one order every shell runs them:
// the game thread, the replay runner, the headless views and the frame benchmark. Only the
// engine interfaces and the game: what a platform adds comes in through FramePlatform.
#pragma once

#include <functional>

#include "game/game.h"
#include "ge/graphic_engine.h"
#include "ie/input_engine.h"
#include "se/sound_engine.h"

// The engines a frame runs over. `graphics` is the one the game draws through: the logical-screen
// adapter in the game.
struct FrameEngines {
  ge::XGraphicEngine& graphics;
  ie::XInputEngine& input;
  se::XSoundEngine& sound;
};

// The game's part of a frame: its update from the input, then its drawing.
class FrameGame {
 public:
  // False asks the program to end.
  virtual bool Update(const ie::XInputEngine& input) = 0;
  virtual void Draw(ge::XGraphicEngine& graphics, const ie::XInputEngine& input) = 0;

 protected:
  ~FrameGame() = default;
};

// The game played: updateGame, then drawGame.
class PlayedGame final : public FrameGame {
 public:
  explicit PlayedGame(Game& game) : game(game) {}
  bool Update(const ie::XInputEngine& input) override;
  void Draw(ge::XGraphicEngine& graphics, const ie::XInputEngine& input) override;

 private:
  Game& game;
};

// The game pictured as it stands: drawn, never updated, so that a view of one moment of the game
// (a reference picture, a benchmark frame) stays that moment however often it is drawn.
class ShownGame final : public FrameGame {
 public:
  explicit ShownGame(Game& game) : game(game) {}
  bool Update(const ie::XInputEngine&) override { return true; }
  void Draw(ge::XGraphicEngine& graphics, const ie::XInputEngine& input) override;

 private:
  Game& game;
};

// No game at all: the frame is cleared to black and presented.
class NoGame final : public FrameGame {
 public:
  bool Update(const ie::XInputEngine&) override { return true; }
  void Draw(ge::XGraphicEngine&, const ie::XInputEngine&) override {}
};

// What the platform adds to a frame. The defaults suit a shell without a window: the keys are
// always the game's, the picture is never lost, and nothing happens beyond the frame's end when
// the game asks to end.
struct FramePlatform {
  // Without the keyboard focus every key reads released (now and in the previous frame), so that
  // keys meant for another window never reach the game; the mouse still updates.
  bool windowHasFocus = true;
  // Runs just before EndFrame: the place to have this frame presented even if it is still, when
  // the window has lost its pixels.
  std::function<void()> beforeEndFrame;
  // Runs at once when updateGame returns false, with nothing more of the frame done. The game
  // shuts down here (and does not come back); a shell that returns from it gets the frame ended
  // undrawn and unpresented.
  std::function<void()> gameAskedToEnd;
};

// "Загрузка..." on black, presented once before the other engines and the pictures exist.
void ShowLoadingFrame(ge::XGraphicEngine& graphics);

// One frame: input Update (and ClearKeys without the focus), BeginFrame, sound Update, Clear to
// black, the game's update and drawing, EndFrame. False when the game asked to end and
// gameAskedToEnd came back.
bool RunGameFrame(const FrameEngines& engines, FrameGame& game, const FramePlatform& platform = {});
