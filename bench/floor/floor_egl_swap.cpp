// Floor: a bare clear and swap of a 640 × 480 window through the game's own EGL set-up (its
// context and its present), 60 times a second. Run under the display to measure; argv[1] seconds.
#define GL_GLEXT_PROTOTYPES 1
#include <GL/glcorearb.h>

#include <cstdio>

#include "base/display_geometry.h"
#include "bench/floor/floor_window.h"
#include "ge/egl_context.h"

int main(int argumentCount, char** arguments) {
  const int seconds = FloorSeconds(argumentCount, arguments);
  const FloorWindow window = OpenFloorWindow("floor_egl_swap");
  ge::EglContext egl;
  if (!egl.OpenWindowDisplay(window.window) || !egl.CreateContext()) {
    std::fprintf(stderr, "floor_egl_swap: no OpenGL 3.3 context on the window\n");
    return 1;
  }
  glViewport(0, 0, display::kBackBufferWidth, display::kBackBufferHeight);
  int frame = 0;
  RunAtSixtyHertz(seconds, [&] {
    // A colour that changes, so that no layer can skip the work as unchanged.
    glClearColor(static_cast<float>(frame++ % 60) / 60.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    egl.SwapBuffers();
  });
  egl.Release();
  return 0;
}
