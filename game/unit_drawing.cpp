// How each unit kind draws itself from the unit sheet, in two layers: the lower body with the field,
// the upper part after the blocks, so that blocks passing through a unit show between the two.
#include <cstddef>
#include <cstdint>

#include "game/unit.h"
#include "ge/graphic_engine.h"
#include "ge/quad.h"

namespace orvane {

namespace {

struct TintColour {
  float r;
  float g;
  float b;
};

TintColour tintColour(std::int32_t tint) {
  switch (tint) {
    case kTintNormal: return {1.0f, 1.0f, 1.0f};
    case kTintCanDrop: return {0.0f, 1.0f, 0.0f};
    case kTintCannotDrop: return {1.0f, 0.0f, 0.0f};
    case kTintUsedUp: return {0.5f, 0.5f, 0.5f};
    default: return {1.0f, 1.0f, 1.0f};  // any other value draws in white
  }
}

// One rectangle of the unit sheet (u, v as fractions of the image) drawn at (x, y), w × h.
void drawSheetPart(ge::XGraphicEngine& engine, float x, float y, float width, float height, float u0,
                   float v0, float u1, float v1, std::int32_t tint) {
  ge::Quad quad;
  ge::MakeQuad(quad, x, y, width, height);
  ge::SetQuadTexture(quad, u0, v0, u1, v1);
  const TintColour colour = tintColour(tint);
  ge::TintQuad(quad, colour.r, colour.g, colour.b, 1.0f);
  engine.DrawQuad(&quad);
}

// The body of every kind: 48 × 32 over the 48 × 24 footprint. The lower layer reaches 8 pixels above
// the footprint, the upper one 12, so the upper part stands out above the blocks falling in.
constexpr float kBodyWidth = 48.0f;
constexpr float kBodyHeight = 32.0f;
constexpr float kBodyU1 = 0.375f;

// Selects the unit sheet and draws the body of the asked layer. The lower layer is the same for
// every kind; `upperV0` picks the kind's upper body: 0.25 trigger, 0.5 swapper, 0.75 accumulator.
void drawBody(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint, bool layer,
              float upperV0) {
  engine.SetTexture(ge::kUnitSheetSlot);
  if (!layer) {
    drawSheetPart(engine, static_cast<float>(x), static_cast<float>(y - 8), kBodyWidth, kBodyHeight, 0.0f, 0.0f,
                  kBodyU1, 0.25f, tint);
  } else {
    drawSheetPart(engine, static_cast<float>(x), static_cast<float>(y - 12), kBodyWidth, kBodyHeight, 0.0f,
                  upperV0, kBodyU1, upperV0 + 0.25f, tint);
  }
}

}  // namespace

void ZTriggerUnit::draw(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint,
                        bool layer) const {
  drawBody(engine, x, y, tint, layer, 0.25f);
  if (!layer) return;
  // The side mark sits over the column the next block will leave through: left for 0, right for 1.
  const float markV0 = side == 0 ? 0.25f : 0.375f;
  drawSheetPart(engine, static_cast<float>(x + 32 * side), static_cast<float>(y - 12), 16.0f, 16.0f, 0.375f,
                markV0, 0.5f, markV0 + 0.125f, tint);
}

void ZSwapperUnit::draw(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint,
                        bool layer) const {
  drawBody(engine, x, y, tint, layer, 0.5f);
}

void ZAccumulatorUnit::draw(ge::XGraphicEngine& engine, std::int32_t x, std::int32_t y, std::int32_t tint,
                            bool layer) const {
  drawBody(engine, x, y, tint, layer, 0.75f);
  if (!layer) return;
  // One small tile per stored colour, centred above the column it will leave through: the oldest
  // leaves on the right (port 2), the newest on the left.
  for (std::size_t i = 0; i < stored.size() && i < 3; ++i) {
    const float colourOffset = static_cast<float>(stored[i]) / 16.0f;
    const std::int32_t column = 2 - static_cast<std::int32_t>(i);
    drawSheetPart(engine, static_cast<float>(x + 4 + 16 * column), static_cast<float>(y - 2), 8.0f, 8.0f,
                  0.375f, 0.75f + colourOffset, 0.4375f, 0.8125f + colourOffset, tint);
  }
}

}  // namespace orvane
