// Test doubles for the view tests: a unit that notes the draw calls it receives instead of drawing,
// and a helper that rests the scripted pointer at a logical point.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>
#include <ostream>
#include <vector>

#include "game/sheet_layout.h"
#include "game/unit.h"
#include "ie/input_engine_scripted.h"
#include "tests/support/recording_graphic_engine.h"

// The views read display pixels halved: logical (x, y) is display (2x, 2y).
inline void pointAt(ie::ScriptedInputEngine& input, std::int32_t logicalX, std::int32_t logicalY) {
  input.SetPointer(2 * logicalX, 2 * logicalY);
  input.Update();
}

// The rectangle of `sheet` that a drawn quad shows, in pixels of the sheet: its texture
// coordinates scaled back by the sheet's size.
inline SheetRect sheetRectOf(const RecordedQuad& quad, SheetSize sheet) {
  const auto pixels = [](float fraction, std::int32_t size) {
    return static_cast<std::int32_t>(std::lround(fraction * static_cast<float>(size)));
  };
  const std::int32_t x = pixels(quad.u0(), sheet.width);
  const std::int32_t y = pixels(quad.v0(), sheet.height);
  return {sheet, x, y, pixels(quad.u1(), sheet.width) - x, pixels(quad.v1(), sheet.height) - y};
}

inline std::ostream& operator<<(std::ostream& stream, const SheetRect& tile) {
  return stream << tile.width << " x " << tile.height << " at (" << tile.x << ", " << tile.y << ") of a "
                << tile.sheet.width << " x " << tile.sheet.height << " sheet";
}

struct DrawCall {
  std::int32_t x, y, tint;
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

class SpyUnit final : public orvane::XUnit {
 public:
  explicit SpyUnit(const char* help = "spy help") : help(help) {}

  bool accept(std::int32_t, std::int32_t) override { return false; }
  std::int32_t emit(std::int32_t) override { return 0; }
  void toggle() override {}
  void reset() override {}
  std::unique_ptr<orvane::XUnit> clone() const override { return std::make_unique<SpyUnit>(help); }
  void draw(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint, bool layer) const override {
    const auto* recording = dynamic_cast<const RecordingGraphicEngine*>(&engine);
    draws.push_back({x, y, tint, layer, recording != nullptr ? recording->calls.size() : 0, drawSequence++});
  }
  const char* kindName() const override { return "spy_unit"; }
  const char* helpText() const override { return help; }

  const char* help;
  mutable std::vector<DrawCall> draws;
  inline static std::size_t drawSequence = 0;
};
