// Row and column reversal of an image and its alpha plane, done in place: the decoders use them
// to turn top-down and right-to-left files into the stored bottom-up, left-to-right order.
// A header may describe a picture of zero width and a billion rows; such an image holds nothing
// to move, and the loops below are skipped rather than run for nothing.
#include <algorithm>
#include <cstddef>

#include "image/cximage.h"

bool CxImage::FlipAlphaRows() {
  if (!alpha) return false;
  const std::size_t width = static_cast<std::size_t>(GetWidth());
  const std::size_t height = width == 0 ? 0 : static_cast<std::size_t>(GetHeight());
  for (std::size_t top = 0, bottom = height; top + 1 < bottom; ++top, --bottom) {
    BYTE* upper = alpha.get() + top * width;
    std::swap_ranges(upper, upper + width, alpha.get() + (bottom - 1) * width);
  }
  return true;
}

bool CxImage::MirrorAlphaColumns() {
  if (!alpha) return false;
  const std::size_t width = static_cast<std::size_t>(GetWidth());
  const std::size_t height = width == 0 ? 0 : static_cast<std::size_t>(GetHeight());
  for (std::size_t row = 0; row < height; ++row) {
    BYTE* start = alpha.get() + row * width;
    std::reverse(start, start + width);
  }
  return true;
}

bool CxImage::FlipRows() {
  if (!dib) return false;
  const DWORD height = settings.stride == 0 ? 0 : static_cast<DWORD>(GetHeight());
  for (DWORD top = 0, bottom = height; top + 1 < bottom; ++top, --bottom) {
    BYTE* upper = RowPointer(top);
    std::swap_ranges(upper, upper + settings.stride, RowPointer(bottom - 1));
  }
  if (alpha) FlipAlphaRows();
  return true;
}

// Only 8- and 24-bit images are mirrored (the TGA decoder makes nothing else); packed 1- and
// 4-bit rows are refused and left as they are.
bool CxImage::MirrorColumns() {
  if (!dib) return false;
  const WORD bpp = GetBpp();
  if (bpp != 8 && bpp != 24) return false;
  const std::size_t width = static_cast<std::size_t>(GetWidth());
  const DWORD height = width == 0 ? 0 : static_cast<DWORD>(GetHeight());
  for (DWORD row = 0; row < height; ++row) {
    BYTE* start = RowPointer(row);
    if (bpp == 8) {
      std::reverse(start, start + width);
      continue;
    }
    for (std::size_t left = 0, right = width; left + 1 < right; ++left, --right) {
      std::swap_ranges(start + left * 3, start + left * 3 + 3, start + (right - 1) * 3);
    }
  }
  if (alpha) MirrorAlphaColumns();
  return true;
}
