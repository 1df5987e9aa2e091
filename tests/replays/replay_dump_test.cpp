// The state dump of replay scripts: the select screen, and an open level with everything in it.
#include "tools/replay/replay_dump.h"

#include <gtest/gtest.h>

#include "base/cp1251.h"
#include "game/game.h"

namespace {

TEST(ReplayDump, SelectScreenShowsIntroAndSolvedLevelsOnly) {
  Game game;
  game.levels[2]->solved = true;
  game.levels[12]->solved = true;
  EXPECT_EQ(
      "screen: select\n"
      "intro: 240\n"
      "levels-solved: 0010000000001\n",
      replay::DumpGame(game));
}

TEST(ReplayDump, OpenLevelShowsItsRunFieldUnitsAndBlocks) {
  Game game;
  game.introTimer = 0;
  game.currentLevel = 8;  // level 9: triggers and swappers
  Level& level = *game.levels[8];
  level.cells[0][0] = 1;
  level.cells[1][0] = 2;
  level.cells[2][0] = 3;
  level.cells[3][0] = 4;
  level.cells[10][10] = 2;
  auto trigger = level.palette[0]->clone();
  trigger->toggle();
  level.placeUnit(std::move(trigger), Cell{4, 3});
  level.placeUnit(level.palette[1]->clone(), Cell{0, 9});
  level.allowance[0] = 1;
  level.allowance[1] = 1;
  level.running = true;
  level.failed = true;
  level.tickCount = 130;
  level.delivered[2] = 2;
  level.failureText = "столкновение блока\nс управляющим блоком"_cp1251;
  level.blocks = {Block{2, -1, 1}, Block{5, 4, 3}, Block{8, 11, 2}};

  EXPECT_EQ(
      "screen: level 9\n"
      "intro: 0\n"
      "running: 1\n"
      "failed: 1\n"
      "won: 0\n"
      "solved: 0\n"
      "tick: 130\n"
      "failure: столкновение блока\\nс управляющим блоком\n"
      "allowance: 1 1 -1\n"
      "delivered: 0 0 2 0 0 0 0 0 0 0 0\n"
      "cells:\n"
      ">v<^.......\n"
      "...........\n"
      "...........\n"
      "....###....\n"
      "....###....\n"
      "...........\n"
      "...........\n"
      "...........\n"
      "...........\n"
      "###........\n"
      "###.......v\n"
      "units: trigger@4,3 side=1; swapper@0,9\n"
      "blocks: 2,-1,A 5,4,C 8,11,B\n"
      "levels-solved: 0000000000000\n",
      replay::DumpGame(game));
}

TEST(ReplayDump, FreshLevelHasEmptyValuesWithoutTrailingSpacesAndTextIsReadableUtf8) {
  Game game;
  game.introTimer = 0;
  game.currentLevel = 0;
  const std::string dump = replay::DumpGame(game);
  EXPECT_NE(std::string::npos, dump.find("\nfailure:\nallowance: -1 -1 -1\n"));
  EXPECT_NE(std::string::npos, dump.find("\nunits:\nblocks:\nlevels-solved: "));
  EXPECT_EQ("\xEF\xBF\xBD", replay::ReadableText("\x98"));  // the byte the code page leaves unassigned
}

}  // namespace
