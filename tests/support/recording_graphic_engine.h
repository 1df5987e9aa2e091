// A graphic engine for tests: it draws nothing and records every call in order, with its full
// arguments, so that tests can check what a view asked for and in which order.
#pragma once

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "ge/graphic_engine.h"

enum class CallKind { BeginFrame, Clear, EndFrame, SetTexture, DrawQuad, SetRenderTarget, DrawText };

// Readable names in test failure messages.
std::ostream& operator<<(std::ostream& stream, CallKind kind);

// One recorded call; only the fields of its kind are meaningful, the rest keep their defaults.
struct RecordedCall {
  CallKind kind = CallKind::BeginFrame;
  std::int32_t slot = 0;      // SetTexture, SetRenderTarget
  ge::Quad quad{};            // DrawQuad: a copy of the caller's quad
  std::int32_t texture = -1;  // DrawQuad: the slot selected by the last SetTexture, −1 if none yet
  std::string text;           // DrawText: the bytes up to the terminator
  float x = 0.0f, y = 0.0f;   // DrawText
  float r = 0.0f, g = 0.0f, b = 0.0f;  // Clear, DrawText
  float a = 0.0f;             // DrawText
};

// A drawn quad with the texture slot it was drawn with; the corner, size and texture rectangle.
struct RecordedQuad {
  ge::Quad quad;
  std::int32_t texture;

  float x() const { return quad.vertices[0].x; }
  float y() const { return quad.vertices[0].y; }
  float width() const { return quad.vertices[1].x - quad.vertices[0].x; }
  float height() const { return quad.vertices[2].y - quad.vertices[0].y; }
  float u0() const { return quad.vertices[0].u; }
  float v0() const { return quad.vertices[0].v; }
  float u1() const { return quad.vertices[3].u; }
  float v1() const { return quad.vertices[3].v; }
  std::uint32_t colour() const { return quad.vertices[0].colour; }
  // {x, y, width, height, u0, v0, u1, v1}, for comparing whole rectangles at once.
  std::array<float, 8> rectangle() const { return {x(), y(), width(), height(), u0(), v0(), u1(), v1()}; }
};

struct RecordedText {
  std::string text;
  float x, y, r, g, b, a;

  // {x, y, r, g, b, a}, for comparing place and colour at once.
  std::array<float, 6> placeAndColour() const { return {x, y, r, g, b, a}; }
};

class RecordingGraphicEngine final : public ge::XGraphicEngine {
 public:
  static constexpr std::int32_t kAnyTexture = -2;

  void BeginFrame() override { record(CallKind::BeginFrame); }
  void Clear(float r, float g, float b) override;
  void EndFrame() override { record(CallKind::EndFrame); }
  void SetTexture(std::int32_t slot) override;
  void DrawQuad(const ge::Quad* quad) override;
  void SetRenderTarget(std::int32_t slot) override { record(CallKind::SetRenderTarget).slot = slot; }
  void DrawText(float x, float y, const char* text, float r, float g, float b, float a) override;

  // Forgets the recorded calls; the selected texture is kept, as a real engine keeps it.
  void clear() { calls.clear(); }

  // The DrawQuad calls in order, all of them or those drawn with one texture slot.
  std::vector<RecordedQuad> quads(std::int32_t slot = kAnyTexture) const;
  // The DrawText calls in order.
  std::vector<RecordedText> texts() const;
  // The kinds of all calls in order, e.g. to compare against an expected sequence.
  std::vector<CallKind> kinds() const;

  std::vector<RecordedCall> calls;
  std::int32_t currentTexture = -1;  // the slot of the last SetTexture, −1 before any

 private:
  RecordedCall& record(CallKind kind) {
    RecordedCall& call = calls.emplace_back();
    call.kind = kind;
    return call;
  }
};
