// Leaves out the frames whose picture would be the one already on screen. Wraps an engine
// through its XGraphicEngineAccess: each frame's calls are written into a draw list first and played into the engine at
// EndFrame, unless the frame is still.
//
// The rule is exact. The engine's state (the back buffer, the canvas, the selected texture and
// render target) after a frame is a function of the state before it, the frame's draw list, the
// window size and the slots' images. A frame is still when all of those inputs equal the previous
// frame's AND the previous frame left the state as it found it: then drawing it would again leave
// the same state, and so would every frame after it with the same inputs. Equal draw lists alone
// are not enough, since the canvas is drawn with blending and semi-transparent pixels keep moving
// for a few frames after the list stops changing; that is why the state itself is compared, read
// back once per frame while a repeated list has not settled yet and never once it has.
// Only lists that clear the canvas before drawing into it count as repeatable: the canvas is then
// the list's alone, and the state left to compare is the back buffer and the selection.
#pragma once

#include <cstdint>
#include <vector>

#include "ge/draw_list.h"
#include "ge/graphic_engine.h"

namespace ge {

class XGraphicEngineAccess;

class StillFrameSkipper final : public XGraphicEngine {
 public:
  explicit StillFrameSkipper(XGraphicEngineAccess& engine);

  void BeginFrame() override;
  void Clear(float r, float g, float b) override { frame.Clear(r, g, b); }
  void EndFrame() override;
  void SetTexture(std::int32_t slot) override { frame.SetTexture(slot); }
  void DrawQuad(const Quad* quad) override { frame.DrawQuad(quad); }
  void SetRenderTarget(std::int32_t slot) override { frame.SetRenderTarget(slot); }
  void DrawText(float x, float y, const char* text, float r, float g, float b, float a) override {
    frame.DrawText(x, y, text, r, g, b, a);
  }

  // The window lost its pixels (uncovered, mapped again): the next frame is drawn and presented
  // even if it is still. Called on the thread that draws.
  void PresentAgain() { presentAgain = true; }

  // Whether the frame that ended last was left out, and how many were since construction.
  bool LastFrameSkipped() const { return lastFrameSkipped; }
  std::int64_t SkippedFrames() const { return skippedFrames; }

 private:
  // What a frame's picture depends on besides the state before it.
  struct Inputs {
    int windowWidth = 0;
    int windowHeight = 0;
    std::uint64_t slotImageChanges = 0;
    bool operator==(const Inputs&) const = default;
  };

  Inputs currentInputs() const;
  // Reads the engine's state, stores it as the last one and says whether it equals the one
  // stored before (false when there was none).
  bool stateUnchanged();

  XGraphicEngineAccess& access;
  XGraphicEngine& engine;
  DrawList frame;     // the frame being drawn
  DrawList previous;  // the frame before it, as drawn
  Inputs previousInputs;
  bool havePrevious = false;
  int repeats = 0;  // frames in a row whose list repeated the one before
  // The last frame repeated the one before it and left the state unchanged.
  bool settled = false;
  // The state after the last frame, valid while a repeated list is settling. The picture's
  // 900 KB are allocated at the first still screen and kept: reading back and comparing a band at
  // a time needs no second copy.
  std::vector<std::uint8_t> lastPicture;
  std::vector<std::uint8_t> band;
  std::int32_t lastSelection[2] = {};
  bool haveLastState = false;
  bool presentAgain = false;
  bool lastFrameSkipped = false;
  std::int64_t skippedFrames = 0;
};

}  // namespace ge
