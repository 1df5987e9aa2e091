// The DirectInput 8 input engine: device states once a frame, the window's recorded button
// messages so that no click is lost, and the cursor from the window system.
#include "ie/input_engine_dinput8.h"

#define DIRECTINPUT_VERSION 0x0800
#include <windows.h>
#include <dinput.h>

#include "base/display_geometry.h"
#include "base/event_log.h"

namespace ie {

namespace {

constexpr const char* kTag = "IE";
constexpr DWORD kCooperation = DISCL_NONEXCLUSIVE | DISCL_BACKGROUND;

static_assert(sizeof(InputEngineDInput8::MouseState) == sizeof(DIMOUSESTATE));

// Creates one system device in its standard format, cooperating with the window as the game needs,
// and acquires it; each step's failure is fatal.
struct DeviceSetup {
  const GUID* device;
  const DIDATAFORMAT* format;
  const char* createFailure;
  const char* formatFailure;
  const char* cooperationFailure;
  const char* acquireFailure;
};

IDirectInputDevice8A* createDevice(IDirectInput8A* directInput, HWND window, const DeviceSetup& setup) {
  IDirectInputDevice8A* device = nullptr;
  if (FAILED(directInput->CreateDevice(*setup.device, &device, nullptr))) LogError(kTag, setup.createFailure);
  if (FAILED(device->SetDataFormat(setup.format))) LogError(kTag, setup.formatFailure);
  if (FAILED(device->SetCooperativeLevel(window, kCooperation))) LogError(kTag, setup.cooperationFailure);
  if (FAILED(device->Acquire())) LogError(kTag, setup.acquireFailure);
  return device;
}

}  // namespace

InputEngineDInput8::InputEngineDInput8(HWND__* window) : window(window) {
  if (FAILED(DirectInput8Create(GetModuleHandleA(nullptr), DIRECTINPUT_VERSION, IID_IDirectInput8A,
                                reinterpret_cast<void**>(&directInput), nullptr))) {
    LogError(kTag, "Cannot create DInput8");
  }
  mouse = createDevice(directInput, window,
                       {&GUID_SysMouse, &c_dfDIMouse, "Cannot create mouse device",
                        "Cannot set data format for mouse", "Cannot set cooperative level for mouse",
                        "Cannot acquire mouse"});
  keyboard = createDevice(directInput, window,
                          {&GUID_SysKeyboard, &c_dfDIKeyboard, "Cannot create keyboard device",
                           "Cannot set data format for keyboard", "Cannot set cooperative level for keyboard",
                           "Cannot acquire keyboard"});
}

// The devices are released while still acquired: releasing one unacquires it.
InputEngineDInput8::~InputEngineDInput8() {
  if (keyboard != nullptr) keyboard->Release();
  if (mouse != nullptr) mouse->Release();
  if (directInput != nullptr) directInput->Release();
}

void InputEngineDInput8::Update() {
  ReadMouse();
  ReadKeyboard();
}

void InputEngineDInput8::ReadMouse() {
  RECT client{};
  // A minimised window has no client area to map into.
  const bool sized = GetClientRect(window, &client) && client.right > 0 && client.bottom > 0;
  const display::Fit fit = display::FitBackBuffer(client.right, client.bottom);
  // The cursor cannot be read while another desktop has the input (a locked screen): the last
  // position stays, and no press is waited for.
  POINT screen{};
  const bool cursorRead = sized && GetCursorPos(&screen);
  POINT point = screen;
  const bool cursorMapped = cursorRead && ScreenToClient(window, &point);
  if (cursorMapped) SetCursorFromWindow(fit, point.x, point.y);

  if (FAILED(mouse->GetDeviceState(sizeof(DIMOUSESTATE), &mouseState))) {
    LogError(kTag, "Cannot get mouse device state");
  }
  // A press on another window, or on this one's frame, never reaches the window procedure, so the
  // latch must not wait for its record.
  const bool pointerInWindow = cursorMapped && point.x >= 0 && point.y >= 0 && point.x < client.right &&
                               point.y < client.bottom && WindowFromPoint(screen) == window;
  KeepPreviousButtons();
  std::array<bool, kButtonCount> pointerDown{};
  for (int button = 0; button < kButtonCount; ++button) pointerDown[button] = (mouseState.buttons[button] & 0x80) != 0;
  const PressPosition place = recordedButtons.Sample(pointerDown, pointerInWindow, buttons);
  if (place.known && sized) SetCursorFromWindow(fit, place.x, place.y);
}

void InputEngineDInput8::ReadKeyboard() {
  KeepPreviousKeys();
  if (FAILED(keyboard->GetDeviceState(kKeyCount, keys.data()))) LogError(kTag, "Cannot get keyboard device state");
}

}  // namespace ie
