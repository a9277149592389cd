// The shape a window takes from its skin: every run of pixels that differ from the key colour,
// found by the same scan that cuts the launcher's windows.
#pragma once

#include <utility>
#include <vector>

#include "compat/platform.h"
#include "tools/gamecheck/place_rect.h"
#include "tools/gamecheck/skin_pixels.h"

struct SkinShape {
  int width = 0;
  int height = 0;
  std::vector<std::vector<std::pair<int, int>>> rows;  // runs [x0, x1) of each row
  long long runCount = 0;
  long long shapePixels = 0;

  // Share of all pixels inside the shape, 0 to 1.
  double Share() const;
  // Whether `place` lies within the bitmap.
  bool Contains(const PlaceRect& place) const;
  // Pixels of `place` that lie inside the shape.
  long long ShapePixelsIn(const PlaceRect& place) const;
};

SkinShape ShapeOf(const SkinPixels& pixels, COLORREF key);
