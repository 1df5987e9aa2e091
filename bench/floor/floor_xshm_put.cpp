// Floor: a 640 × 480 picture from a CPU buffer put into a window through MIT-SHM
// (XShmPutImage), 60 times a second. Run under the display to measure; argv[1] seconds.
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdio>
#include <cstring>

#include "base/display_geometry.h"

#include "bench/floor/floor_window.h"

int main(int argumentCount, char** arguments) {
  const int seconds = FloorSeconds(argumentCount, arguments);
  const FloorWindow window = OpenFloorWindow("floor_xshm_put");
  Display* display = window.display;
  if (!XShmQueryExtension(display)) {
    std::fprintf(stderr, "floor_xshm_put: the display has no MIT-SHM\n");
    return 1;
  }
  const int screen = DefaultScreen(display);
  XShmSegmentInfo segment{};
  XImage* image = XShmCreateImage(display, DefaultVisual(display, screen), DefaultDepth(display, screen), ZPixmap,
                                  nullptr, &segment, display::kBackBufferWidth, display::kBackBufferHeight);
  if (image == nullptr) {
    std::fprintf(stderr, "floor_xshm_put: cannot create the shared image\n");
    return 1;
  }
  segment.shmid = shmget(IPC_PRIVATE, static_cast<size_t>(image->bytes_per_line) * image->height, IPC_CREAT | 0600);
  segment.shmaddr = image->data = static_cast<char*>(shmat(segment.shmid, nullptr, 0));
  segment.readOnly = False;
  if (segment.shmid < 0 || image->data == reinterpret_cast<char*>(-1) || !XShmAttach(display, &segment)) {
    std::fprintf(stderr, "floor_xshm_put: cannot share memory with the display\n");
    return 1;
  }
  XSync(display, False);
  // Marked for removal now: the segment goes when both sides have detached, even after a crash.
  shmctl(segment.shmid, IPC_RMID, nullptr);
  const GC context = DefaultGC(display, screen);
  int frame = 0;
  RunAtSixtyHertz(seconds, [&] {
    // One changed row a frame, so that the picture is not the same each time.
    std::memset(image->data + static_cast<size_t>(frame % display::kBackBufferHeight) * image->bytes_per_line, frame & 0xFF,
                static_cast<size_t>(image->bytes_per_line));
    ++frame;
    XShmPutImage(display, window.window, context, image, 0, 0, 0, 0, display::kBackBufferWidth, display::kBackBufferHeight, False);
    XSync(display, False);
  });
  XShmDetach(display, &segment);
  shmdt(segment.shmaddr);
  return 0;
}
