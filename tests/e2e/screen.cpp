#include "tests/e2e/screen.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/e2e/launcher_process.h"
#include "tests/support/test_support.h"

namespace e2e {

HBITMAP CreateTopDownSection(HDC dc, int width, int height, BYTE** bits) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* pixels = nullptr;
  HBITMAP section = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
  *bits = static_cast<BYTE*>(pixels);
  return section;
}

Raster CaptureScreen(const RECT& area) {
  Raster raster;
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return raster;
  BYTE* bits = nullptr;
  HDC screen = ::GetDC(nullptr);
  HDC memory = ::CreateCompatibleDC(screen);
  HBITMAP section = CreateTopDownSection(screen, width, height, &bits);
  if (section != nullptr) {
    HGDIOBJ previous = ::SelectObject(memory, section);
    ::BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
    ::GdiFlush();
    raster.width = width;
    raster.height = height;
    raster.pixels.resize(static_cast<size_t>(width) * height);
    const BYTE* bytes = bits;
    for (size_t i = 0; i < raster.pixels.size(); ++i) {
      raster.pixels[i].b = bytes[4 * i];
      raster.pixels[i].g = bytes[4 * i + 1];
      raster.pixels[i].r = bytes[4 * i + 2];
    }
    ::SelectObject(memory, previous);
    ::DeleteObject(section);
  }
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return raster;
}

RECT ClientArea(HWND window, int x, int y, int width, int height) {
  POINT origin{x, y};
  ::ClientToScreen(window, &origin);
  return RECT{origin.x, origin.y, origin.x + width, origin.y + height};
}

RasterDifference WaitForScreen(HWND window, const RECT& place,
                               const std::function<RasterDifference(const Raster&)>& judge,
                               DWORD timeoutMs) {
  RasterDifference difference;
  WaitFor(
      [&] {
        const RECT area = ClientArea(window, place.left, place.top, place.right - place.left,
                                     place.bottom - place.top);
        difference = judge(CaptureScreen(area));
        return difference.count == 0;
      },
      timeoutMs);
  return difference;
}

RasterDifference WaitForScreen(HWND window, const RECT& place, const Raster& expected,
                               int tolerance, DWORD timeoutMs) {
  return WaitForScreen(
      window, place, [&](const Raster& shown) { return Compare(shown, expected, tolerance); },
      timeoutMs);
}

void SaveScreenshot(const std::string& file) {
  const RECT screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
  testing_support::WriteFile(file, EncodeBmp24(CaptureScreen(screen)));
}

// Rows of the window's region as a mask, window pixel (x, y) at y * width + x.
std::vector<bool> RegionMask(HWND window, int width, int height, int* kind) {
  std::vector<bool> mask(static_cast<size_t>(width) * height, false);
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  *kind = ::GetWindowRgn(window, region);
  const DWORD size = ::GetRegionData(region, 0, nullptr);
  std::vector<BYTE> data(size);
  auto* header = reinterpret_cast<RGNDATA*>(data.data());
  if (size != 0 && ::GetRegionData(region, size, header) == size) {
    const auto* rects = reinterpret_cast<const RECT*>(header->Buffer);
    for (DWORD i = 0; i < header->rdh.nCount; ++i) {
      for (LONG y = std::max(0L, rects[i].top); y < std::min<LONG>(height, rects[i].bottom); ++y) {
        for (LONG x = std::max(0L, rects[i].left); x < std::min<LONG>(width, rects[i].right); ++x) {
          mask[static_cast<size_t>(y) * width + x] = true;
        }
      }
    }
  }
  ::DeleteObject(region);
  return mask;
}

int ChannelDistance(const Rgba& a, const Rgba& b) {
  return std::max({std::abs(a.r - b.r), std::abs(a.g - b.g), std::abs(a.b - b.b)});
}

}  // namespace e2e
