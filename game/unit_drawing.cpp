// How each unit kind draws itself from the unit sheet, in two layers: the lower body with the field,
// the upper part after the blocks, so that blocks passing through a unit show between the two.
#include <cstddef>
#include <cstdint>

#include "game/sheet_drawing.h"
#include "game/unit.h"
#include "ge/graphic_engine.h"

namespace orvane {

namespace {

QuadTint tintColour(std::int32_t tint) {
  switch (tint) {
    case kTintNormal: return {1.0f, 1.0f, 1.0f, 1.0f};
    case kTintCanDrop: return {0.0f, 1.0f, 0.0f, 1.0f};
    case kTintCannotDrop: return {1.0f, 0.0f, 0.0f, 1.0f};
    case kTintUsedUp: return {0.5f, 0.5f, 0.5f, 1.0f};
    default: return {1.0f, 1.0f, 1.0f, 1.0f};  // any other value draws in white
  }
}

// The body of every kind: 48 × 32 over the 48 × 24 footprint. The lower layer reaches 8 pixels above
// the footprint, the upper one 12, so the upper part stands out above the blocks falling in.
constexpr std::int32_t kBodyWidth = 48;
constexpr std::int32_t kBodyHeight = 32;

// Selects the unit sheet and draws the body of the asked layer: the lower one is the same for every
// kind, the upper one is the kind's own.
void drawBody(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint, bool layer,
              const SheetRect& upperBody) {
  engine.SetTexture(ge::kUnitSheetSlot);
  if (!layer) {
    drawSheetRect(engine, kLowerBodyTile, x, y - 8, kBodyWidth, kBodyHeight, tintColour(tint));
  } else {
    drawSheetRect(engine, upperBody, x, y - 12, kBodyWidth, kBodyHeight, tintColour(tint));
  }
}

}  // namespace

void ZTriggerUnit::draw(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint,
                        bool layer) const {
  drawBody(engine, x, y, tint, layer, kTriggerBodyTile);
  if (!layer) return;
  // The side mark sits over the column the next block will leave through: left for 0, right for 1.
  drawSheetRect(engine, sideMarkTile(side == 0 ? 0 : 1), x + 32 * side, y - 12, 16, 16, tintColour(tint));
}

void ZSwapperUnit::draw(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint,
                        bool layer) const {
  drawBody(engine, x, y, tint, layer, kSwapperBodyTile);
}

void ZAccumulatorUnit::draw(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint,
                            bool layer) const {
  drawBody(engine, x, y, tint, layer, kAccumulatorBodyTile);
  if (!layer) return;
  // One small tile per stored colour, centred above the column it will leave through: the oldest
  // leaves on the right (port 2), the newest on the left.
  for (std::size_t i = 0; i < stored.size() && i < 3; ++i) {
    const std::int32_t column = 2 - static_cast<std::int32_t>(i);
    drawSheetRect(engine, storedColourTile(stored[i]), x + 4 + 16 * column, y - 2, 8, 8, tintColour(tint));
  }
}

}  // namespace orvane
