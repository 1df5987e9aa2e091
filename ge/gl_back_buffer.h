// Where the OpenGL engine keeps its 640 × 480 back buffer and how the back buffer reaches the
// screen: one presenter per way of presenting, chosen by the engine (see Presentation).
// Supports: drawing into the back buffer, presenting it, reading its rows back top row first.
// Does not: clear it (a back buffer keeps its pixels from frame to frame, as the game expects).
#pragma once

#include <cstdint>

namespace ge {

enum class Presentation {
  Headless,  // an off-screen back buffer, shown nowhere
  Window,    // the window's surface holds the back buffer, or an off-screen one is fitted into it
  HalfSize,  // a 320 × 240 back buffer, enlarged two times on the CPU into the window (or headless)
};

// The off-screen back buffer, top row first in memory. Made at its first use (a window that
// holds the back buffer itself never needs its 1.2 MB) and black from then on until drawn.
class OffscreenBackBuffer {
 public:
  unsigned Framebuffer();
  bool Exists() const { return framebuffer != 0; }
  void ReadRows(int top, int count, std::uint8_t* rgb) const;
  void Release();

 private:
  unsigned framebuffer = 0;
  unsigned texture = 0;
};

class GlPresenter {
 public:
  virtual ~GlPresenter() = default;
  virtual Presentation Mode() const = 0;
  // The framebuffer the back buffer is drawn into (0 the window's surface), and how many times
  // smaller than the back buffer's coordinates its pixels are.
  virtual unsigned Framebuffer() = 0;
  virtual int Divisor() const { return 1; }
  // Shows the back buffer in a window of this size; the engine binds its target again after.
  virtual void Present(int windowWidth, int windowHeight) = 0;
  // Back-buffer rows top .. top + count − 1, R, G, B, top row first.
  virtual void ReadRows(int top, int count, std::uint8_t* rgb) const = 0;
  // Frees what the presenter made; needs the context current.
  virtual void Release() {}
  // Forgets it without a word to GL or the X server, for a shutdown on a thread that cannot use
  // either: the process ends right after.
  virtual void Abandon() {}
};

// No window: the off-screen back buffer is the picture, and presenting shows nothing.
class HeadlessPresenter final : public GlPresenter {
 public:
  explicit HeadlessPresenter(OffscreenBackBuffer& offscreen) : offscreen(offscreen) {}
  Presentation Mode() const override { return Presentation::Headless; }
  unsigned Framebuffer() override { return offscreen.Framebuffer(); }
  void Present(int, int) override {}
  void ReadRows(int top, int count, std::uint8_t* rgb) const override { offscreen.ReadRows(top, count, rgb); }

 private:
  OffscreenBackBuffer& offscreen;
};

}  // namespace ge
