// Replay scripts: the player's mouse written down line by line, read whole before any frame runs.
//
//   # a comment; blank lines are ignored
//   wait N              run N frames with the input unchanged
//   move X Y            put the pointer at logical (X, Y)
//   press left|right    the button goes down
//   release left|right  the button goes up
//   click X Y           move X Y, press left, wait 1, release left, wait 1
//   rclick X Y          the same with the right button
//   drag X1 Y1 X2 Y2    move X1 Y1, press left, wait 1, move X2 Y2, wait 1, release left, wait 1
//   dump                print the game's state
//   shot FILE.png       write the last presented frame as a PNG
//
// click, rclick and drag are read as the steps they stand for.
#pragma once

#include <cstdint>
#include <istream>
#include <string>
#include <vector>

namespace replay {

// The script's limits: beyond them a number is a typing error, not a plan.
inline constexpr std::int32_t kMaxWaitFrames = 1000000;
inline constexpr std::int32_t kMaxCoordinate = 100000;

enum class Action { Wait, Move, Press, Release, Dump, Shot };

inline constexpr std::int32_t kLeftButton = 0;
inline constexpr std::int32_t kRightButton = 1;

struct Step {
  Action action = Action::Wait;
  std::int32_t frames = 0;  // Wait
  std::int32_t x = 0;       // Move: logical coordinates
  std::int32_t y = 0;
  std::int32_t button = kLeftButton;  // Press, Release
  std::string file;                   // Shot
  int line = 0;                       // where it was written
};

struct ParseError {
  int line = 0;  // 0 when the whole script is at fault
  std::string message;
};

// Reads the whole script. Returns false with the first line that cannot be read and what is
// wrong with it; `steps` then holds nothing to run.
bool ParseScript(std::istream& script, std::vector<Step>& steps, ParseError& error);

}  // namespace replay
