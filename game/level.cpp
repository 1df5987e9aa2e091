// The level: its field, palette and placed units, and the Run, Stop and Clear operations.
#include "game/level.h"

#include <cassert>

Level::Level(Game* owner) : owner(owner) {
  palette.push_back(std::make_unique<orvane::ZTriggerUnit>());
  palette.push_back(std::make_unique<orvane::ZSwapperUnit>());
  palette.push_back(std::make_unique<orvane::ZAccumulatorUnit>());
  allowance.assign(palette.size(), -1);
}

void Level::setInput(std::int32_t column, const std::string& text) {
  assert(column >= 0 && column < kFieldSize && "input column outside the field");
  inputs[static_cast<std::size_t>(column)] = text;
}

void Level::setTarget(std::int32_t column, const std::string& text) {
  assert(column >= 0 && column < kFieldSize && "target column outside the field");
  targets[static_cast<std::size_t>(column)] = text;
}

void Level::setHint(const std::string& text) { hint = text; }

void Level::setAllowance(std::int32_t triggers, std::int32_t swappers, std::int32_t accumulators) {
  allowance = {triggers, swappers, accumulators};
}

orvane::XUnit* Level::unitAt(std::int32_t x, std::int32_t y) const {
  for (const auto& [sequence, placed] : units) {
    if (placed.cell.x <= x && x < placed.cell.x + orvane::kUnitColumns && placed.cell.y <= y &&
        y < placed.cell.y + orvane::kUnitRows) {
      return placed.unit.get();
    }
  }
  return nullptr;
}

Cell Level::cellOf(const orvane::XUnit* unit) const {
  for (const auto& [sequence, placed] : units) {
    if (placed.unit.get() == unit) return placed.cell;
  }
  assert(false && "cellOf asked for a unit that is not placed");
  return {};
}

bool Level::canPlaceUnit(std::int32_t x, std::int32_t y) const {
  if (x < 0 || x > kFieldSize - orvane::kUnitColumns || y < 0 || y > kFieldSize - orvane::kUnitRows) return false;
  for (std::int32_t column = x; column < x + orvane::kUnitColumns; ++column) {
    for (std::int32_t row = y; row < y + orvane::kUnitRows; ++row) {
      if (cells[column][row] != kEmptyCell || unitAt(column, row) != nullptr) return false;
    }
  }
  return true;
}

orvane::XUnit* Level::placeUnit(std::unique_ptr<orvane::XUnit> unit, Cell cell) {
  orvane::XUnit* placed = unit.get();
  units.emplace(nextUnitSequence++, PlacedUnit{std::move(unit), cell});
  return placed;
}

void Level::giveBack(const orvane::XUnit& unit) {
  // The first offered palette entry of the same kind gets the unit back.
  for (std::size_t i = 0; i < palette.size(); ++i) {
    if (allowance[i] >= 0 && std::string(palette[i]->kindName()) == unit.kindName()) {
      ++allowance[i];
      return;
    }
  }
}

void Level::returnUnit(orvane::XUnit* unit) {
  for (auto it = units.begin(); it != units.end(); ++it) {
    if (it->second.unit.get() == unit) {
      giveBack(*unit);
      units.erase(it);
      return;
    }
  }
}

void Level::start() {
  if (running) return;
  blocks.clear();
  for (std::int32_t column = 0; column < kFieldSize; ++column) {
    const std::string& input = inputs[static_cast<std::size_t>(column)];
    for (std::size_t i = 0; i < input.size(); ++i) {
      // The first letter waits directly above the field, the later ones queue above it.
      blocks.push_back(Block{column, -1 - static_cast<std::int32_t>(i), colourOfLetter(input[i])});
    }
  }
  tickCount = 0;
  running = true;
}

void Level::stop() {
  if (!running) return;
  delivered.fill(0);
  blocks.clear();
  failed = false;
  won = false;
  for (auto& [sequence, placed] : units) placed.unit->reset();
  running = false;
}

void Level::clear() {
  if (running) return;
  for (auto& column : cells) column.fill(kEmptyCell);
  for (auto& [sequence, placed] : units) giveBack(*placed.unit);
  units.clear();
}
