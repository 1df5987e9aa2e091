// One frame's calls into a graphic engine, written down in order so that two frames can be
// compared exactly and a frame can be played into a real engine later.
// Supports: every drawing call of XGraphicEngine; equality of the bytes of the calls (a float
// compares by its bits, so −0 and +0 differ: such a frame simply counts as changed). Does not:
// record BeginFrame or EndFrame (the list is what lies between them).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "ge/graphic_engine.h"

namespace ge {

class DrawList final : public XGraphicEngine {
 public:
  // Starts an empty list.
  void BeginFrame() override;
  void Clear(float r, float g, float b) override;
  // Nothing to do: the list is complete.
  void EndFrame() override {}
  void SetTexture(std::int32_t slot) override;
  void DrawQuad(const Quad* quad) override;
  void SetRenderTarget(std::int32_t slot) override;
  void DrawText(float x, float y, const char* text, float r, float g, float b, float a) override;

  // Makes the same calls, in the same order, on `engine`.
  void Replay(XGraphicEngine& engine) const;

  bool Empty() const { return bytes.empty(); }
  // True when the list draws into a texture slot other than the canvas: its picture then also
  // depends on that slot's contents.
  bool DrawsIntoSlots() const { return drawsIntoSlots; }
  // True when the list clears the canvas before anything could be drawn into it: the canvas after
  // the list then depends on the list alone, not on what the canvas held before.
  bool ClearsCanvasFirst() const { return canvasClearedFirst; }

  bool operator==(const DrawList& other) const { return bytes == other.bytes; }

 private:
  enum class Call : std::uint8_t { Clear, SetTexture, DrawQuad, SetRenderTarget, DrawText };

  template <typename Value>
  void put(const Value& value);

  // The render target as the list has set it; unknown until its first SetRenderTarget.
  static constexpr std::int32_t kUnknownTarget = -2;

  void noteDrawing();

  std::vector<std::byte> bytes;
  bool drawsIntoSlots = false;
  std::int32_t target = kUnknownTarget;
  bool canvasDrawn = false;
  bool canvasClearedFirst = false;
};

}  // namespace ge
