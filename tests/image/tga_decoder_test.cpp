// The TGA decoder on small files built here.
#include <gtest/gtest.h>

#include <string>

#include "image/cximage.h"
#include "tests/image/image_test_util.h"

namespace {

using image_test::Bytes;
using image_test::DecodeBytes;
using image_test::Le16;
using image_test::MakeTga;
using image_test::Rgb;

std::string Decode(CxImage& image, const std::string& file) {
  return DecodeBytes(image, file, ImageTypeTga) ? "" : image.GetLastError();
}

TEST(TgaDecoder, RefusesBadHeadersWithTheirMessages) {
  CxImage image;
  EXPECT_EQ(Decode(image, "short"), "Not a TGA");
  EXPECT_EQ(Decode(image, MakeTga(4, 1, 1, 24, 0, "abc")), "Unknown TGA image type");
  EXPECT_EQ(Decode(image, MakeTga(2, 0, 1, 24, 0, "abc")), "bad TGA header");
  EXPECT_EQ(Decode(image, MakeTga(2, 1, 1, 0, 0, "abc")), "bad TGA header");
  EXPECT_EQ(Decode(image, MakeTga(2, 1, 1, 7, 0, "abc")), "bad TGA header");
  EXPECT_EQ(Decode(image, MakeTga(1, 1, 1, 8, 0, "abc", 1, 257, 24)), "bad TGA header");
  EXPECT_EQ(Decode(image, MakeTga(1, 1, 1, 8, 0, "abc", 1, 1, 8)), "bad TGA header")
      << "a colour-map entry size the format does not define";
  // The data runs out before the second row begins.
  EXPECT_EQ(Decode(image, MakeTga(2, 1, 2, 24, 0, "ab")), "corrupted TGA");
  // A short last row goes unnoticed; what it lacks stays black.
  EXPECT_EQ(Decode(image, MakeTga(2, 2, 1, 24, 0, "abc")), "");
  EXPECT_EQ(Rgb(image, 0, 0), 0x636261u);
  EXPECT_EQ(Rgb(image, 1, 0), 0u);
}

TEST(TgaDecoder, ThirtyTwoBitsGiveAnAlphaPlaneInEveryStorageOrder) {
  // File rows: first row (1,2,3,a=10) (4,5,6,a=20), second row (7,8,9,a=30) (10,11,12,a=40).
  const std::string rows = Bytes({1, 2, 3, 10, 4, 5, 6, 20, 7, 8, 9, 30, 10, 11, 12, 40});
  CxImage bottomUp, topDown, rightToLeft;
  ASSERT_EQ(Decode(bottomUp, MakeTga(2, 2, 2, 32, 0x08, rows)), "");
  EXPECT_EQ(bottomUp.GetBpp(), 24);
  EXPECT_EQ(Rgb(bottomUp, 1, 0), 0x060504u);
  EXPECT_EQ(bottomUp.GetAlphaAt(0, 0), 10);
  EXPECT_EQ(bottomUp.GetAlphaAt(1, 1), 40);

  // Top-down: the first file row is the top line.
  ASSERT_EQ(Decode(topDown, MakeTga(2, 2, 2, 32, 0x28, rows.substr(8) + rows.substr(0, 8))), "");
  for (long row = 0; row < 2; ++row) {
    for (long x = 0; x < 2; ++x) {
      EXPECT_EQ(Rgb(topDown, x, row), Rgb(bottomUp, x, row));
      EXPECT_EQ(topDown.GetAlphaAt(x, row), bottomUp.GetAlphaAt(x, row));
    }
  }
  ASSERT_EQ(Decode(rightToLeft, MakeTga(2, 2, 2, 32, 0x18, rows)), "");
  EXPECT_EQ(Rgb(rightToLeft, 0, 0), 0x060504u);
  EXPECT_EQ(rightToLeft.GetAlphaAt(0, 0), 20) << "alpha is mirrored with its pixels";
}

TEST(TgaDecoder, SixteenBitPixelsKeepFiveBitsAndIgnoreTheTopBit) {
  CxImage image;
  ASSERT_EQ(Decode(image, MakeTga(2, 3, 1, 16, 0, Le16(0x7FFF) + Le16(0x8000) + Le16(0x7C00))), "");
  EXPECT_EQ(Rgb(image, 0, 0), 0xF8F8F8u);
  EXPECT_EQ(Rgb(image, 1, 0), 0x000000u);
  EXPECT_EQ(Rgb(image, 2, 0), 0xF80000u);
  EXPECT_FALSE(image.HasAlpha());
}

TEST(TgaDecoder, PacketsThatCrossARowCarryOnInTheNext) {
  // 4 x 2, 32 bits: raw A B, then a run of 4 C at x = 2, then raw D E.
  const std::string a = Bytes({1, 1, 1, 11}), b = Bytes({2, 2, 2, 22}), c = Bytes({3, 3, 3, 33});
  const std::string d = Bytes({4, 4, 4, 44}), e = Bytes({5, 5, 5, 55});
  CxImage image;
  ASSERT_EQ(Decode(image, MakeTga(10, 4, 2, 32, 0, "\x01" + a + b + "\x83" + c + "\x01" + d + e)),
            "");
  const long expected[2][4] = {{1, 2, 3, 3}, {3, 3, 4, 5}};
  for (long row = 0; row < 2; ++row) {
    for (long x = 0; x < 4; ++x) {
      EXPECT_EQ(Rgb(image, x, row), 0x010101u * expected[row][x]) << x << "," << row;
      EXPECT_EQ(image.GetAlphaAt(x, row), 11 * expected[row][x]);
    }
  }
  // 3 x 2, 8 bits: a run of 2, then a raw packet of 3 at x = 2, then a run of 1.
  ASSERT_EQ(Decode(image, MakeTga(9, 3, 2, 8, 0, Bytes({0x81, 7, 0x02, 1, 2, 3, 0x80, 9}))), "");
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.RowPointer(0)), 3), Bytes({7, 7, 1}));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.RowPointer(1)), 3), Bytes({2, 3, 9}));
}

TEST(TgaDecoder, ColourMapsAndGreyPalettes) {
  // Entries are read as 3 bytes even when the header says 16 bits; the image ID is skipped.
  const std::string map = Bytes({0x10, 0x20, 0x30, 0x40, 0x50, 0x60});
  CxImage image;
  ASSERT_EQ(Decode(image, MakeTga(1, 2, 1, 8, 0, "ID!" + map + Bytes({1, 0}), 1, 2, 16, 3)), "");
  EXPECT_EQ(image.GetBpp(), 8);
  EXPECT_EQ(Rgb(image, 0, 0), 0x605040u);
  EXPECT_EQ(Rgb(image, 1, 0), 0x302010u);
  EXPECT_EQ(image.Palette()[0].rgbReserved, 0);

  // Grey-scale wins over any colour map the file carries.
  ASSERT_EQ(Decode(image, MakeTga(11, 2, 1, 8, 0, map + Bytes({0x81, 200}), 1, 2, 24)), "");
  EXPECT_EQ(Rgb(image, 1, 0), 0xC8C8C8u);
  EXPECT_EQ(image.Palette()[1].rgbBlue, 1);

  // A colour map on a true-colour file is read past and otherwise ignored.
  ASSERT_EQ(Decode(image, MakeTga(2, 1, 1, 24, 0, map + Bytes({9, 8, 7}), 1, 2, 24)), "");
  EXPECT_EQ(Rgb(image, 0, 0), 0x070809u);
}

}  // namespace
