// Reading windows and moving the pointer as a person at the screen would.
#pragma once
#include <windows.h>

#include <string>

namespace testing_support {

// The text of `window` as the system keeps it (code page 936 bytes); for a window of another
// process too, since that reading needs no message to the window.
std::string WindowText(HWND window);

// Moves the cursor and waits until the system reports it there: under Wine a warp can be undone
// by motion events of an earlier move that the display reports late.
void MoveCursorTo(int x, int y);

}  // namespace testing_support
