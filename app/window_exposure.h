// A window that has lost its pixels (uncovered, mapped again) gets the next frame on screen even
// when that frame is still and the still-frame skipper would leave it out.
#pragma once

#include <atomic>
#include <functional>

#include "ge/still_frame_skipper.h"

// The frame's hook just before EndFrame (FramePlatform::beforeEndFrame): takes the window's mark
// and, when it was set, has the skipper present the frame being drawn. Both are kept by reference.
inline std::function<void()> PresentAgainWhenExposed(std::atomic<bool>& windowExposed,
                                                     ge::StillFrameSkipper& skipper) {
  return [&windowExposed, &skipper] {
    if (windowExposed.exchange(false)) skipper.PresentAgain();
  };
}
