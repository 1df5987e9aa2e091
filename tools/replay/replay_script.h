// Replay scripts: the player's mouse written down line by line, checked whole before any frame
// runs and then read again line by line as it runs, so that a script of any length takes the
// same memory.
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
// click, rclick and drag are read as the steps they stand for. A UTF-8 byte-order mark before the
// first line is skipped; lines may end in "\r\n". Messages quote bytes that are not printable
// ASCII as \xNN, so a NUL or a control byte in a bad line shows as what it is.
#pragma once

#include <cstddef>
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

// A line longer than this is not a command anyone wrote; refusing it keeps memory bounded.
inline constexpr std::size_t kMaxLineBytes = 4096;

// Reads a script one line at a time, holding only the current line.
class ScriptReader {
 public:
  explicit ScriptReader(std::istream& script) : script(script) {}

  // Replaces `steps` with the steps of the next line that holds a command. False at the end of
  // the script (`error.message` empty) or at a line that cannot be read (`error` says which line
  // and why; line 0 when the script itself cannot be read).
  bool NextCommand(std::vector<Step>& steps, ParseError& error);

 private:
  // False at the end of the script; `tooLong` when the line was cut at kMaxLineBytes.
  bool readLine(std::string& text, bool& tooLong);

  std::istream& script;
  int line = 0;
  // Why the script could not be read, when the system said ("Is a directory"); else empty.
  std::string readProblem;
};

// Reads the whole script, checking every line and keeping nothing: true when it would all run.
bool CheckScript(std::istream& script, ParseError& error);

// Reads the whole script into `steps` (for small scripts and tests). Returns false with the first
// line that cannot be read and what is wrong with it; `steps` then holds nothing to run.
bool ParseScript(std::istream& script, std::vector<Step>& steps, ParseError& error);

// `bytes` as shown in a message: printable ASCII as it is, every other byte as \xNN.
std::string Printable(const std::string& bytes);

}  // namespace replay
