// Replay scripts: every command read into its steps, and every bad line refused with its number.
#include "tools/replay/replay_script.h"

#include <gtest/gtest.h>

#include <fstream>
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

TEST(ReplayScript, ByteOrderMarkBeforeTheFirstLineIsSkipped) {
  EXPECT_EQ("WD", shape(parse("\xEF\xBB\xBFwait 1\r\ndump\n")));
  EXPECT_EQ("unknown command '\\xEF\\xBB\\xBFdump'", refuse("wait 1\n\xEF\xBB\xBF" "dump\n").message);
}

TEST(ReplayScript, UnprintableBytesInAMessageAreQuoted) {
  const struct {
    std::string script;
    std::string message;
  } cases[] = {
      {std::string("wa\0it 1\n", 8), "unknown command 'wa\\x00it'"},
      {"\x1B[2Jwait 1\n", "unknown command '\\x1B[2Jwait'"},
      {"wait 1\x7F\n", "frame count '1\\x7F' is not a whole number"},
      {"press l\xC3\xA9" "ft\n", "the button is left or right, not 'l\\xC3\\xA9ft'"},
      {"move 1 \x01\n", "y '\\x01' is not a whole number"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.message, refuse(c.script).message);
  EXPECT_EQ("a\\x00b\\x0A\\xFF~", replay::Printable(std::string("a\0b\n\xFF~", 6)));
}

TEST(ReplayScript, OverlongLineIsRefusedWithoutHoldingIt) {
  const replay::ParseError error = refuse("wait 1\n# " + std::string(replay::kMaxLineBytes, 'x') + "\nwait 1\n");
  EXPECT_EQ(2, error.line);
  EXPECT_EQ("the line is longer than 4096 bytes", error.message);
  EXPECT_EQ("W", shape(parse("# " + std::string(replay::kMaxLineBytes - 2, 'x') + "\nwait 1")));
}

// The runner checks the whole script first and then reads it again line by line as it runs.
TEST(ReplayScript, ReaderGivesOneCommandLineAtATimeAndTheCheckKeepsNothing) {
  std::istringstream script("# start\nwait 2\n\nclick 1 2\ndump");
  replay::ParseError error;
  EXPECT_TRUE(replay::CheckScript(script, error));
  script.clear();
  script.seekg(0);
  replay::ScriptReader reader(script);
  std::vector<replay::Step> steps;
  std::string shapes;
  while (reader.NextCommand(steps, error)) shapes += shape(steps) + "|";
  EXPECT_EQ("W|MPWRW|D|", shapes);
  EXPECT_EQ("", error.message);

  std::istringstream bad("wait 1\nwait 2\nfly\n");
  EXPECT_FALSE(replay::CheckScript(bad, error));
  EXPECT_EQ(3, error.line);
  EXPECT_EQ("unknown command 'fly'", error.message);
}

// A folder opens as a file stream, and its first read fails: a refusal with the system's reason,
// never an exception out of the reader.
TEST(ReplayScript, ScriptThatCannotBeReadIsRefusedWithTheSystemsReason) {
#ifdef _WIN32
  GTEST_SKIP() << "Windows opens no folder as a file, so the reader never meets one";
#endif
  std::ifstream folder(".", std::ios::binary);
  ASSERT_TRUE(folder.is_open());
  replay::ParseError error;
  EXPECT_FALSE(replay::CheckScript(folder, error));
  EXPECT_EQ(0, error.line);
  EXPECT_EQ("the script cannot be read: Is a directory", error.message);
}

}  // namespace
