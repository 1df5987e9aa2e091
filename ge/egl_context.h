// An OpenGL 3.3 core context through EGL, either on an X11 window (the game) or surfaceless with
// no X server at all (tests, tools). The graphic engine draws through it; nothing else does.
// Supports: one context per object, made current on the creating thread; window size queries;
// present by buffer swap. Does not: share contexts, pick a multisampled or depth config.
#pragma once

namespace ge {

class EglContext {
 public:
  EglContext() = default;
  ~EglContext();
  EglContext(const EglContext&) = delete;
  EglContext& operator=(const EglContext&) = delete;

  // First step: the EGL display. On a window this opens the context's own X connection
  // (XOpenDisplay(nullptr)), since the window belongs to another thread's toolkit connection.
  bool OpenWindowDisplay(unsigned long nativeWindow);
  bool OpenHeadlessDisplay();

  // Second step: an OpenGL 3.3 core context, current on this thread, with the window surface when
  // there is a window. Headless, when the display's driver cannot give one, Mesa's software
  // rasteriser is tried through its EGL device. A window's driver is chosen before any thread
  // starts (ChooseDriverBeforeThreadsStart). Neither touches the environment.
  bool CreateContext();

  // Makes every later context use Mesa's software rasteriser (LIBGL_ALWAYS_SOFTWARE) when the
  // machine has graphics hardware but no driver of it gives an OpenGL 3.3 core context. It sets
  // the environment, so it must run while the program has a single thread. A value the user set
  // is kept.
  static void ChooseDriverBeforeThreadsStart();

  bool HasWindow() const { return window != 0; }
  // The context's own X connection (a Display*) and the window, for another way of presenting
  // into the same window; null and 0 headless.
  void* XDisplay() const { return xDisplay; }
  unsigned long XWindow() const { return window; }
  // True once CreateContext has succeeded and until Release.
  bool IsReady() const { return context != nullptr; }

  // The window's current inner size in pixels; false when it cannot be read.
  bool WindowSize(int& width, int& height) const;
  // Shows the default framebuffer in the window. Headless this does nothing.
  void SwapBuffers();
  // True when the window surface keeps its pixels across a swap, so that it can stand in for an
  // off-screen buffer that is never cleared (false headless, or when the driver cannot promise it).
  bool KeepsPixelsAcrossSwaps() const { return preservedSwaps; }

  // True when the context is current on the calling thread or could be made current here; it is
  // not when another thread still holds it (a shutdown on the toolkit's thread).
  bool MakeCurrentHere();
  // Destroys the context and the surface; the display is left to the process's end (see the .cpp).
  // Safe to call twice.
  void Release();
  // Forgets every handle without releasing it: for a shutdown on a thread that cannot use the
  // context, just before the process ends and reclaims everything anyway.
  void Abandon();

 private:
  bool openEglDisplay();
  bool tryCreateContext();
  void destroyContext();
  void closeEglDisplay();

  void* xDisplay = nullptr;       // Display*, the context's own connection (window mode only)
  unsigned long window = 0;       // X window id, 0 headless
  void* display = nullptr;        // EGLDisplay
  void* config = nullptr;         // EGLConfig
  void* surface = nullptr;        // EGLSurface, null headless
  void* context = nullptr;        // EGLContext
  bool preservedSwaps = false;    // the window surface's swaps keep its pixels
  // The window's size: read once, then kept up to date from its ConfigureNotify events.
  mutable bool sizeKnown = false;
  mutable int knownWidth = 0;
  mutable int knownHeight = 0;
};

}  // namespace ge
