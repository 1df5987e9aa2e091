// Laying written-down layouts on a level and running the machine.
#include "support/level_layout.h"

#include <cstring>
#include <memory>

#include "base/cp1251.h"

namespace layout {

std::string layConveyors(Level& level, const std::array<const char*, 11>& rows) {
  for (std::int32_t y = 0; y < kFieldSize; ++y) {
    const char* row = rows[static_cast<std::size_t>(y)];
    if (row == nullptr || std::strlen(row) != kFieldSize) {
      return "row " + std::to_string(y) + " is not 11 characters long";
    }
    for (std::int32_t x = 0; x < kFieldSize; ++x) {
      const std::int32_t content = level_solutions::cellContent(row[x]);
      if (content < 0) return "row " + std::to_string(y) + " has an unknown character '" + row[x] + "'";
      level.cells[x][y] = content;
    }
  }
  return "";
}

std::string placeFromPalette(Level& level, const level_solutions::Placement& placement) {
  const std::int32_t entry = placement.paletteEntry;
  if (entry < 0 || static_cast<std::size_t>(entry) >= level.palette.size()) return "no palette entry " + std::to_string(entry);
  const auto index = static_cast<std::size_t>(entry);
  if (level.allowance[index] <= 0) return "palette entry " + std::to_string(entry) + " has no unit left";
  if (!level.canPlaceUnit(placement.x, placement.y)) {
    return "a unit cannot stand at (" + std::to_string(placement.x) + ", " + std::to_string(placement.y) + ")";
  }
  orvane::XUnit* unit = level.placeUnit(level.palette[index]->clone(), Cell{placement.x, placement.y});
  --level.allowance[index];
  if (placement.side == level_solutions::kRight) unit->toggle();
  return "";
}

std::string applySolution(Level& level, const level_solutions::Solution& solution) {
  std::string problem = layConveyors(level, solution.rows);
  if (!problem.empty()) return problem;
  for (const level_solutions::Placement& placement : solution.units) {
    problem = placeFromPalette(level, placement);
    if (!problem.empty()) return problem;
  }
  return "";
}

RunOutcome runUntilSettled(Level& level, std::int32_t tickLimit) {
  level.start();
  while (!level.won && !level.failed && level.tickCount < tickLimit) level.tick();
  return RunOutcome{level.won, level.failed, level.tickCount, level.failureText};
}

void runTicks(Level& level, std::int32_t count) {
  for (std::int32_t i = 0; i < count; ++i) level.tick();
}

void downColumn(Level& level, std::int32_t column, std::int32_t fromRow) {
  for (std::int32_t y = fromRow; y < kFieldSize; ++y) level.cells[column][y] = level_solutions::cellContent('v');
}

Blocks blocksOf(const Level& level) {
  Blocks blocks;
  for (const Block& block : level.blocks) blocks.push_back({block.x, block.y, block.colour});
  return blocks;
}

std::string readable(const std::string& windows1251) {
  std::string utf8;
  for (const char byte : windows1251) {
    const char32_t codePoint = cp1251::ToUnicode(static_cast<unsigned char>(byte));
    if (codePoint < 0x80) {
      utf8 += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
      utf8 += {static_cast<char>(0xC0 | (codePoint >> 6)), static_cast<char>(0x80 | (codePoint & 0x3F))};
    } else {
      utf8 += {static_cast<char>(0xE0 | (codePoint >> 12)), static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F)),
               static_cast<char>(0x80 | (codePoint & 0x3F))};
    }
  }
  return utf8;
}

}  // namespace layout
