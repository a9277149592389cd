// Real input, as from the player's mouse and keyboard: SendInput into the shared Wine desktop.
#pragma once
#include <windows.h>

namespace e2e {

// Moves the pointer to screen point (x, y); false when the pointer did not get there.
bool MoveMouse(int x, int y);
// Press and release of the left button where the pointer was last moved to.
void PressLeft();
void ReleaseLeft();
// Press and release of the right button where the pointer was last moved to.
void ClickRight();
// Moves the pointer to the screen's bottom-right corner, away from where the launcher opens.
void ParkPointer();
// Move, press and release at (x, y).
bool ClickAt(int x, int y);
// Moves to (x, y), presses, moves to (x + dx, y + dy) in steps, releases.
bool DragBy(int x, int y, int dx, int dy);
// A key pressed and released (virtual-key code), delivered to the foreground window.
void TapKey(WORD virtualKey);

// The screen point of `window`'s client point (x, y).
POINT ClientPoint(HWND window, int x, int y);

}  // namespace e2e
