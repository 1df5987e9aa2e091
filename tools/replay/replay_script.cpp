// Reading replay scripts: one command a line, every number checked before anything runs.
#include "tools/replay/replay_script.h"

#include <charconv>
#include <ios>
#include <sstream>
#include <system_error>

namespace replay {

namespace {

std::vector<std::string> splitWords(const std::string& line) {
  std::vector<std::string> words;
  std::istringstream stream(line);
  std::string word;
  while (stream >> word) words.push_back(word);
  return words;
}

// A whole number within [minimum, maximum]; otherwise false with the reason.
bool readNumber(const std::string& word, std::int32_t minimum, std::int32_t maximum, const char* what,
                std::int32_t& value, std::string& problem) {
  long long number = 0;
  const char* first = word.data();
  const char* last = word.data() + word.size();
  const auto [end, status] = std::from_chars(first, last, number);
  if (status == std::errc::result_out_of_range) {
    problem = std::string(what) + " '" + Printable(word) + "' is out of range";
    return false;
  }
  if (status != std::errc() || end != last) {
    problem = std::string(what) + " '" + Printable(word) + "' is not a whole number";
    return false;
  }
  if (number < minimum || number > maximum) {
    problem = std::string(what) + " " + word + " is out of range (" + std::to_string(minimum) + " to " +
              std::to_string(maximum) + ")";
    return false;
  }
  value = static_cast<std::int32_t>(number);
  return true;
}

bool readCoordinates(const std::vector<std::string>& words, std::size_t first, std::int32_t& x, std::int32_t& y,
                     std::string& problem) {
  return readNumber(words[first], -kMaxCoordinate, kMaxCoordinate, "x", x, problem) &&
         readNumber(words[first + 1], -kMaxCoordinate, kMaxCoordinate, "y", y, problem);
}

bool readButton(const std::string& word, std::int32_t& button, std::string& problem) {
  if (word == "left") {
    button = kLeftButton;
    return true;
  }
  if (word == "right") {
    button = kRightButton;
    return true;
  }
  problem = "the button is left or right, not '" + Printable(word) + "'";
  return false;
}

class LineReader {
 public:
  LineReader(std::vector<Step>& steps, int line) : steps(steps), line(line) {}

  void Wait(std::int32_t frames) { Add({Action::Wait, frames, 0, 0, kLeftButton, {}, line}); }
  void Move(std::int32_t x, std::int32_t y) { Add({Action::Move, 0, x, y, kLeftButton, {}, line}); }
  void Press(std::int32_t button) { Add({Action::Press, 0, 0, 0, button, {}, line}); }
  void Release(std::int32_t button) { Add({Action::Release, 0, 0, 0, button, {}, line}); }
  void Dump() { Add({Action::Dump, 0, 0, 0, kLeftButton, {}, line}); }
  void Shot(const std::string& file) { Add({Action::Shot, 0, 0, 0, kLeftButton, file, line}); }

  // Reads one line; false with the reason when it is not a command.
  bool Read(const std::string& text, std::string& problem) {
    const std::vector<std::string> words = splitWords(text);
    if (words.empty() || words[0][0] == '#') return true;
    const std::string& command = words[0];

    // The file name is the rest of the line, so that it may hold spaces.
    if (command == "shot") {
      const std::size_t start = text.find("shot") + 4;
      const std::size_t first = text.find_first_not_of(" \t", start);
      if (first == std::string::npos) {
        problem = "'shot' needs a file name: shot FILE.png";
        return false;
      }
      const std::size_t last = text.find_last_not_of(" \t");
      Shot(text.substr(first, last - first + 1));
      return true;
    }

    const auto expect = [&](std::size_t count, const char* usage) {
      if (words.size() == count + 1) return true;
      problem = "'" + command + "' takes " + std::to_string(count) + (count == 1 ? " argument" : " arguments") +
                ": " + usage;
      return false;
    };
    std::int32_t x = 0;
    std::int32_t y = 0;
    std::int32_t button = kLeftButton;
    if (command == "wait") {
      std::int32_t frames = 0;
      if (!expect(1, "wait N") || !readNumber(words[1], 0, kMaxWaitFrames, "frame count", frames, problem)) return false;
      Wait(frames);
    } else if (command == "move") {
      if (!expect(2, "move X Y") || !readCoordinates(words, 1, x, y, problem)) return false;
      Move(x, y);
    } else if (command == "press" || command == "release") {
      if (!expect(1, command == "press" ? "press left|right" : "release left|right") ||
          !readButton(words[1], button, problem)) {
        return false;
      }
      if (command == "press") {
        Press(button);
      } else {
        Release(button);
      }
    } else if (command == "click" || command == "rclick") {
      if (!expect(2, command == "click" ? "click X Y" : "rclick X Y") || !readCoordinates(words, 1, x, y, problem)) {
        return false;
      }
      button = command == "click" ? kLeftButton : kRightButton;
      Move(x, y);
      Press(button);
      Wait(1);
      Release(button);
      Wait(1);
    } else if (command == "drag") {
      std::int32_t toX = 0;
      std::int32_t toY = 0;
      if (!expect(4, "drag X1 Y1 X2 Y2") || !readCoordinates(words, 1, x, y, problem) ||
          !readCoordinates(words, 3, toX, toY, problem)) {
        return false;
      }
      Move(x, y);
      Press(kLeftButton);
      Wait(1);
      Move(toX, toY);
      Wait(1);
      Release(kLeftButton);
      Wait(1);
    } else if (command == "dump") {
      if (!expect(0, "dump")) return false;
      Dump();
    } else {
      problem = "unknown command '" + Printable(command) + "'";
      return false;
    }
    return true;
  }

 private:
  void Add(Step step) { steps.push_back(std::move(step)); }

  std::vector<Step>& steps;
  int line;
};

}  // namespace

bool ScriptReader::readLine(std::string& text, bool& tooLong) {
  text.clear();
  tooLong = false;
  std::streambuf* bytes = script.rdbuf();
  if (bytes == nullptr || !script.good()) return false;
  bool any = false;
  for (;;) {
    std::streambuf::int_type next = std::streambuf::traits_type::eof();
    // The file buffer throws when the system refuses a read (a folder opens but cannot be read);
    // the stream's own reads would catch that, so this one does as well.
    try {
      next = bytes->sbumpc();
    } catch (const std::ios_base::failure& failure) {
      if (failure.code().category() != std::iostream_category()) readProblem = failure.code().message();
      script.setstate(std::ios::badbit);
      return false;
    }
    if (std::streambuf::traits_type::eq_int_type(next, std::streambuf::traits_type::eof())) {
      script.setstate(std::ios::eofbit);
      break;
    }
    any = true;
    const char byte = std::streambuf::traits_type::to_char_type(next);
    if (byte == '\n') break;
    if (text.size() < kMaxLineBytes) {
      text.push_back(byte);
    } else {
      tooLong = true;
    }
  }
  if (!any) return false;
  ++line;
  // A byte-order mark, which some editors put before the first line.
  if (line == 1 && text.rfind("\xEF\xBB\xBF", 0) == 0) text.erase(0, 3);
  // Scripts written on Windows end their lines with a carriage return.
  if (!text.empty() && text.back() == '\r') text.pop_back();
  return true;
}

bool ScriptReader::NextCommand(std::vector<Step>& steps, ParseError& error) {
  error = {};
  std::string text;
  bool tooLong = false;
  while (readLine(text, tooLong)) {
    steps.clear();
    std::string problem;
    if (tooLong) {
      problem = "the line is longer than " + std::to_string(kMaxLineBytes) + " bytes";
    } else if (LineReader(steps, line).Read(text, problem)) {
      if (steps.empty()) continue;  // a comment or a blank line
      return true;
    }
    steps.clear();
    error = {line, problem};
    return false;
  }
  steps.clear();
  if (script.bad()) error = {0, "the script cannot be read" + (readProblem.empty() ? "" : ": " + readProblem)};
  return false;
}

bool CheckScript(std::istream& script, ParseError& error) {
  ScriptReader reader(script);
  std::vector<Step> steps;
  while (reader.NextCommand(steps, error)) {
  }
  return error.message.empty();
}

bool ParseScript(std::istream& script, std::vector<Step>& steps, ParseError& error) {
  steps.clear();
  ScriptReader reader(script);
  std::vector<Step> lineSteps;
  while (reader.NextCommand(lineSteps, error)) steps.insert(steps.end(), lineSteps.begin(), lineSteps.end());
  if (error.message.empty()) return true;
  steps.clear();
  return false;
}

std::string Printable(const std::string& bytes) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  for (const char byte : bytes) {
    const auto value = static_cast<unsigned char>(byte);
    if (value >= 0x20 && value < 0x7F) {
      shown.push_back(byte);
    } else {
      shown += "\\x";
      shown.push_back(kHex[value >> 4]);
      shown.push_back(kHex[value & 0xF]);
    }
  }
  return shown;
}

}  // namespace replay
