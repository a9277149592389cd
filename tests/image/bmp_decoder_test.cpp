// The BMP decoder on small files built here, one rule of the format at a time.
#include <gtest/gtest.h>

#include <string>

#include "image/bmp_bitfields.h"
#include "image/cximage.h"
#include "tests/image/image_test_util.h"

namespace {

using image_test::BmpFile;
using image_test::Bytes;
using image_test::DecodeBytes;
using image_test::Le16;
using image_test::Le32;
using image_test::MakeBmp;
using image_test::Rgb;

// Decodes with the BMP decoder alone; the message on failure.
std::string Decode(CxImage& image, const BmpFile& bmp) {
  return DecodeBytes(image, MakeBmp(bmp), ImageTypeBmp) ? "" : image.GetLastError();
}

TEST(BmpDecoder, BareTopDownAndPlainFilesStoreTheSameRows) {
  BmpFile bmp;
  bmp.width = 2;
  bmp.height = 2;
  bmp.bits = Bytes({1, 2, 3, 4, 5, 6, 0, 0, 7, 8, 9, 10, 11, 12, 0, 0});  // bottom row first
  CxImage plain, bare, topDown;
  ASSERT_EQ(Decode(plain, bmp), "");
  EXPECT_EQ(Rgb(plain, 0, 0), 0x030201u);
  EXPECT_EQ(Rgb(plain, 1, 1), 0x0C0B0Au);
  EXPECT_EQ(plain.GetHeader().biXPelsPerMeter, 2835);

  bmp.fileHeader = false;
  ASSERT_EQ(Decode(bare, bmp), "") << "pixels follow the header directly";
  bmp.fileHeader = true;
  bmp.height = -2;
  bmp.bits = bmp.bits.substr(8) + bmp.bits.substr(0, 8);
  ASSERT_EQ(Decode(topDown, bmp), "");
  for (long row = 0; row < 2; ++row) {
    for (long x = 0; x < 2; ++x) {
      EXPECT_EQ(Rgb(bare, x, row), Rgb(plain, x, row));
      EXPECT_EQ(Rgb(topDown, x, row), Rgb(plain, x, row));
    }
  }
}

TEST(BmpDecoder, ColourTables) {
  BmpFile bmp;  // a core (OS/2) header: 3-byte entries
  std::string core = "BM" + Le32(0) + Le32(0) + Le32(0) + Le32(12) + Le16(2) + Le16(1) + Le16(1) +
                     Le16(1) + Bytes({0x11, 0x22, 0x33, 0x44, 0x55, 0x66}) +
                     Bytes({0x40, 0, 0, 0}) + std::string(40, '\0');
  CxImage image;
  ASSERT_TRUE(DecodeBytes(image, core, ImageTypeBmp));
  EXPECT_EQ(Rgb(image, 0, 0), 0x332211u);
  EXPECT_EQ(Rgb(image, 1, 0), 0x665544u);
  EXPECT_EQ(image.Palette()[1].rgbReserved, 0);

  // More entries than an 8-bit table holds: the rest are passed over, even in a bare bitmap.
  bmp = BmpFile{};
  bmp.bpp = 8;
  bmp.fileHeader = false;
  bmp.clrUsed = 300;
  bmp.palette.assign(300, 0x0000FF);
  bmp.palette[5] = 0x123456;
  bmp.bits = Bytes({5, 0, 0, 0});
  ASSERT_EQ(Decode(image, bmp), "");
  EXPECT_EQ(Rgb(image, 0, 0), 0x123456u);
  EXPECT_EQ(image.Palette()[5].rgbReserved, 0);
  bmp.fileHeader = true;
  bmp.clrUsed = 0x12345678;  // absurd, but the file header says where the pixels are
  ASSERT_EQ(Decode(image, bmp), "");
  EXPECT_EQ(Rgb(image, 0, 0), 0x123456u);
}

TEST(BmpDecoder, SixteenBitFields) {
  BmpFile bmp;
  bmp.width = 3;
  bmp.bpp = 16;
  bmp.bits = Le16(0x7FFF) + Le16(0x7C00) + Le16(0x8000) + Le16(0);
  CxImage image;
  ASSERT_EQ(Decode(image, bmp), "") << "compression 0 is 5-5-5";
  EXPECT_EQ(image.GetBpp(), 24);
  EXPECT_EQ(Rgb(image, 0, 0), 0xF8F8F8u);
  EXPECT_EQ(Rgb(image, 1, 0), 0xF80000u);
  EXPECT_EQ(Rgb(image, 2, 0), 0x000000u);
  bmp.height = 2;  // the second row is missing from the file: the first is still widened
  ASSERT_EQ(Decode(image, bmp), "");
  EXPECT_EQ(Rgb(image, 1, 0), 0xF80000u);
  EXPECT_EQ(Rgb(image, 1, 1), 0x000000u);
  bmp.height = 1;

  bmp.compression = BI_BITFIELDS;
  bmp.masks = Le32(0xF800) + Le32(0x07E0) + Le32(0x001F);
  bmp.bits = Le16(0xFFFF) + Le16(0x07E0) + Le16(0x0001) + Le16(0);
  ASSERT_EQ(Decode(image, bmp), "");
  EXPECT_EQ(Rgb(image, 0, 0), 0xF8FCF8u);
  EXPECT_EQ(Rgb(image, 1, 0), 0x00FC00u);
  EXPECT_EQ(Rgb(image, 2, 0), 0x000008u);

  // Unusual masks put each field's top bit on bit 7 instead of shifting by a negative count.
  EXPECT_EQ(BitFieldChannel(0x3F, 0x30), 0xC0) << "2-bit field";
  EXPECT_EQ(BitFieldChannel(0x3F, 0x0E), 0xE0) << "3-bit field";
  EXPECT_EQ(BitFieldChannel(0x3F, 0x01), 0x80) << "1-bit field";
  EXPECT_EQ(BitFieldChannel(0xFFFF, 0x1FF8), 0xFF) << "10-bit field keeps its top 8 bits";
  EXPECT_EQ(BitFieldChannel(0xABCD, 0xFF00), 0xAB);
  EXPECT_EQ(BitFieldChannel(0xABCD, 0x00FF), 0xCD);
  EXPECT_EQ(BitFieldChannel(0xFFFF, 0xFFFF0000u), 0) << "nothing of the mask within 16 bits";
}

TEST(BmpDecoder, ThirtyTwoBitsDropTheFourthByteWhateverTheMasks) {
  BmpFile bmp;
  bmp.width = 2;
  bmp.bpp = 32;
  bmp.compression = BI_BITFIELDS;
  bmp.masks = Le32(0xFF000000u) + Le32(0xFF0) + Le32(0xFF0000);
  bmp.bits = Bytes({1, 2, 3, 4, 5, 6, 7, 8});
  CxImage image;
  ASSERT_EQ(Decode(image, bmp), "");
  EXPECT_EQ(Rgb(image, 0, 0), 0x030201u);
  EXPECT_EQ(Rgb(image, 1, 0), 0x070605u);
  EXPECT_FALSE(image.HasAlpha());

  bmp.compression = BI_RLE8;
  EXPECT_EQ(Decode(image, bmp), "unknown compression");
  bmp.bpp = 24;
  EXPECT_EQ(Decode(image, bmp), "unknown compression");
  bmp.bpp = 8;
  bmp.compression = 5;
  EXPECT_EQ(Decode(image, bmp), "compression type not supported");
}

TEST(BmpDecoder, HeaderForms) {
  BmpFile bmp;
  bmp.width = 2;
  bmp.bits = Bytes({1, 2, 3, 4, 5, 6, 0, 0});
  CxImage image;
  for (DWORD size : {108u, 124u}) {
    bmp.headerSize = size;
    bmp.sizeImage = 8;
    EXPECT_EQ(Decode(image, bmp), "") << size << "-byte header, exact size";
    EXPECT_EQ(Rgb(image, 1, 0), 0x060504u);
    bmp.sizeImage = 9;
    EXPECT_EQ(Decode(image, bmp), "Error reading BMP info") << size << "-byte header, loose size";
    bmp.sizeImage = 8;
    bmp.compression = BI_BITFIELDS;
    EXPECT_EQ(Decode(image, bmp), "Error reading BMP info") << size << "-byte header, bit fields";
    bmp.compression = BI_RGB;
  }
  bmp.width = 0x7FFFFFFF;  // sizes whose product passes 64 bits are refused, not overflowed
  bmp.height = -0x7FFFFFFF;
  bmp.bpp = 0xFFFF;
  EXPECT_EQ(Decode(image, bmp), "Error reading BMP info");
  bmp.width = 2;
  bmp.height = 1;
  bmp.bpp = 24;
  bmp.headerSize = 64;
  bmp.sizeImage = 0;
  EXPECT_EQ(Decode(image, bmp), "");
  bmp.headerSize = 20;
  EXPECT_EQ(Decode(image, bmp), "Error reading BMP info");
  EXPECT_FALSE(DecodeBytes(image, "BM\x10\x00", ImageTypeBmp));
  EXPECT_STREQ(image.GetLastError(), "Not a BMP");
  bmp.headerSize = 40;
  bmp.width = -2;
  EXPECT_EQ(Decode(image, bmp), "Can't allocate memory");
}

// A picture the decoder cannot fill from the file is refused rather than shown black.
TEST(BmpDecoder, DepthsWithoutAReaderEmptyPicturesAndFilesWithoutPixelsAreRefused) {
  BmpFile bmp;
  bmp.width = 2;
  bmp.bits = std::string(32, '\x11');
  CxImage image;
  for (WORD bpp : {0, 2, 64}) {
    bmp.bpp = bpp;
    EXPECT_EQ(Decode(image, bmp), "bit count not supported") << bpp;
  }
  bmp.bpp = 24;
  bmp.width = 0;
  bmp.height = -2000000000;
  EXPECT_EQ(Decode(image, bmp), "zero width or height");
  bmp.width = 2;
  bmp.height = 0;
  EXPECT_EQ(Decode(image, bmp), "zero width or height");

  // Cut off after the first pixel's bytes, a file decodes: the rest of the picture stays black.
  bmp.height = 2;
  const struct {
    WORD bpp;
    DWORD compression;
    std::string firstPixel;
  } depths[] = {{1, BI_RGB, "\xFF"},
                {4, BI_RGB, "\xFF"},
                {8, BI_RGB, "\xFF"},
                {8, BI_RLE8, "\x01\xFF"},
                {16, BI_RGB, "\xFF\xFF"},
                {24, BI_RGB, "\xFF\xFF\xFF"},
                {32, BI_RGB, "\xFF\xFF\xFF\xFF"}};
  for (const auto& depth : depths) {
    SCOPED_TRACE(depth.bpp);
    bmp.bpp = depth.bpp;
    bmp.compression = depth.compression;
    bmp.palette.assign(depth.bpp <= 8 ? 1u << depth.bpp : 0, 0xFFFFFF);
    if (depth.bpp <= 8) bmp.palette[0] = 0;
    bmp.bits.clear();
    EXPECT_EQ(Decode(image, bmp), "no pixel data");
    bmp.bits = depth.firstPixel;
    ASSERT_EQ(Decode(image, bmp), "");
    EXPECT_NE(Rgb(image, 0, 0), 0u);
    EXPECT_EQ(Rgb(image, 1, 1), 0u);
  }
}

// Palette index of every pixel of a 4- or 8-bit image, bottom row first.
std::string Indices(const CxImage& image) {
  std::string out;
  for (long row = 0; row < image.GetHeight(); ++row) {
    for (long x = 0; x < image.GetWidth(); ++x) {
      const BYTE* bytes = image.RowPointer(row);
      const int index = image.GetBpp() == 8 ? bytes[x] : (bytes[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
      out += "0123456789ABCDEF"[index & 0xF];
    }
  }
  return out;
}

CxImage& DecodeRle(CxImage& image, WORD bpp, int width, int height, const std::string& codes) {
  BmpFile bmp;
  bmp.width = width;
  bmp.height = height;
  bmp.bpp = bpp;
  bmp.compression = bpp == 8 ? BI_RLE8 : BI_RLE4;
  bmp.palette.assign(bpp == 8 ? 256 : 16, 0);
  bmp.bits = codes;
  EXPECT_EQ(Decode(image, bmp), "");
  return image;
}

TEST(BmpDecoder, Rle8RunsLiteralsDeltasAndUnfinishedData) {
  CxImage image;
  // Run of 2, literal of 3 (padded), end of line, delta (1, 0), run of 1, end of bitmap.
  EXPECT_EQ(Indices(DecodeRle(image, 8, 5, 2,
                              Bytes({2, 1, 0, 3, 2, 3, 4, 0, 0, 0, 0, 2, 1, 0, 1, 9, 0, 1}))),
            "1123409000");
  // No end code: what was decoded stays, the rest stays black.
  EXPECT_EQ(Indices(DecodeRle(image, 8, 4, 2, Bytes({3, 7, 0, 0, 1}))), "77700000");
  // A run far past the last row stores nothing outside the pixel area (ASan watches).
  EXPECT_EQ(Indices(DecodeRle(image, 8, 2, 1, Bytes({0, 0, 255, 5, 0, 2, 0, 200, 255, 6, 0, 1}))),
            "00");
  // Nor in the last row it wrote: a delta beyond the picture ends the decoding, for runs and
  // literals alike.
  EXPECT_EQ(
      Indices(DecodeRle(image, 8, 2, 2, Bytes({2, 1, 0, 0, 2, 7, 0, 0, 0, 2, 0, 5, 2, 9, 0, 1}))),
      "1177");
  EXPECT_EQ(Indices(DecodeRle(image, 4, 2, 2,
                              Bytes({2, 0x12, 0, 0, 0, 2, 0, 8, 0, 3, 0xAB, 0xC0, 0, 1}))),
            "1200");
}

TEST(BmpDecoder, Rle4RunsTakeHighThenLowNibbleFromTheirOwnFirstPixel) {
  CxImage image;
  // Even start: a literal of 3 reads 2 bytes and no padding; one of 5 reads 3 bytes and a pad.
  EXPECT_EQ(Indices(DecodeRle(image, 4, 8, 1,
                              Bytes({0, 3, 0x12, 0x30, 0, 5, 0x45, 0x67, 0x80, 0, 0, 1}))),
            "12345678");
  // Runs starting at an odd pixel: an encoded run of 3 after a single pixel, then a literal of 3.
  EXPECT_EQ(Indices(DecodeRle(image, 4, 7, 1, Bytes({1, 0xA0, 3, 0xBC, 0, 3, 0x12, 0x30, 0, 1}))),
            "ABCB123");
  // A delta of 3 moves 3 pixels.
  EXPECT_EQ(Indices(DecodeRle(image, 4, 9, 1,
                              Bytes({1, 0xF0, 0, 2, 3, 0, 0, 3, 0x12, 0x30, 1, 0xE0, 0, 1}))),
            "F000123E0");
}

}  // namespace
