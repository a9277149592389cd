// The scan that turns a picture into the rows of a window shape: every run of pixels whose colour
// differs from a key colour, row by row from the top, left to right.
#pragma once

#include "compat/platform.h"

namespace skin {

// `pixelAt(x, y)` gives the colour the platform reports for a pixel; `addRun(x0, x1, y)` receives
// each run of shape pixels [x0, x1) of row y (never empty). The comparison with the key is exact.
template <class PixelAt, class AddRun>
void ScanShapeRuns(int width, int height, COLORREF key, PixelAt pixelAt, AddRun addRun) {
  for (int y = 0; y < height; ++y) {
    int x = 0;
    while (x < width) {
      while (x < width && pixelAt(x, y) == key) ++x;
      const int x0 = x;
      while (x < width && pixelAt(x, y) != key) ++x;
      if (x > x0) addRun(x0, x, y);
    }
  }
}

}  // namespace skin
