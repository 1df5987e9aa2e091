// The still-frame rule (see the header for why it is exact).
#include "ge/still_frame_skipper.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "base/display_geometry.h"
#include "ge/graphic_engine_access.h"

namespace ge {

namespace {

// A repeated list is drawn this many times before the state is first read back. The game's
// semi-transparent pixels settle within about four frames, and a running level repeats its list
// for a frame or two between moves: reading back sooner would cost a running level a read of the
// whole picture every few frames and save a still screen hardly a frame. When the reading starts
// does not touch the rule's exactness.
constexpr int kRepeatsBeforeReading = 4;

}  // namespace

StillFrameSkipper::StillFrameSkipper(XGraphicEngineAccess& engine) : access(engine), engine(engine.Engine()) {}

void StillFrameSkipper::BeginFrame() {
  // The engine's own frame start reads the window size; nothing is drawn by it.
  engine.BeginFrame();
  frame.BeginFrame();
}

StillFrameSkipper::Inputs StillFrameSkipper::currentInputs() const {
  return {access.WindowWidth(), access.WindowHeight(), access.SlotImageChanges()};
}

void StillFrameSkipper::EndFrame() {
  const Inputs inputs = currentInputs();
  const bool repeated = havePrevious && frame == previous && inputs == previousInputs && frame.ClearsCanvasFirst() &&
                        !frame.DrawsIntoSlots();
  lastFrameSkipped = repeated && settled && !presentAgain;
  if (lastFrameSkipped) {
    ++skippedFrames;
    return;
  }
  presentAgain = false;
  frame.Replay(engine);
  engine.EndFrame();

  if (!repeated) {
    repeats = 0;
    settled = false;
    haveLastState = false;
  } else if (!settled && ++repeats >= kRepeatsBeforeReading) {
    settled = stateUnchanged();
  }
  // A settled frame drawn again (PresentAgain) is a fixed point: it changed nothing.
  std::swap(previous, frame);
  previousInputs = inputs;
  havePrevious = true;
}

bool StillFrameSkipper::stateUnchanged() {
  constexpr int kWidth = display::kBackBufferWidth;
  constexpr int kHeight = display::kBackBufferHeight;
  constexpr int kBandRows = 32;
  constexpr std::size_t kRowBytes = static_cast<std::size_t>(kWidth) * 3;
  lastPicture.resize(kRowBytes * kHeight);
  band.resize(kRowBytes * kBandRows);

  const std::int32_t selection[2] = {access.SelectedTexture(), access.RenderTarget()};
  bool unchanged = haveLastState && selection[0] == lastSelection[0] && selection[1] == lastSelection[1];
  lastSelection[0] = selection[0];
  lastSelection[1] = selection[1];
  for (int top = 0; top < kHeight; top += kBandRows) {
    const int rows = std::min(kBandRows, kHeight - top);
    const std::size_t bytes = kRowBytes * static_cast<std::size_t>(rows);
    std::uint8_t* stored = lastPicture.data() + kRowBytes * static_cast<std::size_t>(top);
    access.ReadBackBufferRows(top, rows, band.data());
    if (unchanged && std::memcmp(stored, band.data(), bytes) != 0) unchanged = false;
    std::memcpy(stored, band.data(), bytes);
  }
  haveLastState = true;
  return unchanged;
}

}  // namespace ge
