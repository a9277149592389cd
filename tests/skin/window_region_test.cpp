// Window shapes on real windows: the region the window ends up with, read back from the system.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "skin/window_region.h"

namespace {

constexpr COLORREF kMagenta = RGB(255, 0, 255);

// A pop-up window of the given size; destroyed with the object.
class TestWindow {
 public:
  TestWindow(int width, int height) {
    hwnd_ = ::CreateWindowExA(0, "STATIC", "shape", WS_POPUP | WS_VISIBLE, 10, 10, width, height,
                              nullptr, nullptr, nullptr, nullptr);
  }
  ~TestWindow() { ::DestroyWindow(hwnd_); }
  HWND hwnd() const { return hwnd_; }

 private:
  HWND hwnd_;
};

// A 24-bit bitmap painted from rows of text: 'k' magenta, 'n' near-magenta, other white.
HBITMAP MakeBitmap(const std::vector<std::string>& rows) {
  const int height = static_cast<int>(rows.size());
  const int width = static_cast<int>(rows[0].size());
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  void* bits = nullptr;
  HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  const int stride = ((width * 24 + 31) / 32) * 4;
  auto* bytes = static_cast<BYTE*>(bits);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      BYTE* pixel = bytes + y * stride + x * 3;
      const char c = rows[y][x];
      pixel[0] = 255;                                   // blue
      pixel[1] = c == 'k' || c == 'n' ? 0 : 255;        // green
      pixel[2] = c == 'n' ? 254 : 255;                  // red
    }
  }
  return bitmap;
}

// The window's region as rows of text: 's' inside, '.' outside; "none" without a region.
std::vector<std::string> RegionRows(HWND hwnd, int width, int height) {
  HRGN region = ::CreateRectRgn(0, 0, 0, 0);
  const int kind = ::GetWindowRgn(hwnd, region);
  std::vector<std::string> rows;
  if (kind == ERROR) {
    ::DeleteObject(region);
    return {"none"};
  }
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += ::PtInRegion(region, x, y) ? 's' : '.';
    rows.push_back(row);
  }
  ::DeleteObject(region);
  return rows;
}

std::vector<std::string> Shape(const std::vector<std::string>& rows) {
  TestWindow window(static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
  HBITMAP bitmap = MakeBitmap(rows);
  HDC dc = ::GetDC(window.hwnd());
  EXPECT_TRUE(ShapeWindowFromBitmap(dc, bitmap, kMagenta));
  ::ReleaseDC(window.hwnd(), dc);
  ::DeleteObject(bitmap);
  return RegionRows(window.hwnd(), static_cast<int>(rows[0].size()),
                    static_cast<int>(rows.size()));
}

TEST(ShapeWindowFromBitmap, RegionHoldsExactlyTheNonKeyPixels) {
  EXPECT_EQ(Shape({"kwwkw", "wwwww", "kkkkk", "wkkkw"}),
            (std::vector<std::string>{".ss.s", "sssss", ".....", "s...s"}));
}

TEST(ShapeWindowFromBitmap, NoKeyPixelsGiveTheFullRectangleAndOnlyKeyPixelsAnEmptyRegion) {
  EXPECT_EQ(Shape({"www", "www"}), (std::vector<std::string>{"sss", "sss"}));
  EXPECT_EQ(Shape({"kkk", "kkk"}), (std::vector<std::string>{"...", "..."}));
}

TEST(ShapeWindowFromBitmap, NearKeyColourStaysInTheShape) {
  EXPECT_EQ(Shape({"knk"}), (std::vector<std::string>{".s."}));
}

TEST(ShapeWindowFromBitmap, UnreadableBitmapLeavesTheWindowsShapeAsItWas) {
  TestWindow window(4, 2);
  ::SetWindowRgn(window.hwnd(), ::CreateRectRgn(1, 0, 3, 2), FALSE);
  HDC dc = ::GetDC(window.hwnd());
  EXPECT_TRUE(ShapeWindowFromBitmap(dc, reinterpret_cast<HBITMAP>(0x7654321), kMagenta));
  ::ReleaseDC(window.hwnd(), dc);
  EXPECT_EQ(RegionRows(window.hwnd(), 4, 2), (std::vector<std::string>{".ss.", ".ss."}));
}

TEST(ShapeWindowFromBitmap, ReplacesAnEarlierShape) {
  TestWindow window(3, 1);
  ::SetWindowRgn(window.hwnd(), ::CreateRectRgn(0, 0, 1, 1), FALSE);
  HBITMAP bitmap = MakeBitmap({"kww"});
  HDC dc = ::GetDC(window.hwnd());
  ShapeWindowFromBitmap(dc, bitmap, kMagenta);
  ::ReleaseDC(window.hwnd(), dc);
  ::DeleteObject(bitmap);
  EXPECT_EQ(RegionRows(window.hwnd(), 3, 1), (std::vector<std::string>{".ss"}));
}

}  // namespace
