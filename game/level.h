// One puzzle: the 11 × 11 field, inputs and targets, palette and allowances, placed units, blocks in
// play and the state of the current run.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/unit.h"

struct Game;

inline constexpr int kFieldSize = 11;
// Positions inside the field are measured in field units, 16 to a column and 12 to a row; the level
// view draws one field unit as one pixel.
inline constexpr std::int32_t kCellWidth = 16;
inline constexpr std::int32_t kCellHeight = 12;
inline constexpr std::int32_t kStepTicks = 64;
inline constexpr std::int32_t kDX[4] = {1, 0, -1, 0};
inline constexpr std::int32_t kDY[4] = {0, 1, 0, -1};

// Level texts write the colours 1, 2, 3 as the letters "A", "B", "C": the letter's byte value − 64.
constexpr std::int32_t colourOfLetter(char letter) { return static_cast<unsigned char>(letter) - 64; }

// Cell contents: 0 empty, 1..4 a conveyor of direction content − 1.
inline constexpr std::int32_t kEmptyCell = 0;
inline constexpr std::int32_t kDirectionRight = 0;
inline constexpr std::int32_t kDirectionDown = 1;
inline constexpr std::int32_t kDirectionLeft = 2;
inline constexpr std::int32_t kDirectionUp = 3;

// A block in play. y is negative while it waits above the field; colour 0 marks a block that is
// removed at the end of the move step.
struct Block {
  std::int32_t x = 0;
  std::int32_t y = 0;
  std::int32_t colour = 0;
};

// The top-left cell of a placed unit.
struct Cell {
  std::int32_t x = 0;
  std::int32_t y = 0;
};

struct PlacedUnit {
  std::unique_ptr<orvane::XUnit> unit;
  Cell cell;
};

// Palette entries, in order.
inline constexpr int kTriggerEntry = 0;
inline constexpr int kSwapperEntry = 1;
inline constexpr int kAccumulatorEntry = 2;

class Level {
 public:
  explicit Level(Game* owner);

  void setInput(std::int32_t column, const std::string& text);
  void setTarget(std::int32_t column, const std::string& text);
  void setHint(const std::string& text);
  void setAllowance(std::int32_t triggers, std::int32_t swappers, std::int32_t accumulators);

  // The placed unit whose footprint covers (x, y), or null. Any x and y may be asked.
  orvane::XUnit* unitAt(std::int32_t x, std::int32_t y) const;
  // The top-left cell of a placed unit; the unit must be placed.
  Cell cellOf(const orvane::XUnit* unit) const;
  // True when a unit with top-left cell (x, y) fits inside the field on empty, uncovered cells.
  bool canPlaceUnit(std::int32_t x, std::int32_t y) const;

  // Enters a unit at (x, y) after the units placed before it; returns it.
  orvane::XUnit* placeUnit(std::unique_ptr<orvane::XUnit> unit, Cell cell);
  // Takes a placed unit off the field and gives it back to its palette entry.
  void returnUnit(orvane::XUnit* unit);

  void start();
  void stop();
  void clear();
  void tick();

  Game* owner;
  std::array<std::array<std::int32_t, kFieldSize>, kFieldSize> cells{};  // [x][y]
  std::array<std::string, kFieldSize> inputs;
  std::array<std::string, kFieldSize> targets;
  std::array<std::int32_t, kFieldSize> delivered{};
  std::int32_t number = 0;
  std::int32_t difficulty = 0;
  bool running = false;
  bool failed = false;
  bool won = false;
  bool dragging = false;
  bool solved = false;
  std::int32_t dragIndex = 0;
  std::string failureText;
  std::string hint;
  std::vector<Block> blocks;
  std::vector<std::unique_ptr<orvane::XUnit>> palette;
  std::vector<std::int32_t> allowance;  // per palette entry; −1 not offered
  std::int32_t tickCount = 0;
  // Placed units keyed by a per-level placement sequence number, so that every walk over them
  // (emitting, drawing, hit tests) follows placement order and the same moves give the same run.
  std::map<std::uint64_t, PlacedUnit> units;
  std::uint64_t nextUnitSequence = 0;

 private:
  void giveBack(const orvane::XUnit& unit);
  void breakRule(const char* message);
};

// The direction a block moves in at its cell: the conveyor's, or down.
std::int32_t blockDirection(const Level& level, const Block& block);

struct GlidePosition {
  std::int32_t x;
  std::int32_t y;
};

// The block's position in field units at the level's current phase.
GlidePosition blockPosition(const Level& level, const Block& block);
