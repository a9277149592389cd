// Drawing onto memory device contexts under Wine, read back with GetDIBits.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "compat/windows/gdi_handles.h"
#include "image/cximage.h"

namespace {

// A 24-bit DIB section selected into a memory context, filled with one colour.
class Canvas {
 public:
  Canvas(int width, int height, COLORREF fill)
      : width_(width), height_(height), dc_(CreateCompatibleDC(nullptr)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    previous_ = SelectObject(dc_.get(), bitmap_.get());
    const UniqueGdiObject<HBRUSH> brush(CreateSolidBrush(fill));
    RECT all{0, 0, width, height};
    FillRect(dc_.get(), &all, brush.get());
  }
  // The bitmap leaves the context before either goes.
  ~Canvas() { SelectObject(dc_.get(), previous_); }
  HDC dc() const { return dc_.get(); }

  // Pixel (x, y), y from the top, as 0xRRGGBB, read back through GetDIBits.
  DWORD At(int x, int y) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(width_) * height_);
    SelectObject(dc_.get(), previous_);  // GetDIBits wants the bitmap out of any context
    const int lines =
        GetDIBits(dc_.get(), bitmap_.get(), 0, height_, pixels.data(), &info, DIB_RGB_COLORS);
    SelectObject(dc_.get(), bitmap_.get());
    EXPECT_EQ(lines, height_);
    return pixels[static_cast<size_t>(y) * width_ + x] & 0xFFFFFF;
  }

 private:
  int width_, height_;
  UniqueMemoryDc dc_;
  UniqueGdiObject<HBITMAP> bitmap_;
  HGDIOBJ previous_ = nullptr;
};

// Sets image pixel (x, y), y from the top, to 0xRRGGBB and alpha `a` (when it has a plane).
void Put(CxImage& image, long x, long y, DWORD rgb, BYTE a = 255) {
  const long row = image.GetHeight() - 1 - y;
  BYTE* pixel = image.RowPointer(row) + x * 3;
  pixel[0] = rgb & 0xFF;
  pixel[1] = (rgb >> 8) & 0xFF;
  pixel[2] = (rgb >> 16) & 0xFF;
  image.SetAlphaAt(x, row, a);
}

TEST(Draw, OpaqueImagesGoDownWholeAndTopRowFirst) {
  CxImage image;
  image.Create(2, 2, 24);
  Put(image, 0, 0, 0xFF0000);
  Put(image, 1, 0, 0x00FF00);
  Put(image, 0, 1, 0x0000FF);
  Put(image, 1, 1, 0x123456);
  Canvas canvas(5, 4, RGB(255, 255, 255));
  EXPECT_EQ(image.Draw(canvas.dc(), 1, 1), 1);
  EXPECT_EQ(canvas.At(1, 1), 0xFF0000u);
  EXPECT_EQ(canvas.At(2, 1), 0x00FF00u);
  EXPECT_EQ(canvas.At(1, 2), 0x0000FFu);
  EXPECT_EQ(canvas.At(2, 2), 0x123456u);
  EXPECT_EQ(canvas.At(0, 0), 0xFFFFFFu);
  EXPECT_EQ(canvas.At(3, 3), 0xFFFFFFu);

  CxImage indexed;
  indexed.Create(1, 1, 8);
  indexed.SetPaletteEntry(0, 0x11, 0x22, 0x33, 0);
  EXPECT_EQ(indexed.Draw(canvas.dc(), 4, 3, 1, 1), 1);
  EXPECT_EQ(canvas.At(4, 3), 0x112233u);

  // Nothing to draw: empty image, no context, no size, or a size that would need scaling.
  CxImage empty;
  EXPECT_EQ(empty.Draw(canvas.dc(), 0, 0), 0);
  EXPECT_EQ(image.Draw(nullptr, 0, 0), 0);
  EXPECT_EQ(image.Draw(canvas.dc(), 0, 0, 0, 2), 0);
  EXPECT_EQ(image.Draw(canvas.dc(), 0, 0, 4, 4), 0);
  EXPECT_EQ(canvas.At(0, 0), 0xFFFFFFu);
}

TEST(Draw, AlphaBlendsOverTheBackgroundDividingBy256) {
  CxImage image;
  image.Create(3, 1, 24);
  image.CreateAlphaPlane();
  Put(image, 0, 0, 0xFFFFFF, 128);
  Put(image, 1, 0, 0xFFFFFF, 0);
  Put(image, 2, 0, 0x102030, 255);
  Canvas white(3, 1, RGB(255, 255, 255));
  EXPECT_EQ(image.Draw(white.dc(), 0, 0), 1);
  EXPECT_EQ(white.At(0, 0), 0xFEFEFEu) << "254, not 255";
  EXPECT_EQ(white.At(1, 0), 0xFFFFFFu);
  EXPECT_EQ(white.At(2, 0), 0x102030u);

  Canvas dark(3, 1, RGB(10, 20, 30));
  image.Draw(dark.dc(), 0, 0);
  EXPECT_EQ(dark.At(1, 0), 0x0A141Eu) << "alpha 0 leaves the background untouched";
  EXPECT_EQ(dark.At(0, 0),
            static_cast<DWORD>(((255 * 128 + 10 * 127) >> 8) << 16 |
                               ((255 * 128 + 20 * 127) >> 8) << 8 | ((255 * 128 + 30 * 127) >> 8)));
  EXPECT_EQ(image.GetAlphaAt(0, 0), 128) << "drawing leaves the image as it was";
}

TEST(Draw, AlphaImagesStayInsideTheClipBox) {
  // 4 x 2 image, every pixel opaque, column x coloured x + 1 in blue.
  CxImage image;
  image.Create(4, 2, 24);
  image.CreateAlphaPlane();
  for (long y = 0; y < 2; ++y) {
    for (long x = 0; x < 4; ++x) Put(image, x, y, static_cast<DWORD>(x + 1), 255);
  }
  Canvas canvas(8, 4, RGB(0, 0, 0));
  HRGN rightHalf = CreateRectRgn(3, 0, 8, 4);  // the image lands on columns 1..4
  SelectClipRgn(canvas.dc(), rightHalf);
  DeleteObject(rightHalf);
  EXPECT_EQ(image.Draw(canvas.dc(), 1, 1), 1);
  EXPECT_EQ(canvas.At(1, 1), 0u) << "left of the clip box";
  EXPECT_EQ(canvas.At(2, 2), 0u);
  EXPECT_EQ(canvas.At(3, 1), 3u) << "image column 2 at the clip box's left edge";
  EXPECT_EQ(canvas.At(4, 2), 4u);
  EXPECT_EQ(canvas.At(5, 1), 0u);

  // Entirely outside the clip box: nothing drawn, yet the call reports that it tried.
  EXPECT_EQ(image.Draw(canvas.dc(), -6, 0), 1);
  EXPECT_EQ(image.Draw(canvas.dc(), 2, 6), 1);
  for (int x = 0; x < 8; ++x) {
    EXPECT_EQ(canvas.At(x, 0), 0u);
    EXPECT_EQ(canvas.At(x, 3), 0u);
  }
}

}  // namespace
