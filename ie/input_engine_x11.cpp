// The X11 input engine: XQueryPointer and XQueryKeymap on the engine's own display connection.
#include "ie/input_engine_x11.h"

#include <X11/Xlib.h>

#include <cstdint>

#include "base/display_geometry.h"
#include "base/event_log.h"
#include "ie/button_press_log.h"

namespace ie {

namespace {

constexpr const char* kTag = "IE";
// X's fourth "button" is the wheel; the back side button comes as button 8.
constexpr unsigned kBackButtonMask = 0;  // the core protocol keeps no mask for it

// The pointer's mask bit for each engine button: left, right, middle, back.
constexpr unsigned kButtonMasks[kButtonCount] = {Button1Mask, Button3Mask, Button2Mask,
                                                 kBackButtonMask};

// X keycode − 8 is the Linux key code, which is the PC scan code for the keys of the main block
// (Escape 1 to F12 88). The extended keys (E0 prefix) get their PC codes with 0x80 added.
struct ExtendedKey {
  int linuxCode;
  std::uint8_t scanCode;
};
constexpr ExtendedKey kExtendedKeys[] = {
    {96, 0x9C},   // keypad Enter
    {97, 0x9D},   // right Control
    {98, 0xB5},   // keypad /
    {99, 0xB7},   // Print Screen
    {100, 0xB8},  // right Alt
    {102, 0xC7},  // Home
    {103, 0xC8},  // Up
    {104, 0xC9},  // Page Up
    {105, 0xCB},  // Left
    {106, 0xCD},  // Right
    {107, 0xCF},  // End
    {108, 0xD0},  // Down
    {109, 0xD1},  // Page Down
    {110, 0xD2},  // Insert
    {111, 0xD3},  // Delete
    {117, 0x8D},  // keypad =
    {119, 0xC5},  // Pause
    {125, 0xDB},  // left Windows
    {126, 0xDC},  // right Windows
    {127, 0xDD},  // Menu
};
constexpr int kLastMainBlockCode = 88;  // F12
constexpr int kNoScanCode = -1;

struct KeycodeTable {
  int scanCode[256];
};

constexpr KeycodeTable makeKeycodeTable() {
  KeycodeTable table{};
  for (int keycode = 0; keycode < 256; ++keycode) {
    const int linuxCode = keycode - 8;
    table.scanCode[keycode] = (linuxCode >= 1 && linuxCode <= kLastMainBlockCode) ? linuxCode : kNoScanCode;
  }
  for (const ExtendedKey& key : kExtendedKeys) table.scanCode[key.linuxCode + 8] = key.scanCode;
  return table;
}
constexpr KeycodeTable kKeycodeTable = makeKeycodeTable();

// Floor division: a pointer one pixel left of the picture must map to −1, not 0.
// Xlib reports a protocol error (a window that has gone, say) through a process-wide handler whose
// default ends the process. While the engine reads, errors on its own connection are noted
// instead and turned into the engine's fatal messages; errors on other connections (the toolkit's,
// the graphic engine's) still go to whatever handler was installed before.
Display* trappedDisplay = nullptr;
bool errorTrapped = false;
bool windowMissing = false;
XErrorHandler handlerBeforeTrap = nullptr;
InputEngineX11::WindowLostHandler windowLostHandler = nullptr;

int trapError(Display* display, XErrorEvent* error) {
  if (display == trappedDisplay) {
    errorTrapped = true;
    // The pointer query names the window, the size query names it as a drawable.
    if (error->error_code == BadWindow || error->error_code == BadDrawable) windowMissing = true;
    return 0;
  }
  return handlerBeforeTrap != nullptr ? handlerBeforeTrap(display, error) : 0;
}

class ErrorTrap {
 public:
  explicit ErrorTrap(Display* display) {
    trappedDisplay = display;
    errorTrapped = false;
    windowMissing = false;
    handlerBeforeTrap = XSetErrorHandler(trapError);
  }
  ~ErrorTrap() {
    XSetErrorHandler(handlerBeforeTrap);
    trappedDisplay = nullptr;
  }
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;

  // Every read the engine makes waits for its reply, so its errors have arrived by now.
  bool failed() const { return errorTrapped; }

  // Ends the program with `text`, or as for a lost display when the game window has gone.
  [[noreturn]] void endWith(Display* display, const char* text) const {
    if (windowMissing && windowLostHandler != nullptr) windowLostHandler(display);
    LogError(kTag, text);
  }
};

// The window's size in pixels; false when the server cannot tell (no such window).
bool readWindowSize(Display* display, Window window, unsigned& width, unsigned& height) {
  Window root = 0;
  int x = 0;
  int y = 0;
  unsigned border = 0;
  unsigned depth = 0;
  return XGetGeometry(display, window, &root, &x, &y, &width, &height, &border, &depth) != 0;
}

}  // namespace

InputEngineX11::InputEngineX11(unsigned long window) : window(window) {
  display = XOpenDisplay(nullptr);
  if (display == nullptr) LogError(kTag, "Cannot create DInput8");

  // The window must exist: the engine reads everything relative to it.
  ErrorTrap trap(display);
  unsigned width = 0;
  unsigned height = 0;
  if (!readWindowSize(display, window, width, height) || trap.failed()) {
    trap.endWith(display, "Cannot set cooperative level for mouse");
  }
}

void InputEngineX11::SetWindowLostHandler(WindowLostHandler handler) { windowLostHandler = handler; }

InputEngineX11::~InputEngineX11() {
  if (display != nullptr) XCloseDisplay(display);
}

void InputEngineX11::Update() {
  ReadPointer();
  ReadKeyboard();
}

void InputEngineX11::ReadPointer() {
  Window root = 0;
  Window child = 0;
  int rootX = 0;
  int rootY = 0;
  int windowX = 0;
  int windowY = 0;
  unsigned mask = 0;
  unsigned width = 0;
  unsigned height = 0;

  ErrorTrap trap(display);
  // False means the pointer is on another screen of the display: its position says nothing about
  // the window then, so the last one stays, but the buttons still count.
  const Bool sameScreen =
      XQueryPointer(display, window, &root, &child, &rootX, &rootY, &windowX, &windowY, &mask);
  const bool sized = readWindowSize(display, window, width, height);
  if (trap.failed() || !sized) trap.endWith(display, "Cannot get mouse device state");

  // A press the pointer shows outside the window's drawing area (on its frame, on another window)
  // never reaches the toolkit, so the latch must not wait for its record.
  const bool pointerInWindow = sameScreen && windowX >= 0 && windowY >= 0 && windowX < static_cast<int>(width) &&
                               windowY < static_cast<int>(height);
  const display::Fit fit = display::FitBackBuffer(static_cast<int>(width), static_cast<int>(height));
  if (sameScreen) SetCursorFromWindow(fit, windowX, windowY);

  KeepPreviousButtons();
  std::array<bool, kButtonCount> pointerDown{};
  for (int button = 0; button < kButtonCount; ++button) pointerDown[button] = (mask & kButtonMasks[button]) != 0;
  const PressPosition place = recordedButtons.Sample(pointerDown, pointerInWindow, buttons);
  if (place.known) SetCursorFromWindow(fit, place.x, place.y);
}

void InputEngineX11::ReadKeyboard() {
  char keymap[32] = {};
  ErrorTrap trap(display);
  XQueryKeymap(display, keymap);
  if (trap.failed()) LogError(kTag, "Cannot get keyboard device state");

  KeepPreviousKeys();
  keys.fill(0);
  for (int keycode = 0; keycode < 256; ++keycode) {
    const int scanCode = kKeycodeTable.scanCode[keycode];
    if (scanCode == kNoScanCode) continue;
    const bool down = (static_cast<unsigned char>(keymap[keycode / 8]) >> (keycode % 8)) & 1U;
    if (down) keys[scanCode] = 0x80;
  }
}

}  // namespace ie
