// imgtool's commands, run in-process on files written here.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "tests/image/image_test_util.h"
#include "tools/imgtool/imgtool.h"
#include "tests/support/test_support.h"

namespace {

using image_test::BmpFile;
using image_test::MakeTga;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

struct Result {
  int status;
  std::string out;
  std::string err;
};

Result RunTool(std::vector<std::string> args) {
  args.insert(args.begin(), "imgtool");
  std::vector<const char*> argv;
  for (const std::string& arg : args) argv.push_back(arg.c_str());
  std::ostringstream out, err;
  const int status = RunImgtool(static_cast<int>(argv.size()), argv.data(), out, err);
  return Result{status, out.str(), err.str()};
}

class Imgtool : public ::testing::Test {
 protected:
  void SetUp() override {
    BmpFile bmp;  // 2 x 2, 8 bits: bottom row indices 0 1, top row 1 0
    bmp.width = 2;
    bmp.height = 2;
    bmp.bpp = 8;
    bmp.palette = {0x112233, 0xAABBCC};
    bmp.bits = std::string("\x00\x01\x00\x00\x01\x00\x00\x00", 8);
    WriteFile(dir_ / "chequer.bmp", image_test::MakeBmp(bmp));
    // 2 x 1, 32 bits, top-down: (blue 1, green 2, red 3, alpha 4) then (5, 6, 7, 8).
    WriteFile(dir_ / "button.tga", MakeTga(2, 2, 1, 32, 0x28, "\x01\x02\x03\x04\x05\x06\x07\x08"));
    WriteFile(dir_ / "junk.img", std::string(64, '\x05'));
  }
  std::string Path(const char* name) { return dir_ / name; }
  TempDir dir_;
};

TEST_F(Imgtool, InfoReportsSizeDepthAndAlphaOrTheDecodersMessage) {
  EXPECT_EQ(RunTool({"info", Path("chequer.bmp")}).out, "2x2 bpp=8 alpha=no\n");
  EXPECT_EQ(RunTool({"info", "--type", "button", Path("button.tga")}).out,
            "2x1 bpp=24 alpha=yes\n");
  EXPECT_EQ(RunTool({"info", "--type", "button", Path("chequer.bmp")}).status, 0)
      << "TGA, then detection";

  const Result tga = RunTool({"info", "--type", "tga", Path("chequer.bmp")});
  EXPECT_EQ(tga.status, 1);
  EXPECT_EQ(tga.err, "Unknown TGA image type\n");
  EXPECT_EQ(RunTool({"info", "--type", "bmp", Path("junk.img")}).err, "Error reading BMP info\n");
  EXPECT_EQ(RunTool({"info", "--type", "button", Path("junk.img")}).err,
            "Unknown TGA image type\n");
  EXPECT_EQ(RunTool({"info", Path("junk.img")}).err, "Decode: Unknown or wrong format\n");
  const Result missing = RunTool({"info", Path("none.bmp")});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.err.find("cannot open"), std::string::npos);

  EXPECT_EQ(RunTool({}).status, 2);
  EXPECT_EQ(RunTool({"show", Path("chequer.bmp")}).status, 2);
  EXPECT_EQ(RunTool({"info", "--type", "png", Path("chequer.bmp")}).status, 2);
  EXPECT_EQ(RunTool({"decode", Path("chequer.bmp")}).status, 2);
}

TEST_F(Imgtool, DecodeWritesPamTopRowFirstWithPalettesExpanded) {
  ASSERT_EQ(RunTool({"decode", Path("chequer.bmp"), Path("chequer.pam")}).status, 0);
  EXPECT_EQ(ReadFile(Path("chequer.pam")),
            "P7\nWIDTH 2\nHEIGHT 2\nDEPTH 3\nMAXVAL 255\nTUPLTYPE RGB\nENDHDR\n"
            "\xAA\xBB\xCC\x11\x22\x33\x11\x22\x33\xAA\xBB\xCC");

  ASSERT_EQ(RunTool({"decode", "--type", "tga", Path("button.tga"), Path("button.pam")}).status, 0);
  EXPECT_EQ(ReadFile(Path("button.pam")),
            "P7\nWIDTH 2\nHEIGHT 1\nDEPTH 4\nMAXVAL 255\nTUPLTYPE RGB_ALPHA\nENDHDR\n"
            "\x03\x02\x01\x04\x07\x06\x05\x08");

  EXPECT_EQ(RunTool({"decode", Path("junk.img"), Path("junk.pam")}).status, 1);
  EXPECT_FALSE(testing_support::FileExists(Path("junk.pam")));
  const Result unwritable =
      RunTool({"decode", Path("chequer.bmp"), Path("no/such/folder/out.pam")});
  EXPECT_EQ(unwritable.status, 1);
  EXPECT_NE(unwritable.err.find("cannot write"), std::string::npos);
}

TEST_F(Imgtool, DecodeRefusesToWriteAPictureOfMorePixelsThanTheLargestTrueColourOne) {
  // 23000 x 23000 at 1 bit fits the image's memory; cut off after its first row, it still
  // decodes, but as a PAM it would take 1.6 GB.
  BmpFile bmp;
  bmp.width = 23000;
  bmp.height = 23000;
  bmp.bpp = 1;
  bmp.palette = {0x000000, 0xFFFFFF};
  bmp.bits = std::string((23000 + 31) / 32 * 4, '\x55');
  WriteFile(dir_ / "huge.bmp", image_test::MakeBmp(bmp));
  ASSERT_EQ(RunTool({"info", Path("huge.bmp")}).out, "23000x23000 bpp=1 alpha=no\n");
  const Result huge = RunTool({"decode", Path("huge.bmp"), Path("huge.pam")});
  EXPECT_EQ(huge.status, 1);
  EXPECT_NE(huge.err.find("23000x23000 is too large to write"), std::string::npos) << huge.err;
  EXPECT_FALSE(testing_support::FileExists(Path("huge.pam")));
}

}  // namespace
