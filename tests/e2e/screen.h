// What the player sees: pixels read back from the screen (the Wine desktop) as they are shown.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/art_files.h"

namespace e2e {

// A 32-bit top-down DIB section of width x height for `dc`; its pixel bytes (blue, green, red,
// unused, rows from the top) go to `bits`. Null when it cannot be made.
HBITMAP CreateTopDownSection(HDC dc, int width, int height, BYTE** bits);

// The screen's pixels inside `area` (screen coordinates), alpha 255.
Raster CaptureScreen(const RECT& area);

// The screen rectangle of `window`'s client pixel (x, y) .. (x + width, y + height).
RECT ClientArea(HWND window, int x, int y, int width, int height);

// Waits until the screen inside `window`'s client rectangle `place` passes `judge` (a difference
// of count 0); the last difference seen.
RasterDifference WaitForScreen(HWND window, const RECT& place,
                               const std::function<RasterDifference(const Raster&)>& judge,
                               DWORD timeoutMs = 5000);
// The same for a picture expected within `tolerance` per channel.
RasterDifference WaitForScreen(HWND window, const RECT& place, const Raster& expected,
                               int tolerance, DWORD timeoutMs = 5000);

// Saves the whole screen as a 24-bit BMP, so a failed test leaves a picture of what it saw.
void SaveScreenshot(const std::string& file);

// The window's region as a mask of width x height, window pixel (x, y) at y * width + x; `kind`
// gets what GetWindowRgn answered (ERROR when the window has no region).
std::vector<bool> RegionMask(HWND window, int width, int height, int* kind);

// Largest difference of one colour channel between two pixels.
int ChannelDistance(const Rgba& a, const Rgba& b);

}  // namespace e2e
