// Presents a CPU picture into an X11 window enlarged two times, through MIT-SHM (XShmPutImage)
// so that the server reads the pixels from memory shared with it instead of the socket; where
// shared memory is missing (a remote display) through a plain XPutImage.
// Supports: TrueColor visuals of 32 bits per pixel (the usual 24-bit depth). Does not: other
// pixel formats (Open returns false and the caller presents another way), resizing.
#pragma once

#include <cstdint>

namespace ge {

class XShmPresenter {
 public:
  XShmPresenter() = default;
  ~XShmPresenter();
  XShmPresenter(const XShmPresenter&) = delete;
  XShmPresenter& operator=(const XShmPresenter&) = delete;

  // Prepares a width × height image for `window` on `display` (a Display*). False when the
  // window's visual is not one this presenter can fill.
  bool Open(void* display, unsigned long window, int width, int height);
  bool UsesSharedMemory() const { return sharedMemory; }

  // Puts the picture, (width / 2) × (height / 2) pixels of R, G, B, A bytes, top row first, each
  // pixel as a 2 × 2 block, into the window's top-left corner, and waits until the server has it.
  void PutEnlarged(const std::uint8_t* rgba);

  // Frees this side's memory without a word to the server, for a shutdown on a thread that does
  // not own the connection: the server lets go of the segment when the process ends.
  void Abandon();

 private:
  void* display = nullptr;  // Display*
  unsigned long window = 0;
  void* image = nullptr;    // XImage*
  void* gc = nullptr;       // GC
  int shmId = -1;
  void* shmAddress = nullptr;
  bool sharedMemory = false;
  bool attached = false;
  int shifts[3] = {};       // where R, G and B go in a pixel
  bool bgrxWords = false;   // the usual case: R, G, B bytes of a little-endian word go to 16, 8, 0
};

}  // namespace ge
