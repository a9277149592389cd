// The launcher as the player first sees it: a borderless window cut to its skin, its buttons and
// version label drawn over the skin, and how it answers the keyboard and a drag.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/art_files.h"
#include "tests/support/windows/box_watcher.h"
#include "tests/e2e/dialog_template.h"
#include "tests/support/game_copy.h"
#include "tests/e2e/input.h"
#include "tests/e2e/launcher_process.h"
#include "tests/e2e/sample_game.h"
#include "tests/e2e/screen.h"

namespace e2e {
namespace {

constexpr int kSkinWidth = 808;
constexpr int kSkinHeight = 581;

// The launcher started in a fresh copy of the sample game, up and idle.
class LauncherWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    launcher_ = std::make_unique<LauncherProcess>(game_ / "Play.exe", game_.dir());
    window_ = launcher_->WaitUntilReady();
    ASSERT_NE(window_, nullptr) << "the launcher did not come up";
    skin_ = ReadBmp24(game_ / kSkinFile);
    ASSERT_EQ(skin_.width, kSkinWidth);
  }
  void TearDown() override { EXPECT_TRUE(boxes_.Texts().empty()) << boxes_.Texts().front(); }

  GameCopy game_;
  testing_support::BoxWatcher boxes_;
  std::unique_ptr<LauncherProcess> launcher_;
  HWND window_ = nullptr;
  Raster skin_;
};

// Its title, styles and the skin's size are the dialog's own, checked in process
// (tests/app/launcher_dialog_test.cpp); here, where it lands on the screen and its exact shape.
TEST_F(LauncherWindowTest, TakesTheSkinsShapeWhereTheTemplateWasCentred) {
  RECT rect{};
  ::GetWindowRect(window_, &rect);
  // The skin's size replaced the template's, but the corner the centring gave stayed.
  const RECT centred = CentredTemplateRect();
  EXPECT_EQ(rect.left, centred.left);
  EXPECT_EQ(rect.top, centred.top);
  EXPECT_NE(centred.right - centred.left, kSkinWidth) << "the template's size proves nothing";

  int kind = ERROR;
  const std::vector<bool> region = RegionMask(window_, kSkinWidth, kSkinHeight, &kind);
  EXPECT_EQ(kind, COMPLEXREGION);
  int mismatches = 0;
  std::string first;
  for (int y = 0; y < kSkinHeight; ++y) {
    for (int x = 0; x < kSkinWidth; ++x) {
      const Rgba& pixel = skin_.at(x, y);
      const bool shape = !(pixel.r == 255 && pixel.g == 0 && pixel.b == 255);
      if (shape == region[static_cast<size_t>(y) * kSkinWidth + x]) continue;
      if (mismatches++ == 0) first = std::to_string(x) + ", " + std::to_string(y);
    }
  }
  EXPECT_EQ(mismatches, 0) << "first at " << first;
}

// The label's text and place are checked in process (tests/app/launcher_dialog_test.cpp); here,
// what the screen shows there.
TEST_F(LauncherWindowTest, VersionLabelShowsTheVersionFileInItsFontAndColourAtItsPlace) {
  HWND label = ::GetDlgItem(window_, kVersionLabelId);
  const std::string text = WindowText(label);
  RECT place{};
  ::GetWindowRect(label, &place);
  ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
  const int width = place.right - place.left;
  const int height = place.bottom - place.top;
  ASSERT_GT(width, 0);
  ASSERT_GT(height, 0);

  // What a transparent left-aligned label in [VersionPos]'s font and colour shows over the skin,
  // drawn here from the skin file.
  const Raster under = Crop(skin_, place.left, place.top, width, height);
  BYTE* bytes = nullptr;
  HDC dc = ::CreateCompatibleDC(nullptr);
  HBITMAP section = CreateTopDownSection(dc, width, height, &bytes);
  ASSERT_NE(section, nullptr);
  for (size_t i = 0; i < under.pixels.size(); ++i) {
    bytes[4 * i] = under.pixels[i].b;
    bytes[4 * i + 1] = under.pixels[i].g;
    bytes[4 * i + 2] = under.pixels[i].r;
  }
  HGDIOBJ oldBitmap = ::SelectObject(dc, section);
  HFONT font = ::CreateFontA(14, 7, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             FF_SWISS | DEFAULT_PITCH, "宋体");
  HGDIOBJ oldFont = ::SelectObject(dc, font);
  ::SetTextColor(dc, RGB(236, 204, 128));
  ::SetBkMode(dc, TRANSPARENT);
  RECT box{0, 0, width, height};
  ::DrawTextA(dc, text.c_str(), -1, &box, DT_LEFT | DT_EXPANDTABS | DT_WORDBREAK);
  ::GdiFlush();
  Raster expected = under;
  int textPixels = 0;
  for (size_t i = 0; i < expected.pixels.size(); ++i) {
    expected.pixels[i] = Rgba{bytes[4 * i + 2], bytes[4 * i + 1], bytes[4 * i], 255};
    if (expected.pixels[i].r == 236 && expected.pixels[i].g == 204 && expected.pixels[i].b == 128) {
      ++textPixels;
    }
  }
  ::SelectObject(dc, oldFont);
  ::SelectObject(dc, oldBitmap);
  ::DeleteObject(font);
  ::DeleteObject(section);
  ::DeleteDC(dc);
  ASSERT_GT(textPixels, 20) << "the text drawn here has no pixel of the label's colour";

  const RasterDifference difference = WaitForScreen(window_, place, expected, 0);
  EXPECT_EQ(difference.count, 0) << difference.first;
}

TEST_F(LauncherWindowTest, EveryButtonShowsItsNormalImageBlendedOverTheSkinAtItsPlace) {
  for (const SampleButton& button : kSampleButtons) {
    SCOPED_TRACE(button.skinName);
    HWND control = ::GetDlgItem(window_, button.controlId);
    RECT place{};
    ::GetWindowRect(control, &place);
    ::MapWindowPoints(nullptr, window_, reinterpret_cast<POINT*>(&place), 2);
    EXPECT_EQ(place.left, button.place.left);
    EXPECT_EQ(place.top, button.place.top);
    EXPECT_EQ(place.right, button.place.right);
    EXPECT_EQ(place.bottom, button.place.bottom);

    const Raster image = ReadArt(game_ / (std::string(kButtonArt) + button.normal));
    ASSERT_EQ(image.width, button.place.right - button.place.left);
    ASSERT_EQ(image.height, button.place.bottom - button.place.top);
    const Raster expected = BlendOver(
        image, Crop(skin_, button.place.left, button.place.top, image.width, image.height));
    // How the blend rounds is the drawing's own business (dividing by 256 instead of 255 loses up
    // to two steps); anything more is a wrong picture.
    const RasterDifference difference = WaitForScreen(window_, button.place, expected, 2);
    EXPECT_EQ(difference.count, 0) << difference.first;
  }
}

TEST_F(LauncherWindowTest, EnterAndEscapeLeaveItOpen) {
  ASSERT_EQ(::GetForegroundWindow(), window_) << "keys would not reach the launcher";
  TapKey(VK_RETURN);
  TapKey(VK_ESCAPE);
  // Input is handled in order: once the pointer's move over a button shows on screen, the keys
  // before it have been handled too.
  const SampleButton& button = SampleButtonNamed("OfficialNet");
  const POINT centre = ClientPoint(window_, (button.place.left + button.place.right) / 2,
                                   (button.place.top + button.place.bottom) / 2);
  ASSERT_TRUE(MoveMouse(centre.x, centre.y));
  const Raster hover = ReadArt(game_ / (std::string(kButtonArt) + button.hover));
  const RasterDifference difference = WaitForScreen(window_, button.place, hover, 0);
  ASSERT_EQ(difference.count, 0) << "the hover image never showed: " << difference.first;

  EXPECT_TRUE(launcher_->Running());
  EXPECT_TRUE(::IsWindowVisible(window_));
}

// A point of the skin that belongs to the window and to no child window.
POINT FreeSkinPoint(HWND window, const Raster& skin) {
  for (POINT candidate : {POINT{650, 290}, POINT{700, 545}, POINT{300, 570}}) {
    const Rgba& pixel = skin.at(candidate.x, candidate.y);
    const bool key = pixel.r == 255 && pixel.g == 0 && pixel.b == 255;
    if (!key && ::ChildWindowFromPointEx(window, candidate, CWP_ALL) == window) return candidate;
  }
  return POINT{-1, -1};
}

TEST_F(LauncherWindowTest, DraggingAFreePointOfTheSkinMovesTheWindowByTheSameOffset) {
  const POINT free = FreeSkinPoint(window_, skin_);
  ASSERT_GE(free.x, 0) << "no free point found on the skin";
  RECT before{};
  ::GetWindowRect(window_, &before);
  const POINT start = ClientPoint(window_, free.x, free.y);
  const int dx = -70, dy = -45;
  ASSERT_TRUE(DragBy(start.x, start.y, dx, dy));
  RECT after{};
  EXPECT_TRUE(WaitFor(
      [&] {
        ::GetWindowRect(window_, &after);
        return after.left == before.left + dx && after.top == before.top + dy;
      },
      3000))
      << "moved from " << before.left << "," << before.top << " to " << after.left << ","
      << after.top;
  EXPECT_EQ(after.right - after.left, kSkinWidth);
  EXPECT_TRUE(launcher_->Running());
}

// The region of a launcher whose skin is the small bitmap drawn from `rows` ('k' magenta, 'n' red
// 254 with the key's green and blue, other characters white), as rows of 's' and '.'.
std::vector<std::string> ShapeOfSkin(const std::vector<std::string>& rows, int* kind) {
  GameCopy game;
  Raster skin;
  skin.height = static_cast<int>(rows.size());
  skin.width = static_cast<int>(rows[0].size());
  for (const std::string& row : rows) {
    for (char c : row) {
      skin.pixels.push_back(c == 'k'   ? Rgba{255, 0, 255, 255}
                            : c == 'n' ? Rgba{254, 0, 255, 255}
                                       : Rgba{255, 255, 255, 255});
    }
  }
  game.Write(kSkinFile, EncodeBmp24(skin));
  testing_support::BoxWatcher boxes;
  LauncherProcess launcher(game / "Play.exe", game.dir());
  HWND window = launcher.WaitUntilReady();
  std::vector<std::string> shape;
  if (window == nullptr) {
    ADD_FAILURE() << "the launcher did not come up";
    return shape;
  }
  RECT rect{};
  ::GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, skin.width);
  EXPECT_EQ(rect.bottom - rect.top, skin.height);
  const std::vector<bool> mask = RegionMask(window, skin.width, skin.height, kind);
  for (int y = 0; y < skin.height; ++y) {
    std::string row;
    for (int x = 0; x < skin.width; ++x)
      row += mask[static_cast<size_t>(y) * skin.width + x] ? 's' : '.';
    shape.push_back(row);
  }
  EXPECT_TRUE(boxes.Texts().empty());
  return shape;
}

TEST(LauncherSkinShape, OnlyExactlyKeyColouredPixelsAreCutAway) {
  int kind = ERROR;
  // Runs between key pixels, a near-key red of 254, a row without key pixels and one all key.
  EXPECT_EQ(ShapeOfSkin({"kwwkw", "wnwww", "wwwww", "kkkkk"}, &kind),
            (std::vector<std::string>{".ss.s", "sssss", "sssss", "....."}));
  EXPECT_EQ(kind, COMPLEXREGION);
}

TEST(LauncherSkinShape, ASkinAllInTheKeyColourLeavesAnEmptyWindow) {
  int kind = ERROR;
  EXPECT_EQ(ShapeOfSkin({"kkkk", "kkkk"}, &kind), (std::vector<std::string>{"....", "...."}));
  EXPECT_EQ(kind, NULLREGION);
}

}  // namespace
}  // namespace e2e
