// The game's state as plain text, one "key: value" line each, for replay scripts to check:
//
//   screen: select | level N
//   intro: T
//   running, failed, won, solved (0 or 1), tick, failure, allowance, delivered,
//   cells: and 11 rows of 11 characters, units, blocks   (only while a level is open)
//   levels-solved: one digit per level, catalogue order
#pragma once

#include <string>

struct Game;

namespace replay {

std::string DumpGame(const Game& game);

// A Windows-1251 text in UTF-8, each line break written as the two characters \n.
std::string ReadableText(const std::string& windows1251);

}  // namespace replay
