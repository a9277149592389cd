#include "image/alpha_blend.h"

#include <algorithm>
#include <cstddef>

#include "image/cximage.h"

DrawArea ClipDrawArea(long left, long top, long right, long bottom, long x, long y, long width,
                      long height) {
  // Far ends in 64 bits: x + width must not overflow a 32-bit long.
  const long long xend = static_cast<long long>(x) + width;
  const long long yend = static_cast<long long>(y) + height;
  DrawArea area;
  area.xmin = std::min(right, std::max(left, x));
  area.xmax = static_cast<long>(std::max<long long>(left, std::min<long long>(right, xend)));
  area.ymin = std::min(bottom, std::max(top, y));
  area.ymax = static_cast<long>(std::max<long long>(top, std::min<long long>(bottom, yend)));
  if (area.xmax < area.xmin) area.xmax = area.xmin;
  if (area.ymax < area.ymin) area.ymax = area.ymin;
  return area;
}

DWORD SectionStride(long width) {
  return static_cast<DWORD>(((static_cast<long long>(width) * 24 + 31) / 32) * 4);
}

void BlendImageOver(const CxImage& image, long x, long y, const DrawArea& area, BYTE* section) {
  const long w = area.Width();
  const long h = area.Height();
  if (section == nullptr || w <= 0 || h <= 0) return;
  // The section's bottom line is screen line ymax - 1, which shows image row r0 (rows bottom-up);
  // its first column shows image column c0.
  const long firstRow = image.GetHeight() - area.ymax + y;
  const long firstColumn = area.xmin - x;
  if (firstRow < 0 || firstColumn < 0 || firstRow + h > image.GetHeight() ||
      firstColumn + w > image.GetWidth()) {
    return;
  }

  const DWORD stride = SectionStride(w);
  const bool direct = image.GetBpp() == 24;
  for (long j = 0; j < h; ++j) {
    const long row = firstRow + j;
    BYTE* to = section + static_cast<std::size_t>(j) * stride;
    const BYTE* pixels = direct ? image.RowPointer(static_cast<DWORD>(row)) +
                                      static_cast<std::size_t>(firstColumn) * 3
                                : nullptr;
    for (long i = 0; i < w; ++i, to += 3) {
      const BYTE a = image.GetAlphaAt(firstColumn + i, row);
      if (a == 0) continue;
      BYTE blue, green, red;
      if (direct) {
        blue = pixels[i * 3];
        green = pixels[i * 3 + 1];
        red = pixels[i * 3 + 2];
      } else {
        const RGBQUAD colour = image.GetPixelColor(firstColumn + i, row);
        blue = colour.rgbBlue;
        green = colour.rgbGreen;
        red = colour.rgbRed;
      }
      to[0] = BlendChannel(blue, to[0], a);
      to[1] = BlendChannel(green, to[1], a);
      to[2] = BlendChannel(red, to[2], a);
    }
  }
}
