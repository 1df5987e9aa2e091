// The rules of the three unit kinds: what each takes in and gives out.
#include "base/cp1251.h"
#include "game/unit.h"

namespace orvane {

// Trigger: takes blocks in at its middle port and gives them out alternately left and right.

bool ZTriggerUnit::accept(std::int32_t port, std::int32_t colour) {
  if (port != 1) return false;
  held = colour;
  return true;
}

std::int32_t ZTriggerUnit::emit(std::int32_t port) {
  if (port != 2 * side || held == 0) return 0;
  const std::int32_t colour = held;
  side = 1 - side;
  held = 0;
  return colour;
}

void ZTriggerUnit::toggle() {
  initialSide = 1 - initialSide;
  side = 1 - side;
}

void ZTriggerUnit::reset() {
  side = initialSide;
  held = 0;
}

std::unique_ptr<XUnit> ZTriggerUnit::clone() const { return std::make_unique<ZTriggerUnit>(*this); }

const char* ZTriggerUnit::kindName() const { return "z_trigger_unit"; }

const char* ZTriggerUnit::helpText() const {
  return "Trigger:\nПоочередно\nвыводит блоки\nна левый и\nправый выходы."_cp1251;
}

// Swapper: what comes in on the left goes out on the right, and the other way round.

bool ZSwapperUnit::accept(std::int32_t port, std::int32_t colour) {
  if (port == 0) {
    fromLeft = colour;
    return true;
  }
  if (port == 2) {
    fromRight = colour;
    return true;
  }
  return false;
}

std::int32_t ZSwapperUnit::emit(std::int32_t port) {
  std::int32_t colour = 0;
  if (port == 0) {
    colour = fromRight;
    fromRight = 0;
  } else if (port == 2) {
    colour = fromLeft;
    fromLeft = 0;
  }
  return colour;
}

void ZSwapperUnit::toggle() {}

void ZSwapperUnit::reset() {
  fromLeft = 0;
  fromRight = 0;
}

std::unique_ptr<XUnit> ZSwapperUnit::clone() const { return std::make_unique<ZSwapperUnit>(*this); }

const char* ZSwapperUnit::kindName() const { return "z_swapper_unit"; }

const char* ZSwapperUnit::helpText() const {
  return "Swapper:\nПеренаправляет\nблоки слева на\nправый выход и\nсправа на левый."_cp1251;
}

// Accumulator: gathers three blocks at its left port, then gives them all out in one step.

namespace {
constexpr std::size_t kAccumulatorCapacity = 3;
}

bool ZAccumulatorUnit::accept(std::int32_t port, std::int32_t colour) {
  // A fourth block cannot arrive: the three are given out at the step after the third came in,
  // before anything new is taken. Refusing keeps the capacity even if the field says otherwise.
  if (port != 0 || stored.size() >= kAccumulatorCapacity) return false;
  stored.push_back(colour);
  return true;
}

std::int32_t ZAccumulatorUnit::emit(std::int32_t port) {
  if (stored.size() != kAccumulatorCapacity || port < 0 || port > 2) return 0;
  // Port 0 gives the newest, port 2 the oldest; ports are asked 0, 1, 2, so empty after port 2.
  const std::int32_t colour = stored[static_cast<std::size_t>(2 - port)];
  if (port == 2) stored.clear();
  return colour;
}

void ZAccumulatorUnit::toggle() {}

void ZAccumulatorUnit::reset() { stored.clear(); }

std::unique_ptr<XUnit> ZAccumulatorUnit::clone() const { return std::make_unique<ZAccumulatorUnit>(*this); }

const char* ZAccumulatorUnit::kindName() const { return "z_accumulator_unit"; }

const char* ZAccumulatorUnit::helpText() const {
  return "Accumulator:\nНакапливает три\nблока, а затем\nодновременно\nвыводит их."_cp1251;
}

}  // namespace orvane
