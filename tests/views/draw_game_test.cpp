// One frame of the game: the fading intro, the title and level-select screen, the open level.
#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <sstream>
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

// A call as one line: its kind, slot, rectangle, colour and text, to compare whole call lists.
std::string describe(const RecordedCall& call) {
  std::ostringstream line;
  line << call.kind;
  if (call.kind == CallKind::SetTexture) line << " " << call.slot;
  if (call.kind == CallKind::DrawQuad) {
    line << " texture " << call.texture << std::hex << " colour " << call.quad.vertices[0].colour << std::dec;
    for (const float value : RecordedQuad{call.quad, call.texture}.rectangle()) line << " " << value;
  }
  if (call.kind == CallKind::DrawText) {
    line << " " << call.text << " at " << call.x << " " << call.y << " colour " << call.r << " " << call.g << " " << call.b
         << " " << call.a;
  }
  return line.str();
}

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

TEST_F(DrawGame, LevelGridShowsEveryLevelWithLabelStripAndSolvedMark) {
  game.levels[3]->solved = true;
  game.levels[12]->solved = true;
  draw();
  // Six title texts (their places are pinned by the level-select picture), then the button sheet
  // is selected once for the whole grid: per level a cell, its label, its difficulty strip and,
  // when solved, the mark.
  std::vector<std::string> expected;
  expected.push_back("SetTexture " + std::to_string(ge::kButtonSheetSlot));
  const auto region = [&expected](float x, float y, float height, float u0, float v0, float u1, float v1) {
    std::ostringstream line;
    line << CallKind::DrawQuad << " texture " << ge::kButtonSheetSlot << " colour ffffffff " << x << " " << y << " 40 "
         << height << " " << u0 << " " << v0 << " " << u1 << " " << v1;
    expected.push_back(line.str());
  };
  const std::vector<std::int32_t> difficulty = {1, 1, 1, 2, 2, 3, 3, 1, 2, 2, 1, 2, 2};
  for (std::size_t i = 0; i < 13; ++i) {
    const float x = 110.0f + 40.0f * static_cast<float>(i % 5);
    const float y = 15.0f + 40.0f * static_cast<float>(i / 5);
    region(x, y, 40, 0, 0.25f, 0.5f, 0.75f);
    std::ostringstream label;
    label << "DrawText LVL" << i + 1 << " at " << x + 20 << " " << y + 1 << " colour 1 1 1 1";
    expected.push_back(label.str());
    const float stripV = 0.25f + 0.125f * static_cast<float>(difficulty[i] - 1);
    region(x, y + 15, 10, 0.5f, stripV, 1.0f, stripV + 0.125f);
    if (i == 3 || i == 12) region(x, y + 27, 10, 0.5f, 0.625f, 1.0f, 0.75f);
  }
  ASSERT_GT(engine.calls.size(), 6u);
  std::vector<std::string> actual;
  for (std::size_t i = 0; i < engine.calls.size(); ++i) {
    if (i < 6) {
      EXPECT_EQ(CallKind::DrawText, engine.calls[i].kind);
    } else {
      actual.push_back(describe(engine.calls[i]));
    }
  }
  EXPECT_EQ(expected, actual);
}

TEST_F(DrawGame, OpenLevelIsDrawnByTheLevelViewAloneAlsoThroughTheProgramWidePointers) {
  game.currentLevel = 9;
  Level& level = *game.levels[9];
  level.cells[3][3] = 2;
  level.start();
  level.tickCount = 21;
  pointAt(input, 210, 100);
  drawLevel(engine, level, input);
  std::vector<std::string> fromLevel;
  for (const RecordedCall& call : engine.calls) fromLevel.push_back(describe(call));

  engine.clear();
  ::game = &this->game;
  graphicAdapter = &engine;
  inputEngine = &input;
  drawGame();
  ::game = nullptr;
  graphicAdapter = nullptr;
  inputEngine = nullptr;
  std::vector<std::string> fromGame;
  for (const RecordedCall& call : engine.calls) fromGame.push_back(describe(call));
  EXPECT_EQ(fromLevel, fromGame);
  EXPECT_EQ("Уровень 10 (Medium)"_cp1251, engine.calls.back().text);
  EXPECT_EQ(0, game.introTimer);
}

}  // namespace
