// One frame of the game: the fading intro, the title and level-select screen, the open level.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "base/cp1251.h"
#include "game/draw_game.h"
#include "game/game.h"
#include "game/game_globals.h"
#include "tests/support/recording_graphic_engine.h"
#include "tests/views/view_test_doubles.h"

namespace {

class DrawGame : public ::testing::Test {
 protected:
  DrawGame() { game.introTimer = 0; }

  void draw() {
    engine.clear();
    drawGame(game, engine, input);
  }

  Game game;
  RecordingGraphicEngine engine;
  ie::ScriptedInputEngine input;
};

TEST_F(DrawGame, IntroFadesEachLogoInAndOut) {
  struct Frame {
    std::int32_t timer;
    std::int32_t slot;
    std::uint32_t alpha;
  };
  // The first logo from 240 down to 121, the second from 120 down to 1; 30 frames of fading at
  // each end, drawn fully transparent at 240 and 120.
  const std::vector<Frame> frames = {{240, 6, 0},   {239, 6, 8},   {225, 6, 127}, {210, 6, 255}, {150, 6, 255},
                                     {135, 6, 127}, {121, 6, 8},   {120, 7, 0},   {119, 7, 8},   {90, 7, 255},
                                     {30, 7, 255},  {15, 7, 127},  {1, 7, 8}};
  for (const Frame& frame : frames) {
    SCOPED_TRACE(frame.timer);
    game.introTimer = frame.timer;
    draw();
    ASSERT_EQ(2u, engine.calls.size());  // nothing but the logo
    EXPECT_EQ(CallKind::SetTexture, engine.calls[0].kind);
    EXPECT_EQ(frame.slot, engine.calls[0].slot);
    const RecordedQuad logo = engine.quads().at(0);
    EXPECT_EQ((frame.alpha << 24) | 0xFFFFFFu, logo.colour());
    const std::array<float, 8> place = frame.slot == 6 ? std::array<float, 8>{110, 70, 100, 100, 0, 0, 1, 1}
                                                       : std::array<float, 8>{60, 20, 200, 200, 0, 0, 1, 1};
    EXPECT_EQ(place, logo.rectangle());
    EXPECT_EQ(frame.timer - 1, game.introTimer);
  }
  // At 0 the title shows and the timer stays.
  draw();
  EXPECT_EQ(0, game.introTimer);
  EXPECT_EQ("Varnelle\nv0.9", engine.texts().at(0).text);
}

// What the open level's screen holds is the golden pictures' to prove; here, that the program-wide
// entry point draws it through the program-wide engines.
TEST_F(DrawGame, OpenLevelIsDrawnThroughTheProgramWidePointers) {
  game.currentLevel = 9;
  ::game = &this->game;
  graphicAdapter = &engine;
  inputEngine = &input;
  drawGame();
  ::game = nullptr;
  graphicAdapter = nullptr;
  inputEngine = nullptr;
  EXPECT_EQ("Уровень 10 (Medium)"_cp1251, engine.calls.back().text);
}

}  // namespace
