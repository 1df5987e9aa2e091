// The rule book of a run: one tick per frame, a move step every 64 ticks, and the failure rules.
#include <array>
#include <cstddef>
#include <vector>

#include "base/cp1251.h"
#include "game/level.h"

namespace {

const char* const kBlocksCollided = "столкновение блоков"_cp1251;
const char* const kOutOfBounds = "выход блока за границу"_cp1251;
const char* const kWrongColour = "неверный цвет блока"_cp1251;
const char* const kHitControlBlock = "столкновение блока\nс управляющим блоком"_cp1251;
const char* const kFellOffConveyor = "блок упал с конвеера"_cp1251;

// Squared distance in field units below which two gliding blocks collide.
constexpr std::int32_t kCollisionDistanceSquared = 50;

bool insideField(std::int32_t x, std::int32_t y) { return x >= 0 && x < kFieldSize && y >= 0 && y < kFieldSize; }

}  // namespace

std::int32_t blockDirection(const Level& level, const Block& block) {
  if (insideField(block.x, block.y)) {
    const std::int32_t content = level.cells[block.x][block.y];
    if (content > 0) return content - 1;
  }
  return kDirectionDown;
}

namespace {

// Shift of a gliding block along its direction at one phase of the step.
struct GlideShift {
  std::int32_t horizontal;
  std::int32_t vertical;
};

GlideShift glideShift(std::int32_t phase) { return {phase / 4, (3 * phase) / 16}; }

GlidePosition glide(const Level& level, const Block& block, GlideShift shift) {
  const std::int32_t direction = blockDirection(level, block);
  return {kCellWidth * block.x + shift.horizontal * kDX[direction],
          kCellHeight * block.y + shift.vertical * kDY[direction]};
}

}  // namespace

GlidePosition blockPosition(const Level& level, const Block& block) {
  return glide(level, block, glideShift(level.tickCount % kStepTicks));
}

void Level::breakRule(const char* message) {
  failed = true;
  failureText = message;
}

void Level::tick() {
  if (!running || failed) return;
  ++tickCount;
  const std::int32_t phase = tickCount % kStepTicks;

  // Collision test: the first pair closer than the collision distance ends the tick. This is the
  // hot loop of a run (every pair, every tick), so each position is worked out once per tick.
  constexpr std::size_t kUsualBlocks = 32;
  std::array<GlidePosition, kUsualBlocks> usualPositions;
  std::vector<GlidePosition> manyPositions;
  GlidePosition* positions = usualPositions.data();
  if (blocks.size() > kUsualBlocks) {
    manyPositions.resize(blocks.size());
    positions = manyPositions.data();
  }
  const GlideShift shift = glideShift(phase);
  for (std::size_t i = 0; i < blocks.size(); ++i) positions[i] = glide(*this, blocks[i], shift);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const GlidePosition first = positions[i];
    for (std::size_t j = i + 1; j < blocks.size(); ++j) {
      const std::int32_t dx = first.x - positions[j].x;
      const std::int32_t dy = first.y - positions[j].y;
      if (dx * dx + dy * dy < kCollisionDistanceSquared) {
        breakRule(kBlocksCollided);
        return;
      }
    }
  }
  if (phase != 0) return;

  // Move phase: every block present now advances one cell; broken rules don't stop the others.
  const std::size_t movingCount = blocks.size();
  for (std::size_t i = 0; i < movingCount; ++i) {
    Block& block = blocks[i];
    const std::int32_t direction = blockDirection(*this, block);
    block.x += kDX[direction];
    block.y += kDY[direction];
    if (direction == kDirectionUp && block.y < 0) {
      breakRule(kOutOfBounds);
    } else if (block.y == kFieldSize && block.x >= 0 && block.x < kFieldSize) {
      // Left through the bottom edge of column x.
      const auto column = static_cast<std::size_t>(block.x);
      const std::string& target = targets[column];
      const auto expected = static_cast<std::size_t>(delivered[column]);
      if (expected == target.size()) {
        breakRule(kOutOfBounds);
      } else if (colourOfLetter(target[expected]) == block.colour) {
        block.colour = 0;
        ++delivered[column];
      } else {
        breakRule(kWrongColour);
      }
    } else if (block.x < 0 || block.x >= kFieldSize) {
      breakRule(kOutOfBounds);
    } else if (block.y < 0) {
      // Still queued above the field.
    } else if (unitAt(block.x, block.y) != nullptr) {
      // Only a block falling into the top row may enter; it is handed over in the accept phase.
      if (direction != kDirectionDown) breakRule(kHitControlBlock);
    } else if (cells[block.x][block.y] == kEmptyCell) {
      breakRule(kFellOffConveyor);
    }
  }

  // Emit phase: units give out what they took in at the previous step, before taking anything new.
  for (auto& [sequence, placed] : units) {
    for (std::int32_t port = 0; port < 3; ++port) {
      const std::int32_t colour = placed.unit->emit(port);
      if (colour != 0) blocks.push_back(Block{placed.cell.x + port, placed.cell.y + 1, colour});
    }
  }

  // Accept phase: blocks standing in a unit's top row are handed to it.
  if (!failed) {
    for (std::size_t i = 0; i < movingCount; ++i) {
      Block& block = blocks[i];
      if (block.colour == 0) continue;
      orvane::XUnit* unit = unitAt(block.x, block.y);
      if (unit == nullptr) continue;
      const Cell cell = cellOf(unit);
      if (cell.y != block.y) continue;
      if (unit->accept(block.x - cell.x, block.colour)) {
        block.colour = 0;
      } else {
        breakRule(kHitControlBlock);
      }
    }
  }

  std::erase_if(blocks, [](const Block& block) { return block.colour == 0; });

  bool complete = true;
  for (std::size_t column = 0; column < kFieldSize; ++column) {
    if (static_cast<std::size_t>(delivered[column]) != targets[column].size()) complete = false;
  }
  if (complete) {
    won = true;
    solved = true;
  }
}
