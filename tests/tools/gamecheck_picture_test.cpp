// gamecheck --picture, run as a program: the sample folder's picture, a button off the skin in red,
// and what it does when the skin or the output cannot be had.
#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>
#include <string>
#include <vector>

#include "tests/data/run_tool.h"
#include "tests/support/game_copy.h"
#include "tests/support/test_support.h"
#include "tools/gamecheck/game_picture.h"

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wall"
#pragma GCC diagnostic ignored "-Wextra"
#endif
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb_image.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

namespace fs = std::filesystem;
using testing_support::GameCopy;
using testing_support::ReadFile;
using testing_support::SampleGameDir;
using testing_support::TempDir;

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgba;

  Rgba At(int x, int y) const {
    const unsigned char* p = &rgba[(static_cast<size_t>(y) * width + x) * 4];
    return {p[0], p[1], p[2], p[3]};
  }
  bool IsRed(int x, int y) const {
    const Rgba c = At(x, y);
    return c.r == kProblemColor.r && c.g == kProblemColor.g && c.b == kProblemColor.b;
  }
};

// Runs gamecheck --picture on `folder`; the picture is decoded when the run wrote one.
data_test::ToolRun DrawPicture(const std::string& folder, const fs::path& out, Picture* picture) {
  const data_test::ToolRun run = data_test::RunTool(
      GAMECHECK_PROGRAM, "--picture \"" + out.string() + "\" \"" + folder + "\"");
  if (picture != nullptr && fs::exists(out)) {
    const std::string png = ReadFile(out);
    int channels = 0;
    unsigned char* pixels = stbi_load_from_memory(
        reinterpret_cast<const unsigned char*>(png.data()), static_cast<int>(png.size()),
        &picture->width, &picture->height, &channels, 4);
    if (pixels != nullptr) {
      picture->rgba.assign(pixels,
                           pixels + static_cast<size_t>(picture->width) * picture->height * 4);
      stbi_image_free(pixels);
    }
  }
  return run;
}

int LittleEndian32(const std::string& bytes, size_t at) {
  return static_cast<int>(static_cast<unsigned char>(bytes[at]) |
                          static_cast<unsigned char>(bytes[at + 1]) << 8 |
                          static_cast<unsigned char>(bytes[at + 2]) << 16 |
                          static_cast<unsigned char>(bytes[at + 3]) << 24);
}

bool IsLightGrey(const Rgba& c) { return c.r == c.g && c.g == c.b && c.r >= 192; }

// Kept under the build folder for a person to look at.
fs::path PictureFolder() {
  const fs::path folder = fs::path(LAUNCHER_BINARY_DIR) / "gamecheck-pictures";
  fs::create_directories(folder);
  return folder;
}

TEST(GamecheckPicture, TheSampleIsItsSkinAndLegendWithCutOutsCheckeredAndNothingRed) {
  Picture picture;
  const fs::path out = PictureFolder() / "sample.png";
  fs::remove(out);
  const data_test::ToolRun run = DrawPicture(SampleGameDir().string(), out, &picture);
  ASSERT_EQ(run.exitCode, 0) << run.out << run.err;
  EXPECT_NE(run.out.find("no problems"), std::string::npos) << run.out;
  const std::string skin = ReadFile(SampleGameDir() / "data2/interface/StartUp/OutSideStartBG.bmp");
  ASSERT_GT(skin.size(), 26u);
  EXPECT_EQ(picture.width, LittleEndian32(skin, 18));
  EXPECT_EQ(picture.height, LittleEndian32(skin, 22) + kLegendHeight);
  ASSERT_FALSE(picture.rgba.empty());
  // The sample's top corners are magenta on the skin and white on the inside panel: the desktop
  // shows there, in squares of two light greys (the edges carry the movie's outline).
  for (const int x : {2, 9, picture.width - 3}) {
    EXPECT_TRUE(IsLightGrey(picture.At(x, 4))) << x;
  }
  EXPECT_NE(picture.At(2, 4).r, picture.At(9, 4).r);
  for (int y = 0; y < picture.height - kLegendHeight; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      ASSERT_FALSE(picture.IsRed(x, y)) << x << ", " << y;
    }
  }
}

TEST(GamecheckPicture, AButtonReachingOffTheSkinIsOutlinedInRedThere) {
  GameCopy game;
  game.Replace("ini/PlayGui.ini", "x=772\r\ny=280", "x=790\r\ny=280");
  TempDir temp;
  Picture picture;
  const data_test::ToolRun run = DrawPicture(game.Text(), temp.path() / "moved.png", &picture);
  EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
  ASSERT_FALSE(picture.rgba.empty());
  // Exit now spans (790, 280) to (814, 304) on the 808 pixels wide skin.
  EXPECT_TRUE(picture.IsRed(790, 290));
  EXPECT_TRUE(picture.IsRed(800, 280));
  EXPECT_FALSE(picture.IsRed(770, 290));
}

TEST(GamecheckPicture, WithoutASkinAGreyCanvasAndWithoutAPlaceToWriteNoFile) {
  TempDir temp;
  {
    GameCopy game;
    game.Write("data2/interface/StartUp/OutSideStartBG.bmp", std::string(64, 'x'));
    Picture picture;
    const data_test::ToolRun run = DrawPicture(game.Text(), temp.path() / "grey.png", &picture);
    EXPECT_EQ(run.exitCode, 1) << run.out << run.err;
    EXPECT_EQ(picture.width, 808);
    EXPECT_EQ(picture.height, 581 + kLegendHeight);
    ASSERT_FALSE(picture.rgba.empty());
    // Where the inside panel is white, below the banner, the launcher's unshaped window.
    const Rgba corner = picture.At(10, 570);
    EXPECT_EQ(corner.r, kNoSkinColor.r);
    EXPECT_EQ(corner.g, kNoSkinColor.g);
  }
  // A folder stands where the picture would go: the file written beside it cannot take its name.
  const fs::path taken = temp.path() / "full" / "taken.png";
  fs::create_directories(taken);
  const data_test::ToolRun unwritable = DrawPicture(SampleGameDir().string(), taken, nullptr);
  EXPECT_EQ(unwritable.exitCode, 2);
  EXPECT_TRUE(fs::is_directory(taken));
  EXPECT_EQ(std::distance(fs::directory_iterator(taken.parent_path()), fs::directory_iterator()),
            1);
  EXPECT_NE(unwritable.err.find("no picture written"), std::string::npos) << unwritable.err;
  EXPECT_NE(unwritable.out.find("no problems"), std::string::npos) << unwritable.out;

  // A folder that cannot be read leaves no picture either.
  const fs::path unread = temp.path() / "unread.png";
  EXPECT_EQ(DrawPicture((temp.path() / "nothing").string(), unread, nullptr).exitCode, 2);
  EXPECT_FALSE(fs::exists(unread));
}

}  // namespace
