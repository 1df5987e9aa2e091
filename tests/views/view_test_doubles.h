// Test doubles for the view tests: an input engine that only holds a mouse position, and a unit that
// records the draw calls it receives instead of drawing.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

#include "game/unit.h"
#include "ie/input_engine.h"
#include "tests/support/recording_graphic_engine.h"

// The pointer stands still at (mouseX, mouseY) display pixels; no key or button is ever down.
class MouseAt final : public ie::XInputEngine {
 public:
  MouseAt(std::int32_t x = 0, std::int32_t y = 0) : mouseX(x), mouseY(y) {}

  void Update() override {}
  bool KeyChanged(std::int32_t, bool wasDown, bool isDown) const override { return !wasDown && !isDown; }
  bool KeyWasDown(std::int32_t) const override { return false; }
  bool KeyDown(std::int32_t) const override { return false; }
  std::int32_t MouseX() const override { return mouseX; }
  std::int32_t MouseY() const override { return mouseY; }
  bool ButtonChanged(std::int32_t, bool wasDown, bool isDown) const override { return !wasDown && !isDown; }
  bool ButtonWasDown(std::int32_t) const override { return false; }
  bool ButtonDown(std::int32_t) const override { return false; }
  void ClearKeys() override {}

  std::int32_t mouseX;
  std::int32_t mouseY;
};

struct DrawCall {
  std::int32_t x;
  std::int32_t y;
  std::int32_t tint;
  bool layer;
  std::size_t callIndex = 0;  // position among the engine's recorded calls when the unit was asked
  std::size_t sequence = 0;   // order among all spies' draws

  bool operator==(const DrawCall& other) const {
    return x == other.x && y == other.y && tint == other.tint && layer == other.layer;
  }
};

inline std::ostream& operator<<(std::ostream& stream, const DrawCall& call) {
  return stream << "draw at (" << call.x << ", " << call.y << ") tint " << call.tint << " layer " << call.layer;
}

// A unit that draws nothing and notes each draw request, with where it fell in the engine's call log.
class SpyUnit final : public orvane::XUnit {
 public:
  explicit SpyUnit(const char* help = "spy help") : help(help) {}

  bool accept(std::int32_t, std::int32_t) override { return false; }
  std::int32_t emit(std::int32_t) override { return 0; }
  void toggle() override {}
  void reset() override {}
  std::unique_ptr<orvane::XUnit> clone() const override { return std::make_unique<SpyUnit>(help); }
  void draw(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint,
            bool layer) const override {
    const auto* recording = dynamic_cast<const RecordingGraphicEngine*>(&engine);
    draws.push_back({x, y, tint, layer, recording != nullptr ? recording->calls.size() : 0, drawSequence++});
  }
  const char* kindName() const override { return "spy_unit"; }
  const char* helpText() const override { return help; }

  const char* help;
  mutable std::vector<DrawCall> draws;
  inline static std::size_t drawSequence = 0;
};
