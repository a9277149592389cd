// The operator's banner in the launcher dialog, in copies of the sample game folder: drawn over
// the skin at the movie's place while there is no movie, and no longer drawn once there is one.
// What the dialog shows is read back from the screen and compared with the files as the tests'
// own readers see them, not as the launcher's decoders do.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>

#include "app/launcher_dialog.h"
#include "tests/e2e/art_files.h"
#include "tests/e2e/screen.h"
#include "tests/image/image_test_util.h"
#include "tests/support/game_copy.h"
#include "tests/support/windows/box_watcher.h"
#include "tests/support/windows/modal_script.h"
#include "tests/support/windows/scoped_variable.h"

namespace {

using e2e::Raster;
using e2e::RasterDifference;
using testing_support::GameCopy;
using testing_support::ScopedVariable;

constexpr const char* kSkin = "data2/interface/StartUp/OutSideStartBG.bmp";
constexpr const char* kBannerBmp = "data2/interface/StartUp/Banner.bmp";
constexpr const char* kBannerTga = "data2/interface/StartUp/Banner.tga";
constexpr int kPlaceWidth = 808;
constexpr int kPlaceHeight = 268;
constexpr int kMovieId = 132;

// 900 x 300, larger than its place: opaque on the left, every opacity in the middle, clear on the
// right.
Raster TestPicture() {
  Raster picture;
  picture.width = 900;
  picture.height = 300;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      const int alpha = x < 270 ? 255 : x < 540 ? (3 * x + y) & 255 : 0;
      picture.pixels.push_back({static_cast<uint8_t>(x), static_cast<uint8_t>(y),
                                static_cast<uint8_t>(x * y), static_cast<uint8_t>(alpha)});
    }
  }
  return picture;
}

// A 32-bit true-colour TGA, rows bottom-up.
std::string EncodeTga32(const Raster& picture) {
  std::string body;
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const e2e::Rgba& p = picture.at(x, y);
      body += {static_cast<char>(p.b), static_cast<char>(p.g), static_cast<char>(p.r),
               static_cast<char>(p.a)};
    }
  }
  return image_test::MakeTga(2, static_cast<WORD>(picture.width), static_cast<WORD>(picture.height),
                             32, 0x08, body);
}

// The dialog's top `height` rows of client pixels as the screen shows them. Wine copies what a
// window drew to the screen when its thread next looks for messages, so the reading waits for
// that first.
Raster Shown(const LauncherDialog& dialog, int height) {
  ::UpdateWindow(dialog.m_hWnd);
  for (int settle = 0; settle < 3; ++settle) {
    ::GdiFlush();
    ::Sleep(40);
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
  }
  return e2e::CaptureScreen(e2e::ClientArea(dialog.m_hWnd, 0, 0, kPlaceWidth, height));
}

// How `shown` differs from `expected` on the window's own pixels: where the skin is magenta the
// window is cut away, and the screen shows whatever lies behind it.
RasterDifference OnTheWindow(const Raster& shown, Raster expected, const Raster& skin,
                             int tolerance) {
  for (int y = 0; y < expected.height; ++y) {
    for (int x = 0; x < expected.width; ++x) {
      const e2e::Rgba& key = skin.at(x, y);
      if (key.r == 255 && key.g == 0 && key.b == 255) expected.at(x, y) = shown.at(x, y);
    }
  }
  return e2e::Compare(shown, expected, tolerance);
}

// What the dialog itself paints at the movie's place, with the movie window moved out of sight.
RasterDifference SkinUnderTheMovie(const LauncherDialog& dialog, const Raster& skin) {
  HWND movie = ::GetDlgItem(dialog.m_hWnd, kMovieId);
  EXPECT_NE(movie, nullptr);
  ::ShowWindow(movie, SW_HIDE);
  ::InvalidateRect(dialog.m_hWnd, nullptr, FALSE);
  return OnTheWindow(Shown(dialog, kPlaceHeight), e2e::Crop(skin, 0, 0, kPlaceWidth, kPlaceHeight),
                     skin, 0);
}

// Initialises the dialog in `folder` and runs `check` inside its modal loop.
void RunDialog(const GameCopy& folder, LauncherDialog& dialog, const std::function<void()>& check) {
  testing_support::ScopedCurrentDir here(folder.dir());
  ModalScript script({[&] {
    check();
    dialog.EndDialog(0);
  }});
  script.Run(dialog);
}

TEST(LauncherBanner, WithoutAMovieThePictureIsBlendedOverTheSkinUntilTheMovieComes) {
  GameCopy folder;
  const Raster picture = TestPicture();
  folder.Write(kBannerTga, EncodeTga32(picture));
  const Raster skin = e2e::ReadBmp24(folder / kSkin);
  ASSERT_GT(skin.width, 0);
  auto noFlash = std::make_unique<ScopedVariable>("STANDIN_FLASH_REFUSE", "1");
  testing_support::BoxWatcher boxes;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    ASSERT_EQ(dialog.m_flashMovie->m_hWnd, nullptr);
    // Ten rows below the place too: the picture is cut at its edge.
    Raster expected = e2e::Crop(skin, 0, 0, kPlaceWidth, kPlaceHeight + 10);
    const Raster blended = e2e::BlendOver(e2e::Crop(picture, 0, 0, kPlaceWidth, kPlaceHeight),
                                          e2e::Crop(skin, 0, 0, kPlaceWidth, kPlaceHeight));
    std::copy(blended.pixels.begin(), blended.pixels.end(), expected.pixels.begin());
    const RasterDifference banner =
        OnTheWindow(Shown(dialog, kPlaceHeight + 10), expected, skin, 2);
    EXPECT_EQ(banner.count, 0) << banner.first;

    // The finished Flash installation brings the movie, which takes the place for good.
    noFlash.reset();
    dialog.RestoreFlashMovie();
    ASSERT_NE(dialog.m_flashMovie->m_hWnd, nullptr);
    const RasterDifference under = SkinUnderTheMovie(dialog, skin);
    EXPECT_EQ(under.count, 0) << under.first;
  });
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST(LauncherBanner, AMoviePlayingFromTheStartLeavesThePictureUndrawn) {
  GameCopy folder;  // with the sample's own banner
  ASSERT_TRUE(testing_support::FileExists(folder / kBannerTga));
  const Raster skin = e2e::ReadBmp24(folder / kSkin);
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    ASSERT_NE(dialog.m_flashMovie->m_hWnd, nullptr);
    EXPECT_TRUE(dialog.m_flashMovie->IsWindowVisible());
    const RasterDifference under = SkinUnderTheMovie(dialog, skin);
    EXPECT_EQ(under.count, 0) << under.first;
  });
}

// The BMP wins over the sample's TGA even when it cannot be read: the launcher starts as it does
// without a banner and says why in one line.
TEST(LauncherBanner, AnUnreadablePictureIsLoggedOnceAndTheSkinShows) {
  GameCopy folder;
  folder.Write(kBannerBmp, std::string(64, 'x'));
  const Raster skin = e2e::ReadBmp24(folder / kSkin);
  ScopedVariable noFlash("STANDIN_FLASH_REFUSE", "1");
  testing_support::BoxWatcher boxes;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    const RasterDifference place = OnTheWindow(
        Shown(dialog, kPlaceHeight), e2e::Crop(skin, 0, 0, kPlaceWidth, kPlaceHeight), skin, 0);
    EXPECT_EQ(place.count, 0) << place.first;
  });
  EXPECT_TRUE(boxes.Texts().empty());
  const std::string log = folder.Read("debug.log");
  const std::string line = "Banner picture data2/interface/StartUp/Banner.bmp not shown: ";
  ASSERT_NE(log.find(line), std::string::npos) << log;
  EXPECT_EQ(log.find("Banner picture", log.find(line) + 1), std::string::npos) << log;
}

}  // namespace
