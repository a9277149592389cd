// The decoders against files nobody here wrote: BMP Suite and three public TGA sets, compared
// with their reference renderings (converted to PAM by ImageMagick at build time). Bad, truncated
// and corrupted files must be refused with a message or decoded safely; ASan watches every store.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "image/cximage.h"
#include "tests/image/image_test_util.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using image_test::Pam;

fs::path Corpus() { return testing_support::TestDataDir(); }

#define REQUIRE_CORPUS()                                                                         \
  if (Corpus().empty()) GTEST_SKIP() << "outside test data not found at " LAUNCHER_TESTDATA_DIR; \
  if (!IMAGE_REFERENCES_CONVERTED)                                                               \
  GTEST_SKIP() << "ImageMagick's convert was not found, no references"

bool Decode(CxImage& image, const fs::path& file, int type) {
  return image_test::DecodeBytes(image, testing_support::ReadFile(file), type);
}

// Every channel of every pixel within 1 of the reference; `keep` drops the low bits of the
// reference that a 5- or 6-bit channel cannot carry (red, green, blue).
::testing::AssertionResult Matches(const CxImage& image, const fs::path& png, const BYTE keep[3],
                                   bool withAlpha) {
  const fs::path pam =
      fs::path(IMAGE_REFERENCE_DIR) / (fs::relative(png, Corpus()).string() + ".pam");
  Pam ref;
  if (!image_test::ReadPam(pam.string(), ref))
    return ::testing::AssertionFailure() << "no reference " << pam;
  if (ref.width != image.GetWidth() || ref.height != image.GetHeight()) {
    return ::testing::AssertionFailure() << "size " << image.GetWidth() << "x" << image.GetHeight()
                                         << ", reference " << ref.width << "x" << ref.height;
  }
  for (long y = 0; y < ref.height; ++y) {
    for (long x = 0; x < ref.width; ++x) {
      const long row = image.GetHeight() - 1 - y;
      const RGBQUAD got = image.GetPixelColor(x, row);
      const BYTE* want = ref.At(x, y);
      const int ours[4] = {got.rgbRed, got.rgbGreen, got.rgbBlue, image.GetAlphaAt(x, row)};
      for (int c = 0; c < (withAlpha ? 4 : 3); ++c) {
        const int theirs = c < 3 ? (want[c] & keep[c]) : want[ref.depth - 1];
        if (std::abs(ours[c] - theirs) > 1) {
          return ::testing::AssertionFailure() << "pixel (" << x << "," << y << ") channel " << c
                                               << ": " << ours[c] << ", reference " << theirs;
        }
      }
    }
  }
  return ::testing::AssertionSuccess();
}

const BYTE kAllBits[3] = {0xFF, 0xFF, 0xFF};
const BYTE k555[3] = {0xF8, 0xF8, 0xF8};
const BYTE k565[3] = {0xF8, 0xFC, 0xF8};

TEST(BmpSuite, GoodFilesMatchTheirReferencesWhereOurRulesAgree) {
  REQUIRE_CORPUS();
  const fs::path suite = Corpus() / "bmpsuite";
  std::ifstream map(suite / "REF-MAP.tsv");
  std::string file, reference;
  int compared = 0;
  while (map >> file >> reference) {
    if (reference == "-" || !fs::exists(suite / file) || file.compare(0, 2, "q/") == 0 ||
        file.compare(0, 2, "x/") == 0) {
      continue;
    }
    SCOPED_TRACE(file);
    CxImage image;
    if (file == "g/pal8v4.bmp" || file == "g/pal8v5.bmp") {
      // Headers above 40 bytes are taken only without a colour count.
      EXPECT_FALSE(Decode(image, suite / file, ImageTypeBmp));
      EXPECT_STREQ(image.GetLastError(), "Error reading BMP info");
      continue;
    }
    ASSERT_TRUE(Decode(image, suite / file, ImageTypeBmp)) << image.GetLastError();
    if (file == "g/rgb32bf.bmp") {
      // 32-bit files ignore their masks: each pixel is its first three bytes.
      const std::string bytes = testing_support::ReadFile(suite / file);
      for (long i = 0; i < 127 * 64; ++i) {
        const BYTE* stored = reinterpret_cast<const BYTE*>(bytes.data()) + 66 + i * 4;
        ASSERT_EQ(image_test::Rgb(image, i % 127, i / 127),
                  static_cast<std::uint32_t>((stored[2] << 16) | (stored[1] << 8) | stored[0]));
      }
      continue;
    }
    // The stretched rendering is for viewers; the decoder keeps the stored pixels.
    if (file == "g/pal8nonsquare.bmp") reference = "html/pal8nonsquare-e.png";
    const BYTE* keep = kAllBits;
    if (file == "g/rgb16.bmp" || file == "g/rgb16bfdef.bmp") keep = k555;
    if (file.find("rgb16-565") != std::string::npos) keep = k565;
    EXPECT_TRUE(Matches(image, suite / reference, keep, false));
    ++compared;
  }
  EXPECT_GE(compared, 24) << "b/rgb16-880 (8-8-0 masks) and the g/ files";
}

// Decodes every prefix of the first bytes and a spread of longer ones, and each header byte set
// to 0x00 and to 0xFF, through both decoders. Nothing may crash or touch memory out of bounds.
void DecodeDamagedForms(const fs::path& file) {
  const std::string bytes = testing_support::ReadFile(file);
  CxImage image;
  for (std::size_t length = 0; length < bytes.size(); length += length < 96 ? 1 : 61) {
    image_test::DecodeBytes(image, bytes.substr(0, length), ImageTypeUnknown);
    image_test::DecodeBytes(image, bytes.substr(0, length), ImageTypeTga);
  }
  for (std::size_t at = 0; at < std::min<std::size_t>(bytes.size(), 72); ++at) {
    for (char value : {'\x00', '\xFF'}) {
      std::string damaged = bytes;
      damaged[at] = value;
      if (!image_test::DecodeBytes(image, damaged, ImageTypeUnknown)) {
        EXPECT_STRNE(image.GetLastError(), "") << file << " byte " << at;
      }
    }
  }
}

TEST(BmpSuite, BadTruncatedAndCorruptedFilesAreRefusedOrDecodedSafely) {
  REQUIRE_CORPUS();
  const fs::path suite = Corpus() / "bmpsuite";
  for (const char* folder : {"b", "g", "x"}) {
    for (const auto& entry : fs::directory_iterator(suite / folder)) {
      SCOPED_TRACE(entry.path().string());
      CxImage image;
      if (!Decode(image, entry.path(), ImageTypeUnknown)) {
        EXPECT_STRNE(image.GetLastError(), "");
      }
      if (std::string(folder) != "x") DecodeDamagedForms(entry.path());
    }
  }
  CxImage image;
  EXPECT_FALSE(Decode(image, suite / "b/reallybig.bmp", ImageTypeBmp));
  EXPECT_STREQ(image.GetLastError(), "Can't allocate memory")
      << "3000000 x 2000000 is not attempted";
  EXPECT_FALSE(Decode(image, suite / "b/badwidth.bmp", ImageTypeBmp));
}

TEST(TgaSets, FilesMatchTheirReferencesWhereOurRulesAgree) {
  REQUIRE_CORPUS();
  int compared = 0;
  // Pillow: every orientation and compression of a mode decodes to the mode's one reference.
  const fs::path common = Corpus() / "tga/pillow/Tests/images/tga/common";
  for (const auto& entry : fs::directory_iterator(common)) {
    const std::string name = entry.path().filename().string();
    if (entry.path().extension() != ".tga") continue;
    SCOPED_TRACE(name);
    const std::string size = name.substr(0, name.find('_'));
    const std::string mode =
        name.substr(size.size() + 1, name.find('_', size.size() + 1) - size.size() - 1);
    CxImage image;
    ASSERT_TRUE(Decode(image, entry.path(), ImageTypeTga)) << image.GetLastError();
    // 16-bit data is always 5-5-5 colour here, so grey-and-alpha files differ from Pillow's.
    if (mode == "la") continue;
    EXPECT_TRUE(Matches(image, common / (size + "_" + mode + ".png"), kAllBits, image.HasAlpha()));
    ++compared;
  }
  // image-rs: one reference per file.
  const fs::path suite = Corpus() / "tga/image-rs/tests";
  const std::set<std::string> differ = {
      "b5-cmap.tga", "b5-unused-cmap.tga",  // colour-map entries are always read as 3 bytes
      "cmap_offset.tga"};                   // the first colour-map index is not used
  for (const auto& entry : fs::directory_iterator(suite / "reference/tga/testsuite")) {
    const std::string name = entry.path().stem().string();
    SCOPED_TRACE(name);
    CxImage image;
    const bool decoded = Decode(image, suite / "images/tga/testsuite" / name, ImageTypeTga);
    if (differ.count(name)) continue;
    ASSERT_TRUE(decoded) << image.GetLastError();
    const BYTE* keep = name.compare(0, 3, "b5-") == 0 ? k555 : kAllBits;
    EXPECT_TRUE(Matches(image, entry.path(), keep, image.HasAlpha()));
    ++compared;
  }
  EXPECT_GE(compared, 30);
}

TEST(TgaSets, RunLengthFilesEqualTheirUncompressedTwins) {
  REQUIRE_CORPUS();
  const fs::path targa = Corpus() / "tga/oiio-images/targa";
  // CCM8/UCM8 are left out: their 16-bit colour maps are read as 3-byte entries, which shifts
  // the pixel data differently in the two files.
  for (const char* kind : {"BW8", "TC16", "TC24", "TC32"}) {
    SCOPED_TRACE(kind);
    CxImage raw, rle;
    ASSERT_TRUE(Decode(raw, targa / (std::string("U") + kind + ".TGA"), ImageTypeTga));
    ASSERT_TRUE(Decode(rle, targa / (std::string("C") + kind + ".TGA"), ImageTypeTga));
    ASSERT_EQ(raw.TotalSize(), rle.TotalSize());
    EXPECT_EQ(std::memcmp(raw.GetDib(), rle.GetDib(), raw.TotalSize()), 0);
    EXPECT_EQ(raw.HasAlpha(), rle.HasAlpha());
    if (raw.HasAlpha()) {
      EXPECT_EQ(std::memcmp(raw.GetAlphaPlane(), rle.GetAlphaPlane(), 128 * 128), 0);
    }
  }
}

TEST(TgaSets, EveryFileAndItsDamagedFormsAreRefusedOrDecodedSafely) {
  REQUIRE_CORPUS();
  for (const auto& entry : fs::recursive_directory_iterator(Corpus() / "tga")) {
    std::string extension = entry.path().extension().string();
    if (extension != ".tga" && extension != ".TGA") continue;
    SCOPED_TRACE(entry.path().string());
    CxImage image;
    if (!Decode(image, entry.path(), ImageTypeTga)) {
      EXPECT_STRNE(image.GetLastError(), "");
    }
    if (fs::file_size(entry.path()) < 40000) DecodeDamagedForms(entry.path());
  }
}

}  // namespace
