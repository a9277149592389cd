#include "tests/support/windows/window_text.h"

#include <gtest/gtest.h>

namespace testing_support {

std::string WindowText(HWND window) {
  char text[512] = {};
  ::GetWindowTextA(window, text, sizeof text);
  return text;
}

void MoveCursorTo(int x, int y) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    ::SetCursorPos(x, y);
    ::Sleep(5);
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
    POINT where;
    ::GetCursorPos(&where);
    if (where.x == x && where.y == y) return;
  }
  ADD_FAILURE() << "the cursor did not move to " << x << "," << y;
}

}  // namespace testing_support
