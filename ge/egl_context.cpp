// OpenGL 3.3 core through EGL: on the game window (X11 platform) or surfaceless (Mesa).
// Mesa's software rasteriser stands in for a driver that cannot give 3.3 core: headless through
// its own EGL device, on a window through LIBGL_ALWAYS_SOFTWARE set before any thread starts.
#include "ge/egl_context.h"

#include <EGL/egl.h>
#include <EGL/eglext.h>
#include <X11/Xlib.h>

#include <cstdlib>
#include <cstring>

namespace ge {

namespace {

Display* asX(void* handle) { return static_cast<Display*>(handle); }

bool hasExtension(const char* extensions, const char* name) {
  const std::size_t length = std::strlen(name);
  for (const char* at = extensions; at != nullptr && (at = std::strstr(at, name)) != nullptr; at += length) {
    const bool starts = at == extensions || at[-1] == ' ';
    const bool ends = at[length] == ' ' || at[length] == '\0';
    if (starts && ends) return true;
  }
  return false;
}

// The machine's EGL devices (graphics hardware and Mesa's software device), none when the EGL
// library cannot list them.
int queryDevices(EGLDeviceEXT* devices, int capacity) {
  const auto query = reinterpret_cast<PFNEGLQUERYDEVICESEXTPROC>(eglGetProcAddress("eglQueryDevicesEXT"));
  EGLint count = 0;
  if (query == nullptr || query(capacity, devices, &count) != EGL_TRUE) return 0;
  return count;
}

bool isSoftwareDevice(EGLDeviceEXT device) {
  const auto query = reinterpret_cast<PFNEGLQUERYDEVICESTRINGEXTPROC>(eglGetProcAddress("eglQueryDeviceStringEXT"));
  return query != nullptr && hasExtension(query(device, EGL_EXTENSIONS), "EGL_MESA_device_software");
}

constexpr EGLint kCoreContextAttributes[] = {EGL_CONTEXT_MAJOR_VERSION, 3, EGL_CONTEXT_MINOR_VERSION, 3,
                                             EGL_CONTEXT_OPENGL_PROFILE_MASK, EGL_CONTEXT_OPENGL_CORE_PROFILE_BIT,
                                             EGL_NONE};

// Whether the device's driver gives an OpenGL 3.3 core context; the display is finished with after.
bool deviceGivesCoreContext(EGLDeviceEXT device) {
  const EGLDisplay display = eglGetPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, device, nullptr);
  if (display == EGL_NO_DISPLAY || eglInitialize(display, nullptr, nullptr) != EGL_TRUE) return false;
  const EGLint configAttributes[] = {EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT, EGL_NONE};
  EGLConfig config = nullptr;
  EGLint configCount = 0;
  bool gives = false;
  if (eglBindAPI(EGL_OPENGL_API) == EGL_TRUE &&
      eglChooseConfig(display, configAttributes, &config, 1, &configCount) == EGL_TRUE && configCount > 0) {
    const EGLContext context = eglCreateContext(display, config, EGL_NO_CONTEXT, kCoreContextAttributes);
    gives = context != EGL_NO_CONTEXT;
    if (gives) eglDestroyContext(display, context);
  }
  eglTerminate(display);
  return gives;
}

// Holds the X server for this connection alone while it lives. Mesa's software driver crashes
// when the window disappears while it builds a surface on it (a killed toolkit client takes its
// windows along), so no other client's request (the kill among them) is carried out meanwhile.
class ServerGrab {
 public:
  explicit ServerGrab(Display* display) : display(display) {
    if (display != nullptr) XGrabServer(display);
  }
  ~ServerGrab() {
    if (display == nullptr) return;
    XUngrabServer(display);
    XFlush(display);
  }
  ServerGrab(const ServerGrab&) = delete;
  ServerGrab& operator=(const ServerGrab&) = delete;

 private:
  Display* display;
};

}  // namespace

void EglContext::ChooseDriverBeforeThreadsStart() {
  if (std::getenv("LIBGL_ALWAYS_SOFTWARE") != nullptr) return;
  constexpr int kMaxDevices = 16;
  EGLDeviceEXT devices[kMaxDevices];
  const int count = queryDevices(devices, kMaxDevices);
  bool hardware = false;
  for (int i = 0; i < count; ++i) {
    if (isSoftwareDevice(devices[i])) continue;
    hardware = true;
    if (deviceGivesCoreContext(devices[i])) return;
  }
  // Without any hardware Mesa already draws in software; with hardware that cannot give 3.3 core
  // it would try that hardware's driver and fail.
  if (hardware) setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
}

EglContext::~EglContext() { Release(); }

bool EglContext::OpenWindowDisplay(unsigned long nativeWindow) {
  window = nativeWindow;
  xDisplay = XOpenDisplay(nullptr);
  if (xDisplay == nullptr) return false;
  // Size changes then come as events on this connection, read without a round trip each frame.
  XSelectInput(asX(xDisplay), window, StructureNotifyMask);
  return openEglDisplay();
}

bool EglContext::OpenHeadlessDisplay() {
  window = 0;
  return openEglDisplay();
}

bool EglContext::openEglDisplay() {
  EGLDisplay eglDisplay = EGL_NO_DISPLAY;
  if (window != 0) {
    eglDisplay = eglGetPlatformDisplay(EGL_PLATFORM_X11_KHR, xDisplay, nullptr);
  } else {
    eglDisplay = eglGetPlatformDisplay(EGL_PLATFORM_SURFACELESS_MESA, EGL_DEFAULT_DISPLAY, nullptr);
  }
  if (eglDisplay == EGL_NO_DISPLAY) return false;
  if (eglInitialize(eglDisplay, nullptr, nullptr) != EGL_TRUE) return false;
  display = eglDisplay;
  return true;
}

void EglContext::destroyContext() {
  if (display == nullptr) return;
  eglMakeCurrent(display, EGL_NO_SURFACE, EGL_NO_SURFACE, EGL_NO_CONTEXT);
  if (context != nullptr) eglDestroyContext(display, context);
  if (surface != nullptr) eglDestroySurface(display, surface);
  context = nullptr;
  surface = nullptr;
  config = nullptr;
  preservedSwaps = false;
}

void EglContext::closeEglDisplay() {
  destroyContext();
  if (display != nullptr) eglTerminate(display);
  display = nullptr;
}

bool EglContext::CreateContext() {
  if (display == nullptr) return false;
  if (tryCreateContext()) return true;
  if (window != 0) return false;
  // Headless, the display's driver would not give a 3.3 core context: start again on Mesa's
  // software rasteriser, which has an EGL device of its own.
  closeEglDisplay();
  constexpr int kMaxDevices = 16;
  EGLDeviceEXT devices[kMaxDevices];
  const int count = queryDevices(devices, kMaxDevices);
  for (int i = 0; i < count; ++i) {
    if (!isSoftwareDevice(devices[i])) continue;
    const EGLDisplay software = eglGetPlatformDisplay(EGL_PLATFORM_DEVICE_EXT, devices[i], nullptr);
    if (software == EGL_NO_DISPLAY || eglInitialize(software, nullptr, nullptr) != EGL_TRUE) return false;
    display = software;
    return tryCreateContext();
  }
  return false;
}

bool EglContext::tryCreateContext() {
  if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) return false;
  // From the check that the window exists (its attributes, below) until the surface is current.
  const ServerGrab windowStaysWhileTheSurfaceIsBuilt(window != 0 ? asX(xDisplay) : nullptr);

  const EGLint surfaceType = window != 0 ? EGL_WINDOW_BIT : EGL_PBUFFER_BIT;
  const EGLint configAttributes[] = {EGL_SURFACE_TYPE, surfaceType,   EGL_RENDERABLE_TYPE, EGL_OPENGL_BIT,
                                     EGL_RED_SIZE,     8,             EGL_GREEN_SIZE,      8,
                                     EGL_BLUE_SIZE,    8,             EGL_NONE};
  constexpr EGLint kMaxConfigs = 256;
  EGLConfig configs[kMaxConfigs];
  EGLint configCount = 0;
  if (eglChooseConfig(display, configAttributes, configs, kMaxConfigs, &configCount) != EGL_TRUE ||
      configCount <= 0) {
    return false;
  }

  EGLConfig chosen = configs[0];
  if (window != 0) {
    // The surface must use the window's own visual, or X refuses to draw it.
    XWindowAttributes attributes;
    if (XGetWindowAttributes(asX(xDisplay), window, &attributes) == 0) return false;
    const VisualID wanted = XVisualIDFromVisual(attributes.visual);
    // Of those, one whose swaps can keep the surface's pixels is preferred: the engine then draws
    // its never-cleared back buffer straight into the window instead of copying it there.
    bool found = false;
    bool preserving = false;
    for (EGLint i = 0; i < configCount && !preserving; ++i) {
      EGLint visual = 0;
      EGLint surfaceTypes = 0;
      if (eglGetConfigAttrib(display, configs[i], EGL_NATIVE_VISUAL_ID, &visual) != EGL_TRUE ||
          static_cast<VisualID>(visual) != wanted) {
        continue;
      }
      eglGetConfigAttrib(display, configs[i], EGL_SURFACE_TYPE, &surfaceTypes);
      const bool canPreserve = (surfaceTypes & EGL_SWAP_BEHAVIOR_PRESERVED_BIT) != 0;
      if (!found || canPreserve) chosen = configs[i];
      found = true;
      preserving = canPreserve;
    }
    if (!found) return false;
  }
  config = chosen;

  context = eglCreateContext(display, config, EGL_NO_CONTEXT, kCoreContextAttributes);
  if (context == EGL_NO_CONTEXT) {
    context = nullptr;
    return false;
  }

  if (window != 0) {
    surface = eglCreateWindowSurface(display, config, static_cast<EGLNativeWindowType>(window), nullptr);
    if (surface == EGL_NO_SURFACE) {
      surface = nullptr;
      return false;
    }
  }
  EGLSurface drawSurface = surface != nullptr ? surface : EGL_NO_SURFACE;
  if (eglMakeCurrent(display, drawSurface, drawSurface, context) != EGL_TRUE) return false;
  if (surface != nullptr) {
    // The game paces its own frames; presenting never waits for the retrace.
    eglSwapInterval(display, 0);
    EGLint behaviour = EGL_BUFFER_DESTROYED;
    preservedSwaps = eglSurfaceAttrib(display, surface, EGL_SWAP_BEHAVIOR, EGL_BUFFER_PRESERVED) == EGL_TRUE &&
                     eglQuerySurface(display, surface, EGL_SWAP_BEHAVIOR, &behaviour) == EGL_TRUE &&
                     behaviour == EGL_BUFFER_PRESERVED;
  }
  return true;
}

bool EglContext::WindowSize(int& width, int& height) const {
  if (xDisplay == nullptr || window == 0) return false;
  Display* x = asX(xDisplay);
  if (!sizeKnown) {
    XWindowAttributes attributes;
    if (XGetWindowAttributes(x, window, &attributes) == 0) return false;
    knownWidth = attributes.width;
    knownHeight = attributes.height;
    sizeKnown = true;
  }
  // Every event queued since is taken (only structure events are selected), the last size kept.
  while (XPending(x) > 0) {
    XEvent event;
    XNextEvent(x, &event);
    if (event.type == ConfigureNotify && event.xconfigure.window == window) {
      knownWidth = event.xconfigure.width;
      knownHeight = event.xconfigure.height;
    }
  }
  width = knownWidth;
  height = knownHeight;
  return true;
}

void EglContext::SwapBuffers() {
  if (surface == nullptr) return;
  eglSwapBuffers(display, surface);
  // Software rendering puts the picture through this connection: make sure the server has it
  // before the frame counts as presented, so the window never lags a frame behind (or a capture
  // taken right after the frame misses it).
  XSync(asX(xDisplay), False);
}

bool EglContext::MakeCurrentHere() {
  if (context == nullptr) return false;
  if (eglGetCurrentContext() == context) return true;
  EGLSurface drawSurface = surface != nullptr ? surface : EGL_NO_SURFACE;
  if (eglBindAPI(EGL_OPENGL_API) != EGL_TRUE) return false;
  return eglMakeCurrent(display, drawSurface, drawSurface, context) == EGL_TRUE;
}

void EglContext::Release() {
  destroyContext();
  eglReleaseThread();
  // The EGL display stays initialised and its X connection open until the process ends, when
  // Mesa finalises its displays itself. Terminating it here would unload Mesa's driver, stranding
  // the driver's own allocations (leak reports in sanitizer runs) for nothing: the engine is
  // destroyed only at shutdown, and a later engine on the same display initialises it again.
  display = nullptr;
  xDisplay = nullptr;
  window = 0;
}

void EglContext::Abandon() {
  xDisplay = nullptr;
  window = 0;
  display = nullptr;
  config = nullptr;
  surface = nullptr;
  context = nullptr;
  preservedSwaps = false;
}

}  // namespace ge
