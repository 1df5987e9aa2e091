// One frame of the game: the fading intro, the title and level-select screen, the open level.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <sstream>
#include <string>
#include <vector>

#include "game/cp1251.h"
#include "game/draw_game.h"
#include "game/game.h"
#include "game/game_globals.h"
#include "tests/views/view_test_doubles.h"
#include "tests/support/recording_graphic_engine.h"

namespace {

class DrawGame : public ::testing::Test {
 protected:
  void draw() {
    engine.clear();
    drawGame(game, engine, input);
  }

  std::uint32_t alphaOf(const RecordedQuad& quad) const { return quad.colour() >> 24; }

  Game game;
  RecordingGraphicEngine engine;
  ie::ScriptedInputEngine input;
};

std::vector<std::string> linesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream stream(text);
  for (std::string line; std::getline(stream, line);) lines.push_back(line);
  return lines;
}

// Same calls with the same arguments, byte for byte.
void expectSameCalls(const std::vector<RecordedCall>& expected, const std::vector<RecordedCall>& actual) {
  ASSERT_EQ(expected.size(), actual.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(expected[i].kind, actual[i].kind);
    EXPECT_EQ(expected[i].text, actual[i].text);
    EXPECT_EQ(0, std::memcmp(&expected[i].quad, &actual[i].quad, sizeof(ge::Quad)));
    EXPECT_EQ((std::array{expected[i].slot, expected[i].texture}), (std::array{actual[i].slot, actual[i].texture}));
    EXPECT_EQ((std::array{expected[i].x, expected[i].y}), (std::array{actual[i].x, actual[i].y}));
  }
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
    EXPECT_EQ(frame.alpha, alphaOf(logo));
    EXPECT_EQ(0xFFFFFFu, logo.colour() & 0xFFFFFFu);
    const std::array<float, 6> place = frame.slot == 6 ? std::array<float, 6>{110, 70, 100, 100, 0, 1}
                                                       : std::array<float, 6>{60, 20, 200, 200, 0, 1};
    EXPECT_EQ(place, (std::array{logo.x(), logo.y(), logo.width(), logo.height(), logo.u0(), logo.v1()}));
    EXPECT_EQ(frame.timer - 1, game.introTimer);
  }
  // At 0 the title shows and the timer stays.
  draw();
  EXPECT_EQ(0, game.introTimer);
  EXPECT_EQ("Varnelle\nv0.9", engine.texts().at(0).text);
}

TEST_F(DrawGame, TitleTextsStandInTheirColumnLeftOfTheGrid) {
  game.introTimer = 0;
  draw();
  const std::vector<RecordedText> texts = engine.texts();
  ASSERT_GE(texts.size(), 6u);
  struct Expected {
    float x, y, r, g, b;
    std::size_t lines;
  };
  const std::vector<Expected> expected = {{50, 15, 1, 1, 1, 2},       {50, 60, 0.5f, 0.7f, 0.5f, 2},
                                          {50, 90, 0.5f, 0.5f, 0.7f, 3}, {50, 140, 0.7f, 0.5f, 0.5f, 4},
                                          {50, 200, 0.9f, 0.9f, 0.5f, 1}, {160, 220, 0.3f, 0.3f, 0.3f, 1}};
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ((std::array{expected[i].x, expected[i].y, expected[i].r, expected[i].g, expected[i].b, 0.94f}),
              (std::array{texts[i].x, texts[i].y, texts[i].r, texts[i].g, texts[i].b, texts[i].a}));
    const std::vector<std::string> lines = linesOf(texts[i].text);
    EXPECT_EQ(expected[i].lines, lines.size());
    for (const std::string& line : lines) {
      // Lines are centred on x in a font 7 pixels wide: the column must clear the grid at x = 110
      // and the bottom line must stay on the screen.
      const float halfWidth = 3.5f * static_cast<float>(line.size());
      EXPECT_GE(texts[i].x - halfWidth, 0.0f) << line;
      if (texts[i].x == 50.0f) {
        EXPECT_LE(texts[i].x + halfWidth, 108.0f) << line;
      } else {
        EXPECT_LE(texts[i].x + halfWidth, 320.0f) << line;
      }
    }
  }
  EXPECT_EQ("Varnelle\nv0.9", texts[0].text);
  EXPECT_EQ("Enjoy!", texts[4].text);
  // Credit blocks do not run into each other: 14 pixels a line.
  for (std::size_t i = 0; i + 2 < expected.size(); ++i) {  // the last line stands apart
    EXPECT_LE(texts[i].y + 14.0f * static_cast<float>(linesOf(texts[i].text).size()), texts[i + 1].y) << i;
  }
}

TEST_F(DrawGame, LevelGridShowsEveryLevelWithLabelStripAndSolvedMark) {
  game.introTimer = 0;
  game.levels[3]->solved = true;
  game.levels[12]->solved = true;
  draw();
  // After the six title texts the button sheet is selected once for the whole grid.
  ASSERT_GT(engine.calls.size(), 6u);
  EXPECT_EQ(CallKind::SetTexture, engine.calls[6].kind);
  EXPECT_EQ(ge::kButtonSheetSlot, engine.calls[6].slot);
  const std::vector<CallKind> kinds = engine.kinds();
  EXPECT_EQ(1, std::count(kinds.begin(), kinds.end(), CallKind::SetTexture));

  std::size_t call = 7;
  auto nextQuad = [&]() -> RecordedQuad {
    EXPECT_LT(call, engine.calls.size());
    if (call >= engine.calls.size()) return {};
    const RecordedCall& recorded = engine.calls[call++];
    EXPECT_EQ(CallKind::DrawQuad, recorded.kind);
    return {recorded.quad, recorded.texture};
  };
  auto expectRegion = [](const RecordedQuad& quad, float x, float y, float w, float h, float u0, float v0, float u1,
                         float v1) {
    EXPECT_EQ((std::array{x, y, w, h, u0, v0, u1, v1}),
              (std::array{quad.x(), quad.y(), quad.width(), quad.height(), quad.u0(), quad.v0(), quad.u1(), quad.v1()}));
    EXPECT_EQ(ge::kButtonSheetSlot, quad.texture);
    EXPECT_EQ(0xFFFFFFFFu, quad.colour());
  };
  const std::vector<std::int32_t> difficulty = {1, 1, 1, 2, 2, 3, 3, 1, 2, 2, 1, 2, 2};
  for (std::size_t i = 0; i < 13; ++i) {
    SCOPED_TRACE(i);
    const float x = 110.0f + 40.0f * static_cast<float>(i % 5);
    const float y = 15.0f + 40.0f * static_cast<float>(i / 5);
    expectRegion(nextQuad(), x, y, 40, 40, 0, 0.25f, 0.5f, 0.75f);
    ASSERT_LT(call, engine.calls.size());
    const RecordedCall& label = engine.calls[call++];
    EXPECT_EQ(CallKind::DrawText, label.kind);
    EXPECT_EQ("LVL" + std::to_string(i + 1), label.text);
    EXPECT_EQ((std::array{x + 20.0f, y + 1.0f, 1.0f, 1.0f}), (std::array{label.x, label.y, label.r, label.a}));
    const float stripV = 0.25f + 0.125f * static_cast<float>(difficulty[i] - 1);
    expectRegion(nextQuad(), x, y + 15, 40, 10, 0.5f, stripV, 1.0f, stripV + 0.125f);
    if (i == 3 || i == 12) expectRegion(nextQuad(), x, y + 27, 40, 10, 0.5f, 0.625f, 1.0f, 0.75f);
  }
  EXPECT_EQ(engine.calls.size(), call);
  // Level 13 closes the third row.
  EXPECT_EQ("LVL13", engine.texts().back().text);
  EXPECT_EQ(210.0f, engine.texts().back().x);
  EXPECT_EQ(96.0f, engine.texts().back().y);
}

TEST_F(DrawGame, OpenLevelIsDrawnByTheLevelViewAlone) {
  game.introTimer = 0;
  game.currentLevel = 9;
  Level& level = *game.levels[9];
  level.cells[3][3] = 2;
  level.start();
  level.tickCount = 21;
  pointAt(input, 210, 100);
  draw();
  const std::vector<RecordedCall> fromGame = engine.calls;
  engine.clear();
  drawLevel(engine, level, input);
  expectSameCalls(engine.calls, fromGame);
  EXPECT_EQ("Уровень 10 (Medium)"_cp1251, fromGame.back().text);
  EXPECT_EQ(0, game.introTimer);
}

TEST_F(DrawGame, ProgramWidePointersReachTheSameDrawing) {
  game.introTimer = 0;
  draw();
  const std::vector<RecordedCall> direct = engine.calls;
  engine.clear();
  ::game = &this->game;
  graphicAdapter = &engine;
  inputEngine = &input;
  drawGame();
  ::game = nullptr;
  graphicAdapter = nullptr;
  inputEngine = nullptr;
  expectSameCalls(direct, engine.calls);
}

}  // namespace
