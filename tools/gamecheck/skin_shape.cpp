#include "tools/gamecheck/skin_shape.h"

#include <algorithm>

#include "skin/run_scanner.h"

SkinShape ShapeOf(const SkinPixels& pixels, COLORREF key) {
  SkinShape shape;
  shape.width = pixels.width;
  shape.height = pixels.height;
  shape.rows.resize(static_cast<size_t>(std::max(pixels.height, 0)));
  skin::ScanShapeRuns(
      pixels.width, pixels.height, key, [&](int x, int y) { return pixels.At(x, y); },
      [&](int x0, int x1, int y) {
        shape.rows[static_cast<size_t>(y)].emplace_back(x0, x1);
        ++shape.runCount;
        shape.shapePixels += x1 - x0;
      });
  return shape;
}

double SkinShape::Share() const {
  const long long all = static_cast<long long>(width) * height;
  return all > 0 ? static_cast<double>(shapePixels) / static_cast<double>(all) : 0.0;
}

bool SkinShape::Contains(const PlaceRect& place) const {
  return place.left >= 0 && place.top >= 0 && place.right <= width && place.bottom <= height;
}

long long SkinShape::ShapePixelsIn(const PlaceRect& place) const {
  long long inside = 0;
  for (int y = std::max(place.top, 0); y < std::min(place.bottom, height); ++y) {
    for (const auto& run : rows[static_cast<size_t>(y)]) {
      const int from = std::max(run.first, place.left);
      const int to = std::min(run.second, place.right);
      if (to > from) inside += to - from;
    }
  }
  return inside;
}
