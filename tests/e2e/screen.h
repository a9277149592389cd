// What the player sees: pixels read back from the screen (the Wine desktop) as they are shown.
#pragma once
#include <windows.h>

#include "art_files.h"

namespace e2e {

// The screen's pixels inside `area` (screen coordinates), alpha 255.
Raster CaptureScreen(const RECT& area);

// The screen rectangle of `window`'s client pixel (x, y) .. (x + width, y + height).
RECT ClientArea(HWND window, int x, int y, int width, int height);

// Largest difference of one colour channel between two pixels.
int ChannelDistance(const Rgba& a, const Rgba& b);

}  // namespace e2e
