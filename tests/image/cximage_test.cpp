// The image object: allocation and its limits, rows, palettes, the alpha plane, reversal and the
// hand-over between images.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "image/cximage.h"
#include "tests/image/image_test_util.h"

namespace {

using image_test::Rgb;

TEST(Create, SizesRowsAndColourTables) {
  CxImage image;
  ASSERT_NE(image.Create(3, 2, 24), nullptr);
  EXPECT_EQ(image.GetStride(), 12u);
  EXPECT_EQ(image.GetHeader().biSizeImage, 24u);
  EXPECT_EQ(image.Palette(), nullptr);
  EXPECT_EQ(image.TotalSize(), 64u);
  EXPECT_EQ(std::memcmp(image.GetDib(), &image.GetHeader(), 40), 0)
      << "the block starts with the header";

  ASSERT_NE(image.Create(10, 1, 2), nullptr);
  EXPECT_EQ(image.GetBpp(), 4) << "2 bits are stored as 4";
  EXPECT_EQ(image.GetHeader().biClrUsed, 16u);
  EXPECT_EQ(image.GetStride(), 8u);
  for (int i = 0; i < 16; ++i) EXPECT_EQ(image.Palette()[i].rgbBlue | image.Palette()[i].rgbRed, 0);

  ASSERT_NE(image.Create(1, 1, 32), nullptr);
  EXPECT_EQ(image.GetBpp(), 24);
  ASSERT_NE(image.Create(9, 5, 1), nullptr);
  EXPECT_EQ(image.GetStride(), 4u);
  EXPECT_EQ(image.RowPointer(1) - image.RowPointer(0), 4);
  EXPECT_EQ(image.RowPointer(5), nullptr);
  EXPECT_EQ(image.RowPointer(0xFFFFFFFFu), nullptr);

  // New rows start black: nothing of the heap's old content shows through.
  for (DWORD i = 0; i < image.GetHeader().biSizeImage; ++i) ASSERT_EQ(image.RowPointer(0)[i], 0);
}

TEST(Create, RefusesBlocksAboveTheLimitAndStaysEmpty) {
  CxImage image;
  ASSERT_NE(image.Create(4, 4, 8), nullptr);
  EXPECT_EQ(image.Create(3000000, 2000000, 24), nullptr);
  EXPECT_STREQ(image.GetLastError(), "CXIMAGE_MAX_MEMORY exceeded");
  EXPECT_FALSE(image.IsValid());
  EXPECT_EQ(image.GetWidth(), 0);
  EXPECT_EQ(image.RowPointer(0), nullptr);
  EXPECT_EQ(image.Create(static_cast<DWORD>(-127), 64, 1), nullptr) << "a negative width";
  EXPECT_EQ(image.Create(0x80000000u, 0, 24), nullptr) << "too wide for the header";
  EXPECT_EQ(image.Create(1024, CXIMAGE_MAX_MEMORY / 3072 + 1, 24), nullptr)
      << "just above the limit";
}

TEST(Create, ACeilingOnTheImageBoundsItAndEveryDecoderItRuns) {
  CxImage image;
  EXPECT_EQ(image.GetMemoryCeiling(), CXIMAGE_MAX_MEMORY);
  image.SetMemoryCeiling(40 + 2 * 12);  // the header and two rows of three 24-bit pixels
  EXPECT_NE(image.Create(3, 2, 24), nullptr);
  EXPECT_EQ(image.Create(3, 3, 24), nullptr);
  EXPECT_STREQ(image.GetLastError(), "CXIMAGE_MAX_MEMORY exceeded");

  image_test::BmpFile bmp;
  bmp.width = 3;
  bmp.height = 3;
  bmp.bits = std::string(36, '\x7F');
  EXPECT_FALSE(image_test::DecodeBytes(image, image_test::MakeBmp(bmp), ImageTypeBmp));
  EXPECT_STREQ(image.GetLastError(), "Can't allocate memory");
  const std::string tga = image_test::MakeTga(2, 3, 3, 24, 0, bmp.bits);
  EXPECT_FALSE(image_test::DecodeBytes(image, tga, ImageTypeTga));
  EXPECT_STREQ(image.GetLastError(), "TGA Create failed");
  bmp.height = 2;
  bmp.bits.resize(24);
  ASSERT_TRUE(image_test::DecodeBytes(image, image_test::MakeBmp(bmp), ImageTypeBmp));
  EXPECT_EQ(image.GetMemoryCeiling(), 64u) << "kept through the decoder's hand-over";

  // Only lowered, never raised: the product's limit holds whatever is set.
  image.SetMemoryCeiling(0xFFFFFFFFu);
  EXPECT_EQ(image.GetMemoryCeiling(), CXIMAGE_MAX_MEMORY);
  EXPECT_EQ(image.Create(1024, CXIMAGE_MAX_MEMORY / 3072 + 1, 24), nullptr);
}

TEST(Palette, EntriesAreBoundedAndGreyRampsSpanBlackToWhite) {
  CxImage image;
  image.Create(2, 2, 1);
  image.FillGrayPalette();
  EXPECT_EQ(Rgb(image, 0, 0), 0x000000u);
  image.RowPointer(0)[0] = 0x80;
  EXPECT_EQ(Rgb(image, 0, 0), 0xFFFFFFu);

  image.Create(2, 1, 4);
  image.FillGrayPalette();
  EXPECT_EQ(image.Palette()[1].rgbGreen, 17);
  EXPECT_EQ(image.Palette()[15].rgbRed, 255);
  image.SetPaletteEntry(3, 0x10, 0x20, 0x30, 0x40);
  EXPECT_EQ(image.Palette()[3].rgbRed, 0x10);
  EXPECT_EQ(image.Palette()[3].rgbBlue, 0x30);
  EXPECT_EQ(image.Palette()[3].rgbReserved, 0x40);
  image.SetPaletteEntry(16, 1, 1, 1, 1);  // beyond 16 entries: ignored (ASan checks the store)

  RGBQUAD big[256];
  std::memset(big, 0x55, sizeof big);
  image.SetPalette(big, 256);  // copies no more than the 16-entry table
  EXPECT_EQ(image.Palette()[15].rgbGreen, 0x55);
  image.RowPointer(0)[0] = 0x3F;
  EXPECT_EQ(Rgb(image, 0, 0), 0x555555u);
  EXPECT_EQ(Rgb(image, 5, 0), 0u) << "outside the image";
}

TEST(AlphaPlane, StartsOpaqueAndIgnoresStoresOutsideTheImage) {
  CxImage image;
  EXPECT_FALSE(image.CreateAlphaPlane()) << "an empty image has no plane";
  image.Create(3, 2, 24);
  ASSERT_TRUE(image.CreateAlphaPlane());
  EXPECT_EQ(image.GetAlphaAt(2, 1), 255);
  image.SetAlphaAt(2, 1, 7);
  image.SetAlphaAt(3, 0, 9);
  image.SetAlphaAt(-1, 0, 9);
  const BYTE* plane = image.GetAlphaPlane();
  ASSERT_TRUE(image.CreateAlphaPlane());
  EXPECT_EQ(image.GetAlphaPlane(), plane) << "an existing plane is kept";
  EXPECT_EQ(plane[5], 7);
  EXPECT_EQ(std::count(plane, plane + 6, 255), 5);
  image.Create(3, 2, 24);
  EXPECT_FALSE(image.HasAlpha()) << "a new image drops the old plane";
}

// A 3 x 2 24-bit image whose pixel (x, row) holds the value 10 * row + x in every channel, with
// alpha 100 + 10 * row + x.
void FillNumbered(CxImage& image) {
  image.Create(3, 2, 24);
  image.CreateAlphaPlane();
  for (int row = 0; row < 2; ++row) {
    for (int x = 0; x < 3; ++x) {
      std::memset(image.RowPointer(row) + x * 3, 10 * row + x, 3);
      image.SetAlphaAt(x, row, static_cast<BYTE>(100 + 10 * row + x));
    }
  }
}

TEST(Reversal, FlipAndMirrorMovePixelsAndAlphaTogether) {
  CxImage image;
  EXPECT_FALSE(image.FlipRows());
  EXPECT_FALSE(image.MirrorColumns());
  FillNumbered(image);
  ASSERT_TRUE(image.FlipRows());
  EXPECT_EQ(Rgb(image, 2, 0), 0x0C0C0Cu);
  EXPECT_EQ(image.GetAlphaAt(2, 0), 112);
  ASSERT_TRUE(image.MirrorColumns());
  EXPECT_EQ(Rgb(image, 0, 0), 0x0C0C0Cu);
  EXPECT_EQ(Rgb(image, 2, 1), 0x000000u);
  EXPECT_EQ(image.GetAlphaAt(0, 0), 112);
  EXPECT_EQ(image.GetAlphaAt(1, 1), 101);

  image.Create(3, 1, 8);
  image.RowPointer(0)[0] = 1;
  image.RowPointer(0)[2] = 3;
  ASSERT_TRUE(image.MirrorColumns());
  EXPECT_EQ(image.RowPointer(0)[0], 3);
  EXPECT_EQ(image.RowPointer(0)[2], 1);
  image.Create(3, 1, 4);
  EXPECT_FALSE(image.MirrorColumns()) << "packed 4-bit rows are not mirrored";
}

TEST(TakeOver, MovesEverythingAndLeavesTheOtherEmpty) {
  CxImage source;
  FillNumbered(source);
  const BYTE* block = source.GetDib();
  CxImage target;
  target.Create(1, 1, 8);
  ASSERT_TRUE(target.TakeOver(source));
  EXPECT_EQ(target.GetDib(), block);
  EXPECT_EQ(target.GetWidth(), 3);
  EXPECT_EQ(target.GetStride(), 12u);
  EXPECT_EQ(target.GetAlphaAt(1, 1), 111);
  EXPECT_FALSE(source.IsValid());
  EXPECT_FALSE(source.HasAlpha());
  EXPECT_EQ(source.GetStride(), 0u);
  EXPECT_EQ(source.GetHeader().biWidth, 0);

  // Settings go only to an image that holds no pixels yet.
  CxImage failed;
  failed.Create(0x7FFFFFFF, 0x7FFFFFFF, 24);
  CxImage fresh;
  fresh.AdoptSettings(failed);
  EXPECT_STREQ(fresh.GetLastError(), "CXIMAGE_MAX_MEMORY exceeded");
  target.AdoptSettings(failed);
  EXPECT_STREQ(target.GetLastError(), "");
  EXPECT_EQ(target.GetStride(), 12u);
}

TEST(Copy, GivesAnIndependentPictureWithItsPaletteAndAlpha) {
  CxImage source;
  FillNumbered(source);
  CxImage copy;
  copy.Create(1, 1, 8);
  ASSERT_TRUE(copy.Copy(source));
  ASSERT_NE(copy.GetDib(), source.GetDib());
  ASSERT_EQ(copy.TotalSize(), source.TotalSize());
  EXPECT_EQ(std::memcmp(copy.GetDib(), source.GetDib(), source.TotalSize()), 0);
  EXPECT_EQ(copy.GetStride(), 12u);
  EXPECT_EQ(copy.GetAlphaAt(2, 1), 112);
  // The copy's rows are its own: changing the source's leaves them alone.
  source.RowPointer(1)[0] = 0xEE;
  source.SetAlphaAt(2, 1, 1);
  EXPECT_EQ(copy.RowPointer(1)[0], 10);
  EXPECT_EQ(copy.GetAlphaAt(2, 1), 112);

  CxImage paletted;
  paletted.Create(2, 1, 8);
  paletted.SetPaletteEntry(5, 1, 2, 3, 0);
  paletted.RowPointer(0)[1] = 5;
  ASSERT_TRUE(copy.Copy(paletted));
  EXPECT_FALSE(copy.HasAlpha()) << "the earlier plane is gone";
  EXPECT_EQ(Rgb(copy, 1, 0), 0x010203u);

  CxImage empty;
  ASSERT_TRUE(copy.Copy(empty));
  EXPECT_FALSE(copy.IsValid());
  EXPECT_EQ(copy.RowPointer(0), nullptr);
}

}  // namespace
