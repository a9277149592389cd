#include "input.h"

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

// Gives the system time to deliver what was sent before the next step reads the screen.
void Settle() { ::Sleep(30); }

}  // namespace

bool MoveMouse(int x, int y) {
  const int width = ::GetSystemMetrics(SM_CXSCREEN);
  const int height = ::GetSystemMetrics(SM_CYSCREEN);
  // Absolute coordinates run from 0 to 65535 across the screen; aim at the pixel's centre.
  const LONG dx = static_cast<LONG>((x * 65536LL + 32768) / width);
  const LONG dy = static_cast<LONG>((y * 65536LL + 32768) / height);
  SendMouse(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, dx, dy);
  Settle();
  POINT at{};
  ::GetCursorPos(&at);
  return at.x == x && at.y == y;
}

void PressLeft() {
  SendMouse(MOUSEEVENTF_LEFTDOWN);
  Settle();
}

void ReleaseLeft() {
  SendMouse(MOUSEEVENTF_LEFTUP);
  Settle();
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
  for (int i = 1; i <= steps; ++i) there = MoveMouse(x + dx * i / steps, y + dy * i / steps) && there;
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
