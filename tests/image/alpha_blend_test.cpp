// The drawing arithmetic that runs on every build: the blend, the clipping, and which image
// pixel lands on which pixel of the off-screen copy.
#include <gtest/gtest.h>

#include <vector>

#include "image/alpha_blend.h"
#include "image/cximage.h"

namespace {

TEST(BlendChannel, DividesBy256AndKeepsTheEndsExact) {
  EXPECT_EQ(BlendChannel(255, 255, 128), 254) << "white at 128 over white";
  EXPECT_EQ(BlendChannel(255, 255, 254), 254);
  EXPECT_EQ(BlendChannel(200, 100, 64), (200 * 64 + 100 * 191) >> 8);
  EXPECT_EQ(BlendChannel(0, 255, 1), 253);
  for (int value : {0, 17, 255}) {
    EXPECT_EQ(BlendChannel(static_cast<BYTE>(value), 99, 0), 99) << "alpha 0 keeps the background";
    EXPECT_EQ(BlendChannel(static_cast<BYTE>(value), 99, 255), value) << "alpha 255 is the image";
  }
}

TEST(ClipDrawArea, KeepsThePartInsideTheClipBoxAndNeverGoesNegative) {
  DrawArea area = ClipDrawArea(0, 0, 100, 50, 10, 20, 30, 40);
  EXPECT_EQ(area.xmin, 10);
  EXPECT_EQ(area.ymin, 20);
  EXPECT_EQ(area.Width(), 30);
  EXPECT_EQ(area.Height(), 30) << "cut at the bottom of the clip box";
  area = ClipDrawArea(25, 0, 100, 50, 10, 0, 30, 10);
  EXPECT_EQ(area.xmin, 25);
  EXPECT_EQ(area.Width(), 15) << "the clip box's left edge cuts the image";
  area = ClipDrawArea(0, 0, 100, 50, 200, 60, 30, 40);
  EXPECT_EQ(area.Width(), 0);
  EXPECT_EQ(area.Height(), 0);
  area = ClipDrawArea(0, 0, 100, 50, -80, -90, 30, 40);
  EXPECT_EQ(area.Width(), 0);
  EXPECT_EQ(area.Height(), 0);
  area = ClipDrawArea(0, 0, 100, 50, 0x7FFFFFF0, 0, 0x7FFFFFF0, 10);
  EXPECT_EQ(area.Width(), 0) << "no overflow far to the right";
  EXPECT_EQ(SectionStride(3), 12u);
  EXPECT_EQ(SectionStride(4), 12u);
}

TEST(BlendImageOver, LinesTheImageUpWithTheClippedArea) {
  // 4 x 3 image: pixel (x, stored row r) has blue = 10 * r + x; alpha 255 except stored row 0
  // (the bottom line), which is transparent.
  CxImage image;
  image.Create(4, 3, 24);
  image.CreateAlphaPlane();
  for (int r = 0; r < 3; ++r) {
    for (int x = 0; x < 4; ++x) {
      image.RowPointer(r)[x * 3] = static_cast<BYTE>(10 * r + x);
      if (r == 0) image.SetAlphaAt(x, r, 0);
    }
  }
  // Drawn at (5, 7) with a clip box whose left edge is at 7: screen columns 7..8, all rows.
  const DrawArea area = ClipDrawArea(7, 0, 50, 50, 5, 7, 4, 3);
  ASSERT_EQ(area.Width(), 2);
  ASSERT_EQ(area.Height(), 3);
  std::vector<BYTE> section(SectionStride(2) * 3, 0xEE);
  BlendImageOver(image, 5, 7, area, section.data());
  // Section row 0 is the bottom screen line (image row 0, transparent); columns show x = 2, 3.
  EXPECT_EQ(section[0], 0xEE);
  EXPECT_EQ(section[SectionStride(2) * 1 + 0], 12);
  EXPECT_EQ(section[SectionStride(2) * 2 + 3], 23);
  EXPECT_EQ(section[SectionStride(2) * 2 + 4], 0) << "green of the image pixel";

  // Clipped at the top: only the lower two screen lines, image rows 0 and 1.
  std::vector<BYTE> lower(SectionStride(4) * 2, 0xEE);
  BlendImageOver(image, 5, 7, ClipDrawArea(0, 8, 50, 50, 5, 7, 4, 3), lower.data());
  EXPECT_EQ(lower[0], 0xEE);
  EXPECT_EQ(lower[SectionStride(4) + 9], 13);

  // A palette image is blended through its colour table.
  CxImage indexed;
  indexed.Create(1, 1, 8);
  indexed.SetPaletteEntry(0, 0x30, 0x20, 0x10, 0);
  indexed.CreateAlphaPlane();
  std::vector<BYTE> one(4, 0);
  BlendImageOver(indexed, 0, 0, ClipDrawArea(0, 0, 9, 9, 0, 0, 1, 1), one.data());
  EXPECT_EQ(one[0], 0x10);
  EXPECT_EQ(one[2], 0x30);
}

}  // namespace
