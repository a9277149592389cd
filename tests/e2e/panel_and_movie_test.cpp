// The Flash movie across the top of the launcher and the inside dialog with the news page under
// its cut-out panel, as a player and an operator see them from outside the process: where the
// windows are, what the screen shows, what reaches the movie, and how the panel follows a drag;
// and, where no Flash control can be had, the operator's banner picture in the movie's place.
// The controls are the test bed's stand-ins: the browser registered by scripts/testbed.sh, the
// Flash control by the launcher's own start-up check, from the game folder's flash.ocx, when no
// start before it did.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/art_files.h"
#include "tests/support/windows/box_watcher.h"
#include "tests/support/windows/flash_machine.h"
#include "tests/support/game_copy.h"
#include "tests/e2e/input.h"
#include "tests/e2e/launcher_process.h"
#include "tests/e2e/sample_game.h"
#include "tests/e2e/screen.h"
#include "tests/support/windows/scoped_variable.h"

namespace e2e {
namespace {

constexpr const char* kPanelFile = "data2/interface/StartUp/InsideStartBG.bmp";
constexpr int kMovieId = 132;
constexpr int kBrowserId = 100;
constexpr RECT kMoviePlace{0, 0, 808, 268};
// Inside the skin's cut-out panel (40, 290)-(559, 549), away from its rounded corners.
constexpr RECT kCutOut{56, 304, 544, 536};
// What the stand-in browser paints: its page background and its text colour.
constexpr Rgba kPageBackground{42, 32, 22, 255};
constexpr Rgba kPageText{232, 216, 176, 255};

RECT RectInParent(HWND child, HWND parent) {
  RECT rect{};
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

bool SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b) != FALSE; }

std::string Describe(const RECT& r) {
  return std::to_string(r.left) + "," + std::to_string(r.top) + " " +
         std::to_string(r.right - r.left) + "x" + std::to_string(r.bottom - r.top);
}

struct WindowSearch {
  DWORD pid;
  std::string className;
  HWND owner;  // null: any
  bool visibleOnly;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD pid = 0;
  ::GetWindowThreadProcessId(hwnd, &pid);
  char name[64] = {};
  ::GetClassNameA(hwnd, name, sizeof name);
  if (pid != search->pid || search->className != name) return TRUE;
  if (search->owner != nullptr && ::GetWindow(hwnd, GW_OWNER) != search->owner) return TRUE;
  if (search->visibleOnly && !::IsWindowVisible(hwnd)) return TRUE;
  search->found = hwnd;
  return FALSE;
}

HWND FindWindowOf(HWND launcher, const char* className, HWND owner, bool visibleOnly) {
  WindowSearch search{0, className, owner, visibleOnly, nullptr};
  ::GetWindowThreadProcessId(launcher, &search.pid);
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// The inside dialog: the dialog window the launcher owns.
HWND InsideDialogOf(HWND launcher) { return FindWindowOf(launcher, "#32770", launcher, false); }

// A pop-up menu on screen from the launcher's process.
bool MenuOpen(HWND launcher) { return FindWindowOf(launcher, "#32768", nullptr, true) != nullptr; }

class LauncherPanelTest : public ::testing::Test {
 protected:
  void SetUp() override {
    flashRegisteredBefore_ = testing_support::FlashControlRegistered();
    launcher_ = std::make_unique<LauncherProcess>(game_ / "Play.exe", game_.dir());
    window_ = launcher_->WaitUntilReady();
    ASSERT_NE(window_, nullptr) << "the launcher did not come up";
    inside_ = InsideDialogOf(window_);
    ASSERT_NE(inside_, nullptr) << "no inside dialog";
  }
  void TearDown() override { EXPECT_TRUE(boxes_.Texts().empty()) << boxes_.Texts().front(); }

  GameCopy game_;
  // A control registered before the start answers the check's version question.
  bool flashRegisteredBefore_ = false;
  testing_support::BoxWatcher boxes_;
  std::unique_ptr<LauncherProcess> launcher_;
  HWND window_ = nullptr;
  HWND inside_ = nullptr;
};

TEST_F(LauncherPanelTest, BannerAndNewsPageAreInTheirPlacesAndOnScreen) {
  HWND movie = ::GetDlgItem(window_, kMovieId);
  ASSERT_NE(movie, nullptr);
  EXPECT_TRUE(::IsWindowVisible(movie));
  EXPECT_PRED2(SameRect, RectInParent(movie, window_), kMoviePlace)
      << Describe(RectInParent(movie, window_));

  // The inside dialog: a visible pop-up at the launcher's corner, of its background's size, cut
  // where that background is white.
  const LONG style = ::GetWindowLongA(inside_, GWL_STYLE);
  EXPECT_NE(style & WS_POPUP, 0);
  EXPECT_EQ(style & (WS_CAPTION | WS_CHILD), 0);
  RECT launcherRect{}, insideRect{};
  ::GetWindowRect(window_, &launcherRect);
  ::GetWindowRect(inside_, &insideRect);
  EXPECT_EQ(insideRect.left, launcherRect.left);
  EXPECT_EQ(insideRect.top, launcherRect.top);
  const Raster panel = ReadBmp24(game_ / kPanelFile);
  ASSERT_GT(panel.width, 0);
  EXPECT_EQ(insideRect.right - insideRect.left, panel.width);
  EXPECT_EQ(insideRect.bottom - insideRect.top, panel.height);
  int kind = ERROR;
  const std::vector<bool> region = RegionMask(inside_, panel.width, panel.height, &kind);
  int mismatches = 0;
  for (int y = 0; y < panel.height; ++y) {
    for (int x = 0; x < panel.width; ++x) {
      const Rgba& pixel = panel.at(x, y);
      const bool shape = !(pixel.r == 255 && pixel.g == 255 && pixel.b == 255);
      mismatches += shape != region[static_cast<size_t>(y) * panel.width + x];
    }
  }
  EXPECT_EQ(kind, COMPLEXREGION);
  EXPECT_EQ(mismatches, 0);

  // The browser: the dialog's own rectangle, at the launcher's corner, moved by (40, 270).
  HWND browser = ::GetDlgItem(inside_, kBrowserId);
  ASSERT_NE(browser, nullptr);
  EXPECT_PRED2(SameRect, RectInParent(browser, inside_),
               (RECT{40, 270, 40 + panel.width, 270 + panel.height}))
      << Describe(RectInParent(browser, inside_));

  // Through the cut-out the player reads the page: its background with text on it.
  const RasterDifference page = WaitForScreen(window_, kCutOut, [](const Raster& shown) {
    int background = 0, text = 0;
    for (const Rgba& pixel : shown.pixels) {
      background += pixel == kPageBackground;
      text += pixel == kPageText;
    }
    RasterDifference verdict;
    const bool readable = background * 2 > static_cast<int>(shown.pixels.size()) && text > 300;
    verdict.count = readable ? 0 : 1;
    verdict.first =
        std::to_string(background) + " background and " + std::to_string(text) + " text pixels";
    return verdict;
  });
  EXPECT_EQ(page.count, 0) << page.first;

  // The banner moves: two looks a moment apart differ, and neither is the skin beneath it.
  const RECT moviePlace = ClientArea(window_, 0, 0, 808, 268);
  const Raster first = CaptureScreen(moviePlace);
  ::Sleep(400);
  const Raster second = CaptureScreen(moviePlace);
  const Raster skin =
      Crop(ReadBmp24(game_ / "data2/interface/StartUp/OutSideStartBG.bmp"), 0, 0, 808, 268);
  EXPECT_GT(Compare(first, second, 0).count, 808 * 268 / 20);
  EXPECT_GT(Compare(second, skin, 0).count, 808 * 268 / 2);

  EXPECT_EQ(game_.Read("standin-flash.log"),
            std::string(flashRegisteredBefore_ ? "version\r\n" : "") + "movie " + game_.Text() +
                "/data2/interface/StartUp/loadmovie.swf\r\nplay\r\n");
}

TEST_F(LauncherPanelTest, RightClicksNeverReachTheMovieWhileLeftClicksDo) {
  HWND movie = ::GetDlgItem(window_, kMovieId);
  ASSERT_NE(movie, nullptr);
  const POINT at = ClientPoint(window_, 600, 120);
  ASSERT_TRUE(MoveMouse(at.x, at.y));
  // A press and a release, then a double click.
  ClickRight();
  ClickRight();
  // A menu that opened would hold the launcher's input: what shows up is judged below.
  launcher_->WaitUntilInputHandled();
  EXPECT_FALSE(MenuOpen(window_)) << "the movie's context menu opened";
  EXPECT_EQ(game_.Read("standin-flash.log").find("rbutton"), std::string::npos);

  PressLeft();
  ReleaseLeft();
  ASSERT_TRUE(launcher_->WaitUntilInputHandled());
  const DWORD thread = ::GetWindowThreadProcessId(window_, nullptr);
  EXPECT_TRUE(WaitFor(
      [&] {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return ::GetGUIThreadInfo(thread, &info) && info.hwndFocus == movie;
      },
      2000))
      << "the left click did not reach the movie (it takes the focus)";
  EXPECT_TRUE(launcher_->Running());
}

TEST_F(LauncherPanelTest, TheInsideDialogFollowsADragNextToTheLauncher) {
  // A free point of the skin, beside the service panel's title.
  const POINT free{650, 290};
  ASSERT_EQ(::ChildWindowFromPointEx(window_, free, CWP_ALL), window_);
  RECT before{};
  ::GetWindowRect(window_, &before);
  const POINT start = ClientPoint(window_, free.x, free.y);
  const int dx = -70, dy = -45;
  ASSERT_TRUE(DragBy(start.x, start.y, dx, dy));
  RECT launcherRect{}, insideRect{};
  EXPECT_TRUE(WaitFor(
      [&] {
        ::GetWindowRect(window_, &launcherRect);
        ::GetWindowRect(inside_, &insideRect);
        return launcherRect.left == before.left + dx && launcherRect.top == before.top + dy &&
               insideRect.left == launcherRect.left && insideRect.top == launcherRect.top;
      },
      3000))
      << "launcher at " << Describe(launcherRect) << ", inside dialog at " << Describe(insideRect);
  EXPECT_TRUE(::GetWindow(window_, GW_HWNDPREV) == inside_ ||
              ::GetWindow(window_, GW_HWNDNEXT) == inside_)
      << "the two windows are not next to each other in the window stack";
  EXPECT_TRUE(::IsWindowVisible(inside_));
}

// Where no Flash control can be had, the sample's own banner takes the movie's place, blended over
// the skin.
TEST(LauncherBannerPicture, WithoutAFlashControlTheBannerShowsAtTheMoviesPlace) {
  GameCopy game;
  testing_support::ScopedVariable noControl("STANDIN_FLASH_REFUSE", "1");
  testing_support::BoxWatcher boxes;
  LauncherProcess launcher(game / "Play.exe", game.dir());
  HWND window = launcher.WaitUntilReady();
  ASSERT_NE(window, nullptr) << "the launcher did not come up";
  EXPECT_EQ(::GetDlgItem(window, kMovieId), nullptr);
  const Raster skin = ReadBmp24(game / kSkinFile);
  const Raster picture = ReadTga(game / "data2/interface/StartUp/Banner.tga");
  ASSERT_EQ(picture.width, 808);
  ASSERT_EQ(picture.height, 268);
  const Raster expected = BlendOver(picture, skin);
  const RasterDifference difference = WaitForScreen(window, kMoviePlace, [&](const Raster& shown) {
    // Where the skin is magenta the window is cut away and shows what lies behind it.
    Raster onTheWindow = expected;
    for (int y = 0; y < expected.height; ++y) {
      for (int x = 0; x < expected.width; ++x) {
        if (skin.at(x, y) == Rgba{255, 0, 255, 255}) onTheWindow.at(x, y) = shown.at(x, y);
      }
    }
    return Compare(shown, onTheWindow, 2);
  });
  EXPECT_EQ(difference.count, 0) << difference.first;
  EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
}  // namespace e2e
