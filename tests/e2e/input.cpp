#include "tests/e2e/input.h"

#include <cstdio>

#include "tests/e2e/launcher_process.h"

namespace e2e {

namespace {

void SendMouse(DWORD flags, LONG dx = 0, LONG dy = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = dx;
  input.mi.dy = dy;
  input.mi.dwFlags = flags;
  ::SendInput(1, &input, sizeof input);
}

// Where the pointer was sent last, in absolute input units.
LONG g_targetX = 0;
LONG g_targetY = 0;

// When the left button was last pressed.
DWORD g_lastPress = 0;
bool g_pressed = false;

// Gives the system time to deliver what was sent before the next step reads the screen.
void Settle() { ::Sleep(30); }

}  // namespace

bool MoveMouse(int x, int y) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  // Absolute coordinates run from 0 to 65535 across the screen; aim at the pixel's centre.
  g_targetX = static_cast<LONG>((x * 65536LL + 32768) / width);
  g_targetY = static_cast<LONG>((y * 65536LL + 32768) / height);
  POINT at{};
  auto arrived = [&] {
    ::GetCursorPos(&at);
    return at.x == x && at.y == y;
  };
  // The display's own pointer events can still move Wine's pointer back to where it was: the
  // move is sent again until the pointer is there and stays.
  for (int attempt = 0; attempt < 10; ++attempt) {
    SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, g_targetX, g_targetY);
    Settle();
    if (WaitFor(arrived, 200)) {
      Settle();
      if (arrived()) return true;
    }
  }
  std::fprintf(stderr, "pointer at %ld,%ld instead of %d,%d\n", at.x, at.y, x, y);
  return false;
}

void PressLeft() {
  // Two presses within the double-click time make a double click (here even on different
  // windows), which buttons do not take as a click. A player's separate clicks come further apart.
  if (g_pressed) {
    const DWORD apart = ::GetDoubleClickTime() + 50;
    const DWORD since = ::GetTickCount() - g_lastPress;
    if (since < apart) ::Sleep(apart - since);
  }
  g_pressed = true;
  g_lastPress = ::GetTickCount();
  // The press carries its place: the display's own pointer events may still move Wine's pointer
  // back to where it was before the last move, and a bare press would land there.
  SendMouse(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, g_targetX, g_targetY);
  Settle();
}

void ReleaseLeft() {
  SendMouse(MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, g_targetX, g_targetY);
  Settle();
}

void ClickRight() {
  SendMouse(MOUSEEVENTF_RIGHTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, g_targetX, g_targetY);
  SendMouse(MOUSEEVENTF_RIGHTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, g_targetX, g_targetY);
  Settle();
}

void ParkPointer() {
  MoveMouse(::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
}

bool ClickAt(int x, int y) {
  const bool there = MoveMouse(x, y);
  PressLeft();
  ReleaseLeft();
  return there;
}

bool DragBy(int x, int y, int dx, int dy) {
  bool there = MoveMouse(x, y);
  PressLeft();
  const int steps = 8;
  for (int i = 1; i <= steps; ++i)
    there = MoveMouse(x + dx * i / steps, y + dy * i / steps) && there;
  ReleaseLeft();
  return there;
}

void TapKey(WORD virtualKey) {
  INPUT keys[2] = {};
  keys[0].type = INPUT_KEYBOARD;
  keys[0].ki.wVk = virtualKey;
  keys[1] = keys[0];
  keys[1].ki.dwFlags = KEYEVENTF_KEYUP;
  ::SendInput(2, keys, sizeof keys[0]);
  Settle();
}

POINT ClientPoint(HWND window, int x, int y) {
  POINT point{x, y};
  ::ClientToScreen(window, &point);
  return point;
}

}  // namespace e2e
