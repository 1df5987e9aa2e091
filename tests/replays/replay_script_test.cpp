// Replay scripts: every command read into its steps, and every bad line refused with its number.
#include "tools/replay/replay_script.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using replay::Action;

std::vector<replay::Step> parse(const std::string& text) {
  std::istringstream script(text);
  std::vector<replay::Step> steps;
  replay::ParseError error;
  EXPECT_TRUE(replay::ParseScript(script, steps, error)) << "line " << error.line << ": " << error.message;
  return steps;
}

replay::ParseError refuse(const std::string& text) {
  std::istringstream script(text);
  std::vector<replay::Step> steps = {replay::Step{}};
  replay::ParseError error;
  EXPECT_FALSE(replay::ParseScript(script, steps, error)) << text;
  EXPECT_TRUE(steps.empty());
  return error;
}

// One letter per step: W wait, M move, P press, R release, D dump, S shot.
std::string shape(const std::vector<replay::Step>& steps) {
  std::string letters;
  for (const replay::Step& step : steps) letters += "WMPRDS"[static_cast<int>(step.action)];
  return letters;
}

TEST(ReplayScript, CommandsBecomeTheirStepsAndClicksAndDragsStandForSeveral) {
  const auto steps = parse(
      "# a comment\n"
      "   \t\n"
      "wait 240\r\n"
      "move -3 7\n"
      "press left\n"
      "release right\n"
      "dump\n"
      "shot  my frame.png \n"
      "click 10 20\n"
      "rclick 1 2\n"
      "drag 1 2 3 4\n");
  ASSERT_EQ("WMPRDS" "MPWRW" "MPWRW" "MPWMWRW", shape(steps));
  EXPECT_EQ(240, steps[0].frames);
  EXPECT_EQ(3, steps[0].line);
  EXPECT_EQ(-3, steps[1].x);
  EXPECT_EQ(7, steps[1].y);
  EXPECT_EQ(replay::kLeftButton, steps[2].button);
  EXPECT_EQ(replay::kRightButton, steps[3].button);
  EXPECT_EQ("my frame.png", steps[5].file);
  EXPECT_EQ(8, steps[5].line);
  EXPECT_EQ(10, steps[6].x);
  EXPECT_EQ(1, steps[8].frames);
  EXPECT_EQ(replay::kLeftButton, steps[9].button);
  EXPECT_EQ(replay::kRightButton, steps[12].button);
  EXPECT_EQ(3, steps[19].x);
  EXPECT_EQ(4, steps[19].y);
  EXPECT_EQ(replay::kLeftButton, steps[21].button);
  EXPECT_EQ(11, steps[22].line);
  EXPECT_TRUE(parse("# only\n# comments").empty());
}

TEST(ReplayScript, BadLinesAreRefusedWithTheirNumberAndReason) {
  replay::ParseError error = refuse("wait 1\ndump\njump 3\nwait 1\n");
  EXPECT_EQ(3, error.line);
  EXPECT_EQ("unknown command 'jump'", error.message);

  EXPECT_EQ("'wait' takes 1 argument: wait N", refuse("wait\n").message);
  EXPECT_EQ("'wait' takes 1 argument: wait N", refuse("wait 1 2\n").message);
  EXPECT_EQ("frame count 'x' is not a whole number", refuse("wait x\n").message);
  EXPECT_EQ("frame count '5x' is not a whole number", refuse("wait 5x\n").message);
  EXPECT_EQ("frame count -1 is out of range (0 to 1000000)", refuse("wait -1\n").message);
  EXPECT_EQ("frame count '99999999999999999999' is out of range", refuse("wait 99999999999999999999\n").message);
  EXPECT_EQ("'move' takes 2 arguments: move X Y", refuse("move 1\n").message);
  EXPECT_EQ("y 100001 is out of range (-100000 to 100000)", refuse("move 1 100001\n").message);
  EXPECT_EQ("x '1.5' is not a whole number", refuse("click 1.5 2\n").message);
  EXPECT_EQ("'drag' takes 4 arguments: drag X1 Y1 X2 Y2", refuse("drag 1 2 3\n").message);
  EXPECT_EQ("the button is left or right, not 'middle'", refuse("press middle\n").message);
  EXPECT_EQ("'release' takes 1 argument: release left|right", refuse("release\n").message);
  EXPECT_EQ("'dump' takes 0 arguments: dump", refuse("dump now\n").message);
  EXPECT_EQ("'shot' needs a file name: shot FILE.png", refuse("shot   \n").message);
  EXPECT_EQ("unknown command 'Wait'", refuse("Wait 1\n").message);
  EXPECT_EQ(2, refuse("# fine\nwait 1 # not a comment\n").line);
}

}  // namespace
