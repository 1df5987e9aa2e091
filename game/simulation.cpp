// The rule book of a run: one tick per frame, a move step every 64 ticks, and the failure rules.
#include <array>
#include <cstddef>
#include <string>
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

namespace {

// True when some pair of blocks at their gliding positions of this phase stands closer than the
// collision distance. This is the hot loop of a run (every pair, every tick), so each position is
// worked out once per tick, on the stack while the blocks are few.
bool anyBlocksCollide(const Level& level, std::int32_t phase) {
  const std::vector<Block>& blocks = level.blocks;
  constexpr std::size_t kUsualBlocks = 32;
  std::array<GlidePosition, kUsualBlocks> usualPositions;
  std::vector<GlidePosition> manyPositions;
  GlidePosition* positions = usualPositions.data();
  if (blocks.size() > kUsualBlocks) {
    manyPositions.resize(blocks.size());
    positions = manyPositions.data();
  }
  const GlideShift shift = glideShift(phase);
  for (std::size_t i = 0; i < blocks.size(); ++i) positions[i] = glide(level, blocks[i], shift);
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    const GlidePosition first = positions[i];
    for (std::size_t j = i + 1; j < blocks.size(); ++j) {
      const std::int32_t dx = first.x - positions[j].x;
      const std::int32_t dy = first.y - positions[j].y;
      if (dx * dx + dy * dy < kCollisionDistanceSquared) return true;
    }
  }
  return false;
}

// A block that has just left through the bottom edge of its column: delivered (its colour becomes
// 0, to be removed) when it is the colour the column's target expects next. The rule it breaks
// otherwise, or null.
const char* deliverBlock(Level& level, Block& block) {
  const auto column = static_cast<std::size_t>(block.x);
  const std::string& target = level.targets[column];
  const auto expected = static_cast<std::size_t>(level.delivered[column]);
  if (expected == target.size()) return kOutOfBounds;
  if (colourOfLetter(target[expected]) != block.colour) return kWrongColour;
  block.colour = 0;
  ++level.delivered[column];
  return nullptr;
}

// Moves a block one cell along its direction and judges where it arrived: the rule the move
// breaks, or null.
const char* moveBlock(Level& level, Block& block) {
  const std::int32_t direction = blockDirection(level, block);
  block.x += kDX[direction];
  block.y += kDY[direction];
  if (direction == kDirectionUp && block.y < 0) return kOutOfBounds;
  if (block.y == kFieldSize && block.x >= 0 && block.x < kFieldSize) return deliverBlock(level, block);
  if (block.x < 0 || block.x >= kFieldSize) return kOutOfBounds;
  if (block.y < 0) return nullptr;  // still queued above the field
  // Only a block falling into the top row may enter a unit; it is handed over after the units emit.
  if (level.unitAt(block.x, block.y) != nullptr) return direction == kDirectionDown ? nullptr : kHitControlBlock;
  if (level.cells[block.x][block.y] == kEmptyCell) return kFellOffConveyor;
  return nullptr;
}

// Units give out what they took in at the previous step, before taking anything new, into their
// bottom row below each port.
void emitFromUnits(Level& level) {
  for (auto& [sequence, placed] : level.units) {
    for (std::int32_t port = 0; port < orvane::kUnitColumns; ++port) {
      const std::int32_t colour = placed.unit->emit(port);
      if (colour != 0) level.blocks.push_back(Block{placed.cell.x + port, placed.cell.y + 1, colour});
    }
  }
}

// A block standing in a unit's top row is handed to the unit at the port above it; taken in, its
// colour becomes 0 (it is removed). The rule broken when the unit refuses it, or null.
const char* handOver(Level& level, Block& block) {
  if (block.colour == 0) return nullptr;
  orvane::XUnit* unit = level.unitAt(block.x, block.y);
  if (unit == nullptr) return nullptr;
  const Cell cell = level.cellOf(unit);
  if (cell.y != block.y) return nullptr;
  if (!unit->accept(block.x - cell.x, block.colour)) return kHitControlBlock;
  block.colour = 0;
  return nullptr;
}

bool allTargetsComplete(const Level& level) {
  for (std::size_t column = 0; column < kFieldSize; ++column) {
    if (static_cast<std::size_t>(level.delivered[column]) != level.targets[column].size()) return false;
  }
  return true;
}

}  // namespace

void Level::tick() {
  if (!running || failed) return;
  ++tickCount;
  const std::int32_t phase = tickCount % kStepTicks;
  // The first collision ends the tick; nothing moves in it.
  if (anyBlocksCollide(*this, phase)) {
    breakRule(kBlocksCollided);
    return;
  }
  if (phase != 0) return;

  // The move step. Only the blocks present now move and are handed over; those the units give out
  // in this step move at the next one. A broken rule does not stop the other blocks, so the message
  // of the last one in list order stays.
  const std::size_t movingCount = blocks.size();
  for (std::size_t i = 0; i < movingCount; ++i) {
    if (const char* rule = moveBlock(*this, blocks[i])) breakRule(rule);
  }
  emitFromUnits(*this);
  if (!failed) {
    for (std::size_t i = 0; i < movingCount; ++i) {
      if (const char* rule = handOver(*this, blocks[i])) breakRule(rule);
    }
  }
  std::erase_if(blocks, [](const Block& block) { return block.colour == 0; });
  if (allTargetsComplete(*this)) {
    won = true;
    solved = true;
  }
}
