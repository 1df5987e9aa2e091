// The still-frame rule (see the header for why it is exact).
#include "ge/still_frame_skipper.h"

#include <utility>

#include "ge/graphic_engine_gl.h"

namespace ge {

void StillFrameSkipper::BeginFrame() {
  // The engine's own frame start reads the window size; nothing is drawn by it.
  engine.BeginFrame();
  frame.BeginFrame();
}

StillFrameSkipper::Inputs StillFrameSkipper::currentInputs() const {
  return {engine.WindowWidth(), engine.WindowHeight(), engine.SlotImageChanges()};
}

void StillFrameSkipper::EndFrame() {
  const Inputs inputs = currentInputs();
  const bool repeated = havePrevious && frame == previous && inputs == previousInputs && !frame.DrawsIntoSlots();
  lastFrameSkipped = repeated && settled && !presentAgain;
  if (lastFrameSkipped) {
    ++skippedFrames;
    return;
  }
  presentAgain = false;
  frame.Replay(engine);
  engine.EndFrame();

  if (!repeated) {
    settled = false;
    releaseStates();
  } else if (!settled) {
    readState(newState);
    settled = haveLastState && newState == lastState;
    if (settled) {
      releaseStates();
    } else {
      std::swap(lastState, newState);
      haveLastState = true;
    }
  }
  // A settled frame drawn again (PresentAgain) is a fixed point: it changed nothing.
  std::swap(previous, frame);
  previousInputs = inputs;
  havePrevious = true;
}

void StillFrameSkipper::readState(std::vector<std::uint8_t>& state) const {
  std::vector<std::uint8_t> canvas;
  int width = 0;
  int height = 0;
  engine.ReadBackBuffer(state);
  engine.ReadTexture(kCanvasSlot, canvas, width, height);
  state.insert(state.end(), canvas.begin(), canvas.end());
  const std::int32_t selection[2] = {engine.SelectedTexture(), engine.RenderTarget()};
  const auto* first = reinterpret_cast<const std::uint8_t*>(selection);
  state.insert(state.end(), first, first + sizeof selection);
}

// About 1.4 MB each: they are only needed while a still picture settles.
void StillFrameSkipper::releaseStates() {
  haveLastState = false;
  std::vector<std::uint8_t>().swap(lastState);
  std::vector<std::uint8_t>().swap(newState);
}

}  // namespace ge
