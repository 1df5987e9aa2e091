// The game's Win32 window.
#include "app/game_window_win32.h"

#include <windows.h>

#include <atomic>
#include <cstdio>

#include "app/program_globals.h"
#include "app/shell_lock_win32.h"
#include "app/shutdown_win32.h"
#include "base/display_geometry.h"
#include "ie/button_messages_win32.h"

namespace {

constexpr wchar_t kWindowClass[] = L"Varnelle";
// A fixed-size window: a title bar with the close and minimise buttons, no sizing border.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
// Posted by the game thread after each frame; nobody reads it, it only wakes the loop.
constexpr UINT kAwakeMessage = WM_APP + 1;

std::atomic<HWND> shownWindow{nullptr};

// Close and Escape end the game with the shell lock held, as a toolkit's window callback runs.
// A close sent by another thread while the main thread waits for the lock arrives without it: it
// is posted again, to be dispatched once the lock is held. One sent while Shutdown waits is
// already being answered.
void endGame(HWND window) {
  if (ShutdownStarted()) return;
  if (!ShellLockHeld()) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return;
  }
  Shutdown(nullptr, nullptr);
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  // Every press and release goes to the input engine with its place: the device's state alone
  // misses a click shorter than a frame and never says where a button went down or up.
  ie::RecordButtonMessage(window, message, wParam, lParam);
  switch (message) {
    case WM_CLOSE:
      endGame(window);
      return 0;
    case WM_KEYDOWN:
      if (wParam == VK_ESCAPE) {
        endGame(window);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      // No background: nothing may paint over the picture the graphic engine presents.
      return 1;
    case WM_PAINT: {
      // The picture is the graphic engine's; the window marks itself drawn and asks the game
      // thread to present its next frame even if it is still, since the system has just asked
      // for pixels the window no longer holds (uncovered, restored).
      windowExposed = true;
      PAINTSTRUCT paint;
      BeginPaint(window, &paint);
      EndPaint(window, &paint);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool registerWindowClass(HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = windowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
  windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  windowClass.hbrBackground = nullptr;
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassExW(&windowClass) != 0;
}

// The window rectangle whose client area is the back buffer's size with its top-left corner at
// (clientX, clientY) on the screen.
RECT windowAroundClient(int clientX, int clientY) {
  RECT rect{clientX, clientY, clientX + display::kBackBufferWidth, clientY + display::kBackBufferHeight};
  AdjustWindowRectEx(&rect, kWindowStyle, FALSE, 0);
  return rect;
}

}  // namespace

HWND ShowGameWindow(int showCommand) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  if (!registerWindowClass(instance)) {
    std::fprintf(stderr, "Cannot register the game window's class (error %lu)\n", GetLastError());
    return nullptr;
  }
  const RECT first = windowAroundClient(0, 10);
  HWND window = CreateWindowExW(0, kWindowClass, L"Varnelle", kWindowStyle, first.left, first.top,
                                first.right - first.left, first.bottom - first.top, nullptr, nullptr,
                                instance, nullptr);
  if (window == nullptr) {
    std::fprintf(stderr, "Cannot create the game window (error %lu)\n", GetLastError());
    return nullptr;
  }
  ShowWindow(window, showCommand);
  const RECT placed = windowAroundClient(20, 20);
  SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  UpdateWindow(window);
  shownWindow = window;
  return window;
}

HWND GameWindow() { return shownWindow; }

// The window has no child that could take the focus: it has the keyboard exactly when it is the
// foreground window. Asked from the game thread, GetFocus would answer for that thread's own
// (empty) input state.
bool GameWindowHasFocus(HWND window) { return GetForegroundWindow() == window; }

void WakeMessageLoop(HWND window) { PostMessageW(window, kAwakeMessage, 0, 0); }
