// MIT-SHM presentation: a shared XImage filled on the CPU and put with XShmPutImage.
#include "ge/present_xshm.h"

#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XShm.h>
#include <sys/ipc.h>
#include <sys/shm.h>

#include <cstdlib>
#include <cstring>

namespace ge {

namespace {

Display* asX(void* handle) { return static_cast<Display*>(handle); }
XImage* asImage(void* handle) { return static_cast<XImage*>(handle); }

// XShmAttach fails asynchronously (BadAccess when the server cannot reach our memory, as on a
// remote display); the error is caught here instead of ending the program.
bool attachFailed = false;
int noteAttachError(Display*, XErrorEvent*) {
  attachFailed = true;
  return 0;
}

// The bit position of a channel whose mask is eight bits wide, or −1.
int shiftOf(unsigned long mask) {
  for (int shift = 0; shift <= 24; shift += 8) {
    if (mask == (0xFFul << shift)) return shift;
  }
  return -1;
}

}  // namespace

bool XShmPresenter::Open(void* displayHandle, unsigned long windowId, int width, int height) {
  display = displayHandle;
  window = windowId;
  Display* x = asX(display);
  XWindowAttributes attributes;
  if (XGetWindowAttributes(x, window, &attributes) == 0) return false;
  Visual* visual = attributes.visual;
  shifts[0] = shiftOf(visual->red_mask);
  shifts[1] = shiftOf(visual->green_mask);
  shifts[2] = shiftOf(visual->blue_mask);
  if (visual->c_class != TrueColor || shifts[0] < 0 || shifts[1] < 0 || shifts[2] < 0) return false;

  if (XShmQueryExtension(x)) {
    XShmSegmentInfo* segment = new XShmSegmentInfo{};
    XImage* shared = XShmCreateImage(x, visual, static_cast<unsigned>(attributes.depth), ZPixmap, nullptr, segment,
                                     static_cast<unsigned>(width), static_cast<unsigned>(height));
    if (shared != nullptr && shared->bits_per_pixel == 32) {
      shmId = shmget(IPC_PRIVATE, static_cast<size_t>(shared->bytes_per_line) * static_cast<size_t>(height),
                     IPC_CREAT | 0600);
      if (shmId >= 0) shmAddress = shmat(shmId, nullptr, 0);
      if (shmAddress != nullptr && shmAddress != reinterpret_cast<void*>(-1)) {
        segment->shmid = shmId;
        segment->shmaddr = shared->data = static_cast<char*>(shmAddress);
        segment->readOnly = False;
        XSync(x, False);
        attachFailed = false;
        XErrorHandler previous = XSetErrorHandler(noteAttachError);
        const Bool attachedNow = XShmAttach(x, segment);
        XSync(x, False);
        XSetErrorHandler(previous);
        attached = attachedNow && !attachFailed;
      }
      // Marked for removal at once: the segment goes when both sides have let go of it.
      if (shmId >= 0) shmctl(shmId, IPC_RMID, nullptr);
    }
    if (attached) {
      image = shared;
      sharedMemory = true;
      shared->obdata = reinterpret_cast<char*>(segment);
    } else {
      if (shmAddress != nullptr && shmAddress != reinterpret_cast<void*>(-1)) shmdt(shmAddress);
      shmAddress = nullptr;
      if (shared != nullptr) {
        shared->data = nullptr;
        XDestroyImage(shared);
      }
      delete segment;
    }
  }
  if (image == nullptr) {
    // No shared memory: an ordinary image, sent over the connection at each put.
    char* pixels = static_cast<char*>(std::calloc(static_cast<size_t>(width) * static_cast<size_t>(height), 4));
    XImage* plain = XCreateImage(x, visual, static_cast<unsigned>(attributes.depth), ZPixmap, 0, pixels,
                                 static_cast<unsigned>(width), static_cast<unsigned>(height), 32, 0);
    if (plain == nullptr || plain->bits_per_pixel != 32) {
      if (plain != nullptr) XDestroyImage(plain);  // frees the pixels too
      else std::free(pixels);
      return false;
    }
    image = plain;
  }
  // The pixels are written as native 32-bit words.
  const std::uint32_t probe = 1;
  const bool hostLeastFirst = *reinterpret_cast<const std::uint8_t*>(&probe) == 1;
  if ((asImage(image)->byte_order == LSBFirst) != hostLeastFirst) return false;
  bgrxWords = hostLeastFirst && shifts[0] == 16 && shifts[1] == 8 && shifts[2] == 0;
  gc = XCreateGC(x, window, 0, nullptr);
  return true;
}

XShmPresenter::~XShmPresenter() {
  if (image == nullptr) return;
  Display* x = asX(display);
  XImage* picture = asImage(image);
  if (sharedMemory) {
    auto* segment = reinterpret_cast<XShmSegmentInfo*>(picture->obdata);
    XShmDetach(x, segment);
    XSync(x, False);
    shmdt(shmAddress);
    picture->data = nullptr;
    picture->obdata = nullptr;
    delete segment;
  }
  XDestroyImage(picture);
  if (gc != nullptr) XFreeGC(x, static_cast<GC>(gc));
}

void XShmPresenter::Abandon() {
  if (image == nullptr) return;
  XImage* picture = asImage(image);
  if (sharedMemory) {
    delete reinterpret_cast<XShmSegmentInfo*>(picture->obdata);
    picture->obdata = nullptr;
    picture->data = nullptr;
    shmdt(shmAddress);
  }
  // Client memory only: XDestroyImage sends nothing to the server. The GC stays with the
  // connection, since freeing it would.
  XDestroyImage(picture);
  image = nullptr;
}

void XShmPresenter::PutEnlarged(const std::uint8_t* rgba) {
  XImage* picture = asImage(image);
  const int width = picture->width;
  const int height = picture->height;
  const int sourceWidth = width / 2;
  for (int row = 0; row < height / 2; ++row) {
    const std::uint8_t* source = rgba + static_cast<std::size_t>(row) * static_cast<std::size_t>(sourceWidth) * 4;
    auto* upper = reinterpret_cast<std::uint32_t*>(picture->data + static_cast<std::size_t>(2 * row) *
                                                                       static_cast<std::size_t>(picture->bytes_per_line));
    if (bgrxWords) {
      // The usual X pixel (B, G, R, unused in memory): fixed shifts the compiler can vectorise.
      for (int column = 0; column < sourceWidth; ++column) {
        std::uint32_t texel;
        std::memcpy(&texel, source + static_cast<std::size_t>(column) * 4, 4);
        const std::uint32_t pixel = ((texel & 0xFFu) << 16) | (texel & 0xFF00u) | ((texel >> 16) & 0xFFu);
        upper[2 * column] = pixel;
        upper[2 * column + 1] = pixel;
      }
    } else {
      for (int column = 0; column < sourceWidth; ++column) {
        const std::uint8_t* texel = source + static_cast<std::size_t>(column) * 4;
        const std::uint32_t pixel = (static_cast<std::uint32_t>(texel[0]) << shifts[0]) |
                                    (static_cast<std::uint32_t>(texel[1]) << shifts[1]) |
                                    (static_cast<std::uint32_t>(texel[2]) << shifts[2]);
        upper[2 * column] = pixel;
        upper[2 * column + 1] = pixel;
      }
    }
    std::memcpy(picture->data + static_cast<std::size_t>(2 * row + 1) * static_cast<std::size_t>(picture->bytes_per_line),
                upper, static_cast<std::size_t>(width) * 4);
  }
  Display* x = asX(display);
  if (sharedMemory) {
    XShmPutImage(x, window, static_cast<GC>(gc), picture, 0, 0, 0, 0, static_cast<unsigned>(width),
                 static_cast<unsigned>(height), False);
  } else {
    XPutImage(x, window, static_cast<GC>(gc), picture, 0, 0, 0, 0, static_cast<unsigned>(width),
              static_cast<unsigned>(height));
  }
  // The server must be done with the shared pixels before the next frame writes them, and the
  // picture must be on screen before the frame counts as presented.
  XSync(x, False);
}

}  // namespace ge
