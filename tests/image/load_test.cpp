// The file source over a C stream, and loading from a path with its choice of decoder.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "image/cximage.h"
#include "image/image_stdio_file.h"
#include "tests/image/image_test_util.h"
#include "tests/support/test_support.h"

namespace {

using image_test::BmpFile;
using image_test::MakeBmp;
using image_test::Rgb;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(ImageStdioFile, MapsOntoTheStreamAndKeepsThePositionWhenSized) {
  TempDir dir;
  WriteFile(dir / "data", "abcdef");
  std::FILE* stream = std::fopen((dir / "data").c_str(), "rb+");
  ASSERT_NE(stream, nullptr);
  {
    ImageStdioFile file(stream);
    char two[2];
    EXPECT_EQ(file.Read(two, 2, 1), 1u);
    EXPECT_EQ(file.Size(), 6);
    EXPECT_EQ(file.Tell(), 2);
    EXPECT_EQ(file.GetByte(), 'c');
    EXPECT_TRUE(file.Seek(-1, SEEK_END));
    EXPECT_EQ(file.Read(two, 2, 1), 0u) << "only whole items count";
    EXPECT_TRUE(file.Eof());
    EXPECT_TRUE(file.Seek(0, SEEK_SET));
    EXPECT_FALSE(file.Eof());
    EXPECT_TRUE(file.PutByte('X'));
    EXPECT_TRUE(file.Flush());
    EXPECT_EQ(file.Error(), 0);
    EXPECT_TRUE(file.Close());
  }
  // The object did not own the stream: it is still open for its owner.
  EXPECT_EQ(std::fseek(stream, 0, SEEK_SET), 0);
  EXPECT_EQ(std::fgetc(stream), 'X');
  std::fclose(stream);

  ImageStdioFile none;
  char byte;
  EXPECT_EQ(none.Read(&byte, 1, 1), 0u);
  EXPECT_FALSE(none.Seek(0, SEEK_SET));
  EXPECT_EQ(none.Size(), -1);
  EXPECT_TRUE(none.Eof());
  EXPECT_EQ(none.Error(), -1);
  EXPECT_EQ(none.GetByte(), -1);
  EXPECT_FALSE(none.PutByte('a'));
  EXPECT_TRUE(none.Close());
}

std::string RedPixelBmp() {
  BmpFile bmp;
  bmp.bits = std::string("\x00\x00\xFF\x00", 4);
  return MakeBmp(bmp);
}

TEST(Load, TriesTheAskedDecoderThenDetectsAndKeepsTheFirstMessage) {
  TempDir dir;
  WriteFile(dir / "red.bmp", RedPixelBmp());
  WriteFile(dir / "junk.tga", std::string(40, '\x07'));

  CxImage image;
  ASSERT_TRUE(image.Load((dir / "red.bmp").c_str(), ImageTypeTga)) << "TGA refuses, BMP takes it";
  EXPECT_EQ(Rgb(image, 0, 0), 0xFF0000u);

  // A failed load leaves the picture it had.
  EXPECT_FALSE(image.Load((dir / "junk.tga").c_str(), ImageTypeTga));
  EXPECT_STREQ(image.GetLastError(), "Unknown TGA image type");
  EXPECT_EQ(Rgb(image, 0, 0), 0xFF0000u);
  EXPECT_FALSE(image.Load((dir / "junk.tga").c_str(), ImageTypeBmp));
  EXPECT_STREQ(image.GetLastError(), "Error reading BMP info");
  EXPECT_FALSE(image.Load((dir / "junk.tga").c_str(), ImageTypeUnknown));
  EXPECT_STREQ(image.GetLastError(), "Decode: Unknown or wrong format");

  // A file that cannot be opened says nothing new.
  EXPECT_FALSE(image.Load((dir / "missing.tga").c_str(), ImageTypeTga));
  EXPECT_STREQ(image.GetLastError(), "Decode: Unknown or wrong format");
  EXPECT_TRUE(image.IsValid());
}

TEST(Decode, DetectsFromTheCurrentPositionAndRefusesUnknownTypes) {
  const std::string prefix = "skip";
  image_test::MemoryFile source(prefix + RedPixelBmp());
  source.Seek(4, SEEK_SET);
  CxImage image;
  ASSERT_TRUE(image.Decode(&source, ImageTypeUnknown));
  EXPECT_EQ(Rgb(image, 0, 0), 0xFF0000u);

  image_test::MemoryFile junk(std::string(40, '\x07'));
  junk.Seek(3, SEEK_SET);
  EXPECT_FALSE(image.Decode(&junk, ImageTypeUnknown));
  EXPECT_EQ(junk.Tell(), 3) << "the source goes back where it was";
  EXPECT_FALSE(image.Decode(&junk, 7));
  EXPECT_STREQ(image.GetLastError(), "Decode: Unknown or wrong format");
  EXPECT_FALSE(image.Decode(nullptr, ImageTypeBmp));
  EXPECT_TRUE(image.IsValid());
}

}  // namespace
