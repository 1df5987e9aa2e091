// The game's response to the mouse, driven through the scripted input engine frame by frame: the
// level-select cells, the palette drag and drop, conveyor and unit clicks, and the four buttons.
#include "game/update_game.h"

#include <gtest/gtest.h>

#include "game/game.h"
#include "game/game_globals.h"
#include "ie/input_engine_scripted.h"

namespace {

constexpr std::int32_t kLeft = 0;
constexpr std::int32_t kRight = 1;

// Logical points of the level screen.
struct Point {
  std::int32_t x;
  std::int32_t y;
};
constexpr Point kRunButton{205, 25};
constexpr Point kStopButton{225, 25};
constexpr Point kClearButton{245, 25};
constexpr Point kExitButton{265, 25};
constexpr Point kTriggerEntry{210, 60};
constexpr Point kSwapperEntry{266, 60};

// The logical point in the middle of field cell (x, y).
Point cellPoint(std::int32_t x, std::int32_t y) { return {16 + 16 * x + 8, 44 + 12 * y + 6}; }

class UpdateGame : public ::testing::Test {
 protected:
  void SetUp() override { game.introTimer = 0; }

  // One frame of the game's input: sample, then update.
  void frame() {
    input.Update();
    updateGame(game, input);
  }
  void frames(int count) {
    while (count-- > 0) frame();
  }
  void moveTo(Point point) { input.SetPointer(2 * point.x, 2 * point.y); }
  void press(Point point, std::int32_t button = kLeft) {
    moveTo(point);
    input.SetButton(button, true);
    frame();
  }
  void release(std::int32_t button = kLeft) {
    input.SetButton(button, false);
    frame();
  }
  void click(Point point, std::int32_t button = kLeft) {
    press(point, button);
    release(button);
  }
  void rightClick(Point point) { click(point, kRight); }
  void drag(Point from, Point to) {
    press(from);
    moveTo(to);
    frame();
    release();
  }

  Level& openLevel(std::int32_t number) {
    click({110 + 40 * ((number - 1) % 5) + 20, 15 + 40 * ((number - 1) / 5) + 20});
    EXPECT_EQ(number - 1, game.currentLevel);
    return *game.levels[static_cast<std::size_t>(number - 1)];
  }

  Game game;
  ie::ScriptedInputEngine input;
};

TEST_F(UpdateGame, ClicksDuringTheIntroDoNothing) {
  game.introTimer = kIntroFrames;
  click({130, 35});
  EXPECT_EQ(kNoLevel, game.currentLevel);
  game.introTimer = 1;
  click({130, 35});
  EXPECT_EQ(kNoLevel, game.currentLevel);
  EXPECT_EQ(1, game.introTimer);  // the drawing counts the intro down, not the input

  // A press made during the intro and still held afterwards is no click.
  press({130, 35});
  game.introTimer = 0;
  frame();
  EXPECT_EQ(kNoLevel, game.currentLevel);
  release();

  // A click opens the level; here through the program-wide entry point the main loop calls.
  ::game = &game;
  ::inputEngine = &input;
  input.SetButton(kLeft, true);
  input.Update();
  updateGame();
  EXPECT_EQ(0, game.currentLevel);
  ::game = nullptr;
  ::inputEngine = nullptr;
}

TEST_F(UpdateGame, LevelSelectCellsEndAtTheirEdges) {
  struct Case {
    std::int32_t displayX, displayY, opens;
  };
  // Back-buffer pixels halve toward zero: 221 and 220 are both logical 110, 219 is 109. A
  // fourteenth cell (460, 190) has no level behind it.
  for (const Case& c : std::vector<Case>{{220, 30, 0}, {221, 31, 0}, {298, 108, 0}, {300, 30, 1}, {220, 110, 5},
                                         {378, 268, 11}, {380, 190, 12}, {458, 268, 12}, {460, 190, kNoLevel},
                                         {219, 31, kNoLevel}, {220, 29, kNoLevel}, {620, 30, kNoLevel}}) {
    SCOPED_TRACE(testing::Message() << c.displayX << ", " << c.displayY);
    game.currentLevel = kNoLevel;
    input.SetPointer(c.displayX, c.displayY);
    input.SetButton(kLeft, true);
    frame();
    EXPECT_EQ(c.opens, game.currentLevel);
    // Only a press opens: a held button does not.
    game.currentLevel = kNoLevel;
    frame();
    EXPECT_EQ(kNoLevel, game.currentLevel);
    release();
  }
  rightClick({130, 35});
  EXPECT_EQ(kNoLevel, game.currentLevel);
}

TEST_F(UpdateGame, ClicksOnACellCycleItsConveyorAndARightClickEmptiesIt) {
  Level& level = openLevel(1);
  std::vector<std::int32_t> seen;
  for (int i = 0; i < 5; ++i) {
    click(cellPoint(4, 7));
    seen.push_back(level.cells[4][7]);
  }
  EXPECT_EQ((std::vector<std::int32_t>{1, 2, 3, 4, 1}), seen);

  rightClick(cellPoint(4, 7));
  EXPECT_EQ(0, level.cells[4][7]);
  // The field's edge cells: (16, 44) is cell (0, 0) and (191, 175) cell (10, 10); one past is off.
  click({16, 44});
  click({191, 175});
  click({192, 175});
  click({191, 176});
  click({15, 44});
  EXPECT_EQ(1, level.cells[0][0]);
  EXPECT_EQ(1, level.cells[10][10]);
  std::int32_t laid = 0;
  for (const auto& column : level.cells)
    for (std::int32_t cell : column) laid += cell != 0;
  EXPECT_EQ(2, laid);

  // A left and a right click in the same frame: only the left one acts.
  input.SetButton(kRight, true);
  press(cellPoint(2, 2));
  EXPECT_EQ(1, level.cells[2][2]);
}

TEST_F(UpdateGame, DropThatWouldLeaveTheFieldIsRefusedAndTheAllowanceKept) {
  Level& level = openLevel(3);  // one trigger
  ASSERT_EQ(1, level.allowance[0]);

  for (Point place : {cellPoint(9, 0), cellPoint(10, 4), cellPoint(0, 10), Point{250, 150}, Point{100, 200}}) {
    drag(kTriggerEntry, place);
    EXPECT_EQ(1, level.allowance[0]);
    EXPECT_TRUE(level.units.empty());
    EXPECT_FALSE(level.dragging);
    EXPECT_EQ(0, level.dragIndex);
  }

  // Onto a conveyor: refused too.
  click(cellPoint(4, 4));
  drag(kTriggerEntry, cellPoint(3, 3));
  EXPECT_EQ(1, level.allowance[0]);
  EXPECT_TRUE(level.units.empty());

  // The last cell that fits: top-left at (8, 9).
  drag(kTriggerEntry, cellPoint(8, 9));
  EXPECT_EQ(0, level.allowance[0]);
  ASSERT_EQ(1u, level.units.size());
  EXPECT_EQ(8, level.units.begin()->second.cell.x);
  EXPECT_EQ(9, level.units.begin()->second.cell.y);
}

TEST_F(UpdateGame, LastUnitOfAKindIsPlacedAndARightClickBringsItBack) {
  Level& level = openLevel(3);
  // A kind that is not offered cannot be picked.
  drag(kSwapperEntry, cellPoint(0, 0));
  EXPECT_TRUE(level.units.empty());
  EXPECT_EQ(-1, level.allowance[1]);

  drag(kTriggerEntry, cellPoint(2, 3));
  EXPECT_EQ(0, level.allowance[0]);
  ASSERT_EQ(1u, level.units.size());
  const auto* trigger = dynamic_cast<const orvane::ZTriggerUnit*>(level.unitAt(2, 3));
  ASSERT_NE(nullptr, trigger);

  // Used up: no drag starts.
  press(kTriggerEntry);
  EXPECT_FALSE(level.dragging);
  release();

  // A click on any of its cells turns the unit instead of laying a conveyor.
  click(cellPoint(4, 4));
  EXPECT_EQ(1, trigger->initialSide);
  EXPECT_EQ(0, level.cells[4][4]);

  // A right click on one of its six cells takes the whole unit back.
  rightClick(cellPoint(3, 4));
  EXPECT_TRUE(level.units.empty());
  EXPECT_EQ(1, level.allowance[0]);
  EXPECT_EQ(0, level.cells[3][4]);

  // And it can be dragged again.
  drag(kTriggerEntry, cellPoint(0, 0));
  EXPECT_EQ(0, level.allowance[0]);
  EXPECT_EQ(1u, level.units.size());

  // The third palette entry sits below the first: level 11 offers one accumulator there.
  click(kExitButton);
  Level& eleven = openLevel(11);
  drag({210, 100}, cellPoint(0, 0));
  EXPECT_EQ(0, eleven.allowance[2]);
  EXPECT_NE(nullptr, dynamic_cast<const orvane::ZAccumulatorUnit*>(eleven.unitAt(0, 0)));
}

TEST_F(UpdateGame, WhileRunningOnlyStopAndExitReact) {
  Level& level = openLevel(3);
  drag(kTriggerEntry, cellPoint(4, 0));
  rightClick(cellPoint(4, 0));
  ASSERT_EQ(1, level.allowance[0]);
  click(cellPoint(5, 5));
  click(kRunButton);
  ASSERT_TRUE(level.running);
  const auto cells = level.cells;

  click(cellPoint(5, 5));
  click(cellPoint(0, 0));
  rightClick(cellPoint(5, 5));
  drag(kTriggerEntry, cellPoint(0, 0));
  click(kClearButton);
  click(kRunButton);
  EXPECT_EQ(cells, level.cells);
  EXPECT_TRUE(level.units.empty());
  EXPECT_EQ(1, level.allowance[0]);
  EXPECT_FALSE(level.dragging);
  EXPECT_TRUE(level.running);

  // The machine ticks once a frame while the level is open.
  const std::int32_t tick = level.tickCount;
  frames(3);
  EXPECT_EQ(tick + 3, level.tickCount);

  click(kStopButton);
  EXPECT_FALSE(level.running);
  EXPECT_TRUE(level.blocks.empty());
  // Stopped, Clear works again.
  click(kClearButton);
  EXPECT_EQ(0, level.cells[5][5]);
}

TEST_F(UpdateGame, ExitStopsARunAndKeepsTheMachine) {
  Level& level = openLevel(3);
  drag(kTriggerEntry, cellPoint(4, 0));
  click(cellPoint(5, 2));
  click(cellPoint(5, 2));
  click(kRunButton);
  frames(100);
  ASSERT_TRUE(level.running);
  ASSERT_FALSE(level.blocks.empty());
  const std::int32_t tick = level.tickCount;

  click(kExitButton);
  EXPECT_EQ(kNoLevel, game.currentLevel);
  EXPECT_FALSE(level.running);
  EXPECT_TRUE(level.blocks.empty());
  // The frame of the exit gives the level no tick, and none follow on the select screen.
  frames(5);
  EXPECT_EQ(tick, level.tickCount);

  openLevel(3);
  EXPECT_FALSE(level.running);
  EXPECT_EQ(2, level.cells[5][2]);
  EXPECT_EQ(1u, level.units.size());
  EXPECT_EQ(0, level.allowance[0]);
}

}  // namespace
