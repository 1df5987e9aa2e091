// The units the player places on the field: each covers 3 columns by 2 rows, takes blocks in at the
// top of its ports 0 (left), 1 (middle), 2 (right) and gives them out at the bottom.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

namespace ge {
class XGraphicEngine;
}

namespace orvane {

// The footprint of every unit, in cells.
inline constexpr std::int32_t kUnitColumns = 3;
inline constexpr std::int32_t kUnitRows = 2;

// Colours chosen by the `tint` argument of draw.
inline constexpr std::int32_t kTintNormal = 0;
inline constexpr std::int32_t kTintCanDrop = 1;
inline constexpr std::int32_t kTintCannotDrop = 2;
inline constexpr std::int32_t kTintUsedUp = 3;

class XUnit {
 public:
  virtual ~XUnit() = default;

  // A block of `colour` falls into the top of `port`; false refuses it (the run fails).
  virtual bool accept(std::int32_t port, std::int32_t colour) = 0;
  // The colour `port` gives out now, 0 for none. Called for ports 0, 1, 2 in that order.
  virtual std::int32_t emit(std::int32_t port) = 0;
  // The player clicked the placed unit.
  virtual void toggle() = 0;
  // Back to the state before the run.
  virtual void reset() = 0;
  virtual std::unique_ptr<XUnit> clone() const = 0;
  // One layer of the unit, the top-left corner of its 48 × 24 footprint at (x, y).
  virtual void draw(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint,
                    bool layer) const = 0;
  virtual const char* kindName() const = 0;
  // Windows-1251, lines separated by "\n".
  virtual const char* helpText() const = 0;
};

// Sends the blocks it takes in at its middle port alternately to its left and right ports.
class ZTriggerUnit final : public XUnit {
 public:
  bool accept(std::int32_t port, std::int32_t colour) override;
  std::int32_t emit(std::int32_t port) override;
  void toggle() override;
  void reset() override;
  std::unique_ptr<XUnit> clone() const override;
  void draw(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint,
            bool layer) const override;
  const char* kindName() const override;
  const char* helpText() const override;

  std::int32_t initialSide = 0;  // 0 left, 1 right: chosen by the player
  std::int32_t side = 0;         // side of the next output during a run
  std::int32_t held = 0;         // colour inside, 0 none
};

// Sends blocks from its left port out on the right and from its right port out on the left.
class ZSwapperUnit final : public XUnit {
 public:
  bool accept(std::int32_t port, std::int32_t colour) override;
  std::int32_t emit(std::int32_t port) override;
  void toggle() override;
  void reset() override;
  std::unique_ptr<XUnit> clone() const override;
  void draw(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint,
            bool layer) const override;
  const char* kindName() const override;
  const char* helpText() const override;

  std::int32_t fromLeft = 0;
  std::int32_t fromRight = 0;
};

// Gathers three blocks at its left port, then gives all three out at once: newest left, oldest right.
class ZAccumulatorUnit final : public XUnit {
 public:
  bool accept(std::int32_t port, std::int32_t colour) override;
  std::int32_t emit(std::int32_t port) override;
  void toggle() override;
  void reset() override;
  std::unique_ptr<XUnit> clone() const override;
  void draw(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint,
            bool layer) const override;
  const char* kindName() const override;
  const char* helpText() const override;

  std::vector<std::int32_t> stored;  // in order of arrival, never more than three
};

}  // namespace orvane
