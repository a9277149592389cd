// Window shapes on real windows: the region the window ends up with, read back from the system,
// and compared with the region that querying every pixel builds.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <random>
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
      pixel[0] = 255;                             // blue
      pixel[1] = c == 'k' || c == 'n' ? 0 : 255;  // green
      pixel[2] = c == 'n' ? 254 : 255;            // red
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
  // It returns true whatever happens; what it did shows only in the region read back below,
  // which is "none" when the window was given no region at all.
  ShapeWindowFromBitmap(dc, bitmap, kMagenta);
  ::ReleaseDC(window.hwnd(), dc);
  ::DeleteObject(bitmap);
  return RegionRows(window.hwnd(), static_cast<int>(rows[0].size()), static_cast<int>(rows.size()));
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
  ShapeWindowFromBitmap(dc, reinterpret_cast<HBITMAP>(0x7654321), kMagenta);
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

// The shape as it is built by querying every pixel of the bitmap and joining each run to the
// region: the reference the shaping must match exactly.
HRGN ReferenceRegion(HBITMAP bitmap, COLORREF key) {
  HDC memory = ::CreateCompatibleDC(nullptr);
  HGDIOBJ previous = ::SelectObject(memory, bitmap);
  HRGN shape = ::CreateRectRgn(0, 0, 0, 0);
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof info, &info);
  for (int y = 0; y < info.bmHeight; ++y) {
    int x = 0;
    while (x < info.bmWidth) {
      while (x < info.bmWidth && ::GetPixel(memory, x, y) == key) ++x;
      const int x0 = x;
      while (x < info.bmWidth && ::GetPixel(memory, x, y) != key) ++x;
      HRGN run = ::CreateRectRgn(x0, y, x, y + 1);
      ::CombineRgn(shape, shape, run, RGN_OR);
      ::DeleteObject(run);
    }
  }
  ::SelectObject(memory, previous);
  ::DeleteDC(memory);
  return shape;
}

// Pixels as 0x00RRGGBB, row by row from the top.
struct Picture {
  int width;
  int height;
  std::vector<std::uint32_t> pixels;
};

constexpr std::uint32_t kMagentaPixel = 0xFF00FF;

// Pictures that exercise the run boundaries: lone pixels, whole rows, holes, colours one step
// from the key, and widths that are no multiple of 4.
std::vector<Picture> CraftedPictures() {
  std::vector<Picture> pictures;
  auto add = [&](int width, int height, auto colourAt) {
    Picture picture{width, height, {}};
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) picture.pixels.push_back(colourAt(x, y));
    }
    pictures.push_back(picture);
  };
  // A lone shape pixel in key, and a lone key pixel in shape, at each corner and in the middle.
  for (int width : {1, 2, 3, 5, 7}) {
    for (int spot : {0, 1, 2}) {
      auto place = [=](int x, int y) {
        const int at = spot == 0 ? 0 : spot == 1 ? width - 1 : width / 2;
        return x == at && y == (spot == 1 ? 2 : spot);
      };
      add(width, 3, [=](int x, int y) { return place(x, y) ? 0x102030u : kMagentaPixel; });
      add(width, 3, [=](int x, int y) { return place(x, y) ? kMagentaPixel : 0x102030u; });
    }
  }
  // Whole rows of key between whole rows of shape; a frame around a hole; a hole at the edge.
  add(13, 6, [](int, int y) { return y % 2 ? kMagentaPixel : 0xFFFFFFu; });
  add(9, 7,
      [](int x, int y) { return x >= 2 && x < 7 && y >= 2 && y < 5 ? kMagentaPixel : 0x808080u; });
  add(6, 4, [](int x, int) { return x >= 4 ? kMagentaPixel : 0x000000u; });
  // Noise of key and near-key colours in widths that leave padding in 24-bit rows.
  std::mt19937 random(20090302);
  const std::uint32_t nearKey[] = {kMagentaPixel, 0xFE00FF, 0xFF01FF, 0xFF00FE, 0x000000};
  for (int width : {11, 31, 97, 250}) {
    add(width, 37, [&](int, int) { return nearKey[random() % 5]; });
  }
  return pictures;
}

// The picture as a bitmap in one of the forms a skin can take: the screen's own format (what the
// system's loader makes of a file), or a section of 32, 24, 16, 8, 4 or 1 bits per pixel. The
// paletted ones hold the crafted pictures' colours (the 1-bit one only two of them).
HBITMAP BitmapOf(const Picture& picture, int bitsPerPixel) {
  BITMAPINFO source{};
  source.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  source.bmiHeader.biWidth = picture.width;
  source.bmiHeader.biHeight = -picture.height;
  source.bmiHeader.biPlanes = 1;
  source.bmiHeader.biBitCount = 32;
  HDC screen = ::GetDC(nullptr);
  HBITMAP bitmap;
  if (bitsPerPixel == 0) {
    bitmap = ::CreateCompatibleBitmap(screen, picture.width, picture.height);
  } else {
    struct {
      BITMAPINFOHEADER header;
      std::uint32_t colours[8];
    } format{source.bmiHeader,
             {kMagentaPixel, 0x102030, 0xFFFFFF, 0x808080, 0x000000, 0xFE00FF, 0xFF01FF, 0xFF00FE}};
    format.header.biBitCount = static_cast<WORD>(bitsPerPixel);
    if (bitsPerPixel <= 8) format.header.biClrUsed = bitsPerPixel == 1 ? 2 : 8;
    void* bits = nullptr;
    bitmap = ::CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&format), DIB_RGB_COLORS,
                                &bits, nullptr, 0);
  }
  ::SetDIBits(screen, bitmap, 0, picture.height, picture.pixels.data(), &source, DIB_RGB_COLORS);
  ::ReleaseDC(nullptr, screen);
  return bitmap;
}

// Shapes `window` from the bitmap and tells whether its region equals the reference.
::testing::AssertionResult ShapedLikeTheReference(const TestWindow& window, HBITMAP bitmap,
                                                  COLORREF key) {
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof info, &info);
  HDC dc = ::GetDC(window.hwnd());
  ShapeWindowFromBitmap(dc, bitmap, key);
  ::ReleaseDC(window.hwnd(), dc);
  HRGN shaped = ::CreateRectRgn(0, 0, 0, 0);
  const int kind = ::GetWindowRgn(window.hwnd(), shaped);
  HRGN reference = ReferenceRegion(bitmap, key);
  const bool equal = kind != ERROR && ::EqualRgn(shaped, reference);
  ::DeleteObject(shaped);
  ::DeleteObject(reference);
  if (equal) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << info.bmWidth << "x" << info.bmHeight << " at " << info.bmBitsPixel << " bits per pixel";
}

TEST(ShapeWindowFromBitmap, CraftedSkinsGiveTheReferenceRegionInEveryPixelFormat) {
  TestWindow window(250, 37);
  for (int bitsPerPixel : {0, 32, 24, 16, 8, 4, 1}) {
    SCOPED_TRACE(bitsPerPixel == 0 ? "the screen's format" : "a section");
    for (const Picture& picture : CraftedPictures()) {
      HBITMAP bitmap = BitmapOf(picture, bitsPerPixel);
      EXPECT_TRUE(ShapedLikeTheReference(window, bitmap, kMagenta));
      ::DeleteObject(bitmap);
    }
  }
}

TEST(ShapeWindowFromBitmap, TheSampleSkinsGiveTheReferenceRegion) {
  const struct {
    const char* file;
    COLORREF key;
  } skins[] = {{"OutSideStartBG.bmp", kMagenta}, {"InsideStartBG.bmp", RGB(255, 255, 255)}};
  for (const auto& skin : skins) {
    const std::string path =
        std::string(LAUNCHER_GAME_DIR) + "\\data2\\interface\\StartUp\\" + skin.file;
    HBITMAP bitmap = static_cast<HBITMAP>(
        ::LoadImageA(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(bitmap, nullptr) << path;
    TestWindow window(808, 581);
    EXPECT_TRUE(ShapedLikeTheReference(window, bitmap, skin.key)) << skin.file;
    ::DeleteObject(bitmap);
  }
}

}  // namespace
