// The DirectInput 8 input engine: device states once a frame, the mouse's buffered button events
// so that no click is lost, and the cursor from the window system.
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

// The device's button for a buffered event's offset in the mouse record, or −1 for an axis.
int buttonOfOffset(DWORD offset) {
  for (int button = 0; button < kButtonCount; ++button) {
    if (offset == static_cast<DWORD>(DIMOFS_BUTTON0 + button)) return button;
  }
  return -1;
}

// Creates one system device in its standard format, cooperating with the window as the game needs
// (and, for the mouse, with an event buffer), and acquires it; each step's failure is fatal.
struct DeviceSetup {
  const GUID* device;
  const DIDATAFORMAT* format;
  DWORD eventBufferSize;  // 0: no buffer
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
  if (setup.eventBufferSize > 0) {
    // The buffer can only be sized before the device is acquired.
    DIPROPDWORD property{};
    property.diph.dwSize = sizeof(property);
    property.diph.dwHeaderSize = sizeof(property.diph);
    property.diph.dwObj = 0;
    property.diph.dwHow = DIPH_DEVICE;
    property.dwData = setup.eventBufferSize;
    if (FAILED(device->SetProperty(DIPROP_BUFFERSIZE, &property.diph))) LogError(kTag, setup.formatFailure);
  }
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
                       {&GUID_SysMouse, &c_dfDIMouse, kMouseEventBufferSize, "Cannot create mouse device",
                        "Cannot set data format for mouse", "Cannot set cooperative level for mouse",
                        "Cannot acquire mouse"});
  keyboard = createDevice(directInput, window,
                          {&GUID_SysKeyboard, &c_dfDIKeyboard, 0, "Cannot create keyboard device",
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
  ReadCursor();
  ReadMouse();
  ReadKeyboard();
}

void InputEngineDInput8::ReadCursor() {
  POINT point{};
  RECT client{};
  // The cursor cannot be read while another desktop has the input (a locked screen): the last
  // position stays.
  if (!GetCursorPos(&point) || !ScreenToClient(window, &point) || !GetClientRect(window, &client)) return;
  const display::Fit fit = display::FitBackBuffer(client.right - client.left, client.bottom - client.top);
  const display::Point mapped = display::WindowToBackBuffer(fit, point.x, point.y);
  cursorX = mapped.x;
  cursorY = mapped.y;
}

void InputEngineDInput8::ReadMouse() {
  // The state first, then the events: every press the state shows is in the events read after it,
  // so the latch never waits for one.
  if (FAILED(mouse->GetDeviceState(sizeof(DIMOUSESTATE), &mouseState))) {
    LogError(kTag, "Cannot get mouse device state");
  }
  pressesSinceSample.fill(0);
  DIDEVICEOBJECTDATA events[kMouseEventBufferSize];
  for (;;) {
    DWORD count = kMouseEventBufferSize;
    // DI_BUFFEROVERFLOW (events were lost) still succeeds: the latest events are there.
    if (FAILED(mouse->GetDeviceData(sizeof(DIDEVICEOBJECTDATA), events, &count, 0))) {
      LogError(kTag, "Cannot get mouse device state");
    }
    for (DWORD index = 0; index < count; ++index) {
      const int button = buttonOfOffset(events[index].dwOfs);
      if (button >= 0 && (events[index].dwData & 0x80) != 0) ++pressesSinceSample[button];
    }
    if (count < kMouseEventBufferSize) break;
  }

  KeepPreviousButtons();
  for (int button = 0; button < kButtonCount; ++button) {
    // The device does not say where a press happened: it is shown where the cursor is now.
    pressesOfButton.assign(static_cast<std::size_t>(pressesSinceSample[button]), PressPosition{});
    const bool stateDown = (mouseState.buttons[button] & 0x80) != 0;
    // Every press DirectInput shows is also buffered, wherever the cursor was.
    const LatchSample sample = latches[button].Sample(stateDown, true, pressesOfButton);
    buttons[button] = sample.down ? 0x80 : 0;
  }
}

void InputEngineDInput8::ReadKeyboard() {
  KeepPreviousKeys();
  if (FAILED(keyboard->GetDeviceState(kKeyCount, keys.data()))) LogError(kTag, "Cannot get keyboard device state");
}

}  // namespace ie
