// Writing the game's state out for replay scripts.
#include "tools/replay/replay_dump.h"

#include <string_view>

#include "base/cp1251.h"
#include "game/game.h"

namespace replay {

namespace {

void appendUtf8(std::string& text, char32_t codePoint) {
  if (codePoint < 0x80) {
    text += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    text += static_cast<char>(0xC0 | (codePoint >> 6));
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    text += static_cast<char>(0xE0 | (codePoint >> 12));
    text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}

char cellCharacter(const Level& level, std::int32_t x, std::int32_t y) {
  if (level.unitAt(x, y) != nullptr) return '#';
  switch (level.cells[static_cast<std::size_t>(x)][static_cast<std::size_t>(y)]) {
    case 0: return '.';
    case 1: return '>';
    case 2: return 'v';
    case 3: return '<';
    case 4: return '^';
    default: return '?';
  }
}

std::string unitName(const orvane::XUnit& unit) {
  const std::string_view kind = unit.kindName();
  if (kind == "z_trigger_unit") return "trigger";
  if (kind == "z_swapper_unit") return "swapper";
  if (kind == "z_accumulator_unit") return "accumulator";
  return std::string(kind);
}

char colourLetter(std::int32_t colour) {
  return colour >= 1 && colour <= 3 ? static_cast<char>('A' + colour - 1) : '?';
}

// "key: value", or just "key:" when there is no value.
void addLine(std::string& dump, const char* key, const std::string& value) {
  dump += key;
  dump += ':';
  if (!value.empty()) {
    dump += ' ';
    dump += value;
  }
  dump += '\n';
}

std::string flag(bool value) { return value ? "1" : "0"; }

void dumpLevel(std::string& dump, const Level& level) {
  addLine(dump, "running", flag(level.running));
  addLine(dump, "failed", flag(level.failed));
  addLine(dump, "won", flag(level.won));
  addLine(dump, "solved", flag(level.solved));
  addLine(dump, "tick", std::to_string(level.tickCount));
  addLine(dump, "failure", ReadableText(level.failureText));

  std::string numbers;
  for (std::int32_t value : level.allowance) numbers += (numbers.empty() ? "" : " ") + std::to_string(value);
  addLine(dump, "allowance", numbers);
  numbers.clear();
  for (std::int32_t value : level.delivered) numbers += (numbers.empty() ? "" : " ") + std::to_string(value);
  addLine(dump, "delivered", numbers);

  addLine(dump, "cells", "");
  for (std::int32_t y = 0; y < kFieldSize; ++y) {
    for (std::int32_t x = 0; x < kFieldSize; ++x) dump += cellCharacter(level, x, y);
    dump += '\n';
  }

  std::string units;
  for (const auto& [sequence, placed] : level.units) {
    if (!units.empty()) units += "; ";
    units += unitName(*placed.unit) + "@" + std::to_string(placed.cell.x) + "," + std::to_string(placed.cell.y);
    if (const auto* trigger = dynamic_cast<const orvane::ZTriggerUnit*>(placed.unit.get())) {
      units += " side=" + std::to_string(trigger->side);
    }
  }
  addLine(dump, "units", units);

  std::string blocks;
  for (const Block& block : level.blocks) {
    if (!blocks.empty()) blocks += ' ';
    blocks += std::to_string(block.x) + "," + std::to_string(block.y) + "," + colourLetter(block.colour);
  }
  addLine(dump, "blocks", blocks);
}

}  // namespace

std::string ReadableText(const std::string& windows1251) {
  std::string text;
  for (const char byte : windows1251) {
    if (byte == '\n') {
      text += "\\n";
      continue;
    }
    const char32_t codePoint = cp1251::ToUnicode(static_cast<unsigned char>(byte));
    // The one byte the code page leaves unassigned shows as the replacement character.
    appendUtf8(text, codePoint == 0 && byte != '\0' ? U'\uFFFD' : codePoint);
  }
  return text;
}

std::string DumpGame(const Game& game) {
  std::string dump;
  const bool levelOpen = game.currentLevel >= 0 && static_cast<std::size_t>(game.currentLevel) < game.levels.size();
  addLine(dump, "screen", levelOpen ? "level " + std::to_string(game.levels[game.currentLevel]->number) : "select");
  addLine(dump, "intro", std::to_string(game.introTimer));
  if (levelOpen) dumpLevel(dump, *game.levels[static_cast<std::size_t>(game.currentLevel)]);
  std::string solved;
  for (const auto& level : game.levels) solved += level->solved ? '1' : '0';
  addLine(dump, "levels-solved", solved);
  return dump;
}

}  // namespace replay
