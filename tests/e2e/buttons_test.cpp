// The skin buttons under the player's mouse: hover and pressed pictures, and what each click does
// (the game's start, the check tool, the links opened through the shell).
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "tests/e2e/art_files.h"
#include "tests/support/windows/box_watcher.h"
#include "tests/support/game_copy.h"
#include "tests/e2e/input.h"
#include "tests/e2e/launcher_process.h"
#include "tests/e2e/page_handler.h"
#include "tests/e2e/run_log.h"
#include "tests/e2e/sample_game.h"
#include "tests/e2e/screen.h"

namespace fs = std::filesystem;

namespace e2e {
namespace {

class LauncherButtonsTest : public ::testing::Test {
 protected:
  // Starts the launcher in the game copy, as the test left the copy.
  void Start() {
    launcher_ = std::make_unique<LauncherProcess>(game_ / "Play.exe", game_.dir());
    window_ = launcher_->WaitUntilReady();
    ASSERT_NE(window_, nullptr) << "the launcher did not come up";
    skin_ = ReadBmp24(game_ / kSkinFile);
  }

  void TearDown() override {
    if (HasFailure()) {
      const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
      SaveScreenshot(std::string(LAUNCHER_BINARY_DIR) + "\\e2e-screens\\" + test->name() + ".bmp");
    }
  }

  // A player's click: pressed and released at `point`, handled by the launcher before the next.
  void Click(POINT point) {
    ASSERT_TRUE(ClickAt(point.x, point.y));
    if (launcher_->Running()) {
      EXPECT_TRUE(launcher_->WaitUntilInputHandled());
    }
  }

  POINT Centre(const SampleButton& button) const {
    return ClientPoint(window_, (button.place.left + button.place.right) / 2,
                       (button.place.top + button.place.bottom) / 2);
  }
  // A point of the dialog's own surface, away from every button.
  POINT Surface() const { return ClientPoint(window_, 650, 290); }

  Raster Art(const char* name) const { return ReadArt(game_ / (std::string(kButtonArt) + name)); }
  Raster SkinAt(const SampleButton& button) const {
    return Crop(skin_, button.place.left, button.place.top, button.place.right - button.place.left,
                button.place.bottom - button.place.top);
  }
  // Waits until the opaque pixels of `image` show at the button's place.
  RasterDifference WaitForOpaque(const SampleButton& button, const Raster& image) {
    return WaitForScreen(window_, button.place,
                         [&](const Raster& shown) { return CompareOpaque(shown, image); });
  }
  Raster ShownAt(const SampleButton& button) const {
    return CaptureScreen(ClientArea(window_, button.place.left, button.place.top,
                                    button.place.right - button.place.left,
                                    button.place.bottom - button.place.top));
  }

  GameCopy game_;
  testing_support::BoxWatcher boxes_;
  std::unique_ptr<LauncherProcess> launcher_;
  HWND window_ = nullptr;
  Raster skin_;
};

// A state's picture blended over what lay beneath: the skin, as this test bed reads the button
// back, or the picture shown before (either is sound; the opaque pixels tell the states apart).
RasterDifference ExpectPicture(const Raster& shown, const Raster& image, const Raster& skin,
                               const Raster& before) {
  RasterDifference difference = CompareOpaque(shown, image);
  if (difference.count != 0) return difference;
  // Each blend may round its own way by up to two steps; a blend over a blend by up to four.
  return CompareEither(shown, BlendOver(image, skin), BlendOver(image, before), 4);
}

TEST_F(LauncherButtonsTest, HoverShowsOnEntryAndTheDialogsSurfaceRestoresTheNormalImage) {
  Start();
  const SampleButton& stan = SampleButtonNamed("StanEnt");
  const SampleButton& hiClear = SampleButtonNamed("HiClearEnt");
  const Raster normal = Art(stan.normal);
  const Raster hover = Art(stan.hover);
  const Raster skin = SkinAt(stan);
  const Raster normalShown = BlendOver(normal, skin);
  ASSERT_EQ(WaitForScreen(window_, stan.place, normalShown, 2).count, 0);

  const POINT centre = Centre(stan);
  ASSERT_TRUE(MoveMouse(centre.x, centre.y));
  for (int step = 1; step <= 5; ++step)
    ASSERT_TRUE(MoveMouse(centre.x + 3 * step, centre.y + step));
  RasterDifference difference = WaitForScreen(window_, stan.place, [&](const Raster& shown) {
    return ExpectPicture(shown, hover, skin, normalShown);
  });
  EXPECT_EQ(difference.count, 0) << "no hover image: " << difference.first;
  const Raster hoverShown = ShownAt(stan);

  // Straight from one button onto another child window: the first keeps its hover image.
  const POINT next = Centre(hiClear);
  ASSERT_TRUE(MoveMouse(next.x, next.y));
  ASSERT_EQ(WaitForOpaque(hiClear, Art(hiClear.hover)).count, 0);
  difference = CompareOpaque(ShownAt(stan), hover);
  EXPECT_EQ(difference.count, 0) << "the hover image went away: " << difference.first;

  // Over the dialog's own surface both show their normal images again.
  const POINT surface = Surface();
  ASSERT_TRUE(MoveMouse(surface.x, surface.y));
  difference = WaitForScreen(window_, stan.place, [&](const Raster& shown) {
    return ExpectPicture(shown, normal, skin, hoverShown);
  });
  EXPECT_EQ(difference.count, 0) << difference.first;
  difference = WaitForOpaque(hiClear, Art(hiClear.normal));
  EXPECT_EQ(difference.count, 0) << difference.first;
  EXPECT_TRUE(launcher_->Running());
}

TEST_F(LauncherButtonsTest, TheFirstClickActsOnThePressStanEntWritesDetail0AndStartsThePatcher) {
  game_.Replace("ini/GameSetUp.ini", "GraphicDetail=0", "GraphicDetail=7");
  Start();
  const POINT centre = Centre(SampleButtonNamed("StanEnt"));
  ASSERT_TRUE(MoveMouse(centre.x, centre.y));
  PressLeft();
  // Nothing released yet: the press alone started the game and closed the launcher.
  EXPECT_TRUE(launcher_->WaitForExit());
  ReleaseLeft();
  const auto runs = WaitForRunRecords(game_ / "RozeVazed.log", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0], (RunRecord{"blacknull", game_.Text(), "GraphicDetail=0"}));
  EXPECT_EQ(launcher_->ProcessesStarted(), 2u) << "started more than once";
  EXPECT_NE(game_.Read("ini/GameSetup.ini").find("GraphicDetail=0"), std::string::npos);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(LauncherButtonsTest, LaterClicksActOnReleasePressedImageThenHiClearEntWritesDetail1) {
  game_.Replace("ini/GameSetUp.ini", "GraphicDetail=0", "GraphicDetail=7");
  Start();
  // The launcher's first click runs the check tool on its press.
  Click(Centre(SampleButtonNamed("CheckHorse")));
  ASSERT_EQ(WaitForRunRecords(game_ / "Tools/HorseCheck.log", 1).size(), 1u);

  const SampleButton& button = SampleButtonNamed("HiClearEnt");
  const POINT centre = Centre(button);
  ASSERT_TRUE(MoveMouse(centre.x, centre.y));
  PressLeft();
  const RasterDifference difference = WaitForOpaque(button, Art(button.pressed));
  EXPECT_EQ(difference.count, 0) << "no pressed image: " << difference.first;
  EXPECT_TRUE(launcher_->Running()) << "the press acted";
  EXPECT_TRUE(ReadRunLog(game_ / "RozeVazed.log").empty());

  ReleaseLeft();
  EXPECT_TRUE(launcher_->WaitForExit());
  const auto runs = WaitForRunRecords(game_ / "RozeVazed.log", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0], (RunRecord{"blacknull", game_.Text(), "GraphicDetail=1"}));
  EXPECT_EQ(launcher_->ProcessesStarted(), 3u) << "started more than once";
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(LauncherButtonsTest, CheckHorseRunsTheToolEachTimeAndTheLauncherStays) {
  Start();
  const POINT centre = Centre(SampleButtonNamed("CheckHorse"));
  Click(centre);
  EXPECT_EQ(WaitForRunRecords(game_ / "Tools/HorseCheck.log", 1).size(), 1u);
  Click(centre);
  EXPECT_EQ(WaitForRunRecords(game_ / "Tools/HorseCheck.log", 2).size(), 2u);
  EXPECT_TRUE(launcher_->Running());
  EXPECT_EQ(launcher_->ProcessesStarted(), 3u);
  EXPECT_TRUE(boxes_.Texts().empty());
}

// The page a stand-in browser was asked to open: its command line is "<opener>" "<page>".
std::string OpenedPage(const RunRecord& record) {
  const std::string& commandLine = record.at(0);
  const size_t end = commandLine.rfind('"');
  const size_t start = end == std::string::npos ? end : commandLine.rfind('"', end - 1);
  if (start == std::string::npos) return "(no page in " + commandLine + ")";
  return commandLine.substr(start + 1, end - start - 1);
}

TEST_F(LauncherButtonsTest, LinkButtonsOpenTheirPagesAndExitClosesThenOpensItsPage) {
  const fs::path opener = game_.temp().path() / "browser" / "PageOpener.exe";
  fs::create_directories(opener.parent_path());
  fs::copy_file(E2E_PAGE_OPENER, opener);
  const fs::path pages = opener.parent_path() / "PageOpener.log";
  PageHandler handler(opener.string());
  Start();

  struct LinkClick {
    const char* button;
    const char* page;
  };
  const LinkClick clicks[] = {{"Register", "web\\register.html"},
                              {"OfficialNet", "web\\index.html"},
                              {"ShoppingMall", "web\\shop.html"},
                              {"Exit", "web\\goodbye.html"}};
  size_t opened = 0;
  for (const LinkClick& click : clicks) {
    SCOPED_TRACE(click.button);
    Click(Centre(SampleButtonNamed(click.button)));
    const auto records = WaitForRunRecords(pages, ++opened);
    ASSERT_EQ(records.size(), opened) << "programs started: " << launcher_->ProcessesStarted();
    // The shell hands the browser the page as a full path, resolved against the launcher's
    // current directory.
    EXPECT_EQ(OpenedPage(records.back()), (game_.dir() / click.page).string());
  }
  EXPECT_TRUE(launcher_->WaitForExit());
  EXPECT_EQ(launcher_->ProcessesStarted(), 5u);
  EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(LauncherButtonsTest, WithoutLinksTheLinkButtonsOpenNothingAndExitStillCloses) {
  const fs::path opener = game_.temp().path() / "browser" / "PageOpener.exe";
  fs::create_directories(opener.parent_path());
  fs::copy_file(E2E_PAGE_OPENER, opener);
  const fs::path pages = opener.parent_path() / "PageOpener.log";
  PageHandler handler(opener.string());
  game_.Remove("ini/play.dat");
  Start();
  EXPECT_EQ(boxes_.Texts(), std::vector<std::string>{"error on open ini/play.dat."});

  for (const char* name : {"Register", "OfficialNet", "ShoppingMall"}) {
    Click(Centre(SampleButtonNamed(name)));
  }
  // Clicks are handled in order: once the check tool has run, the three before it are done.
  Click(Centre(SampleButtonNamed("CheckHorse")));
  EXPECT_EQ(WaitForRunRecords(game_ / "Tools/HorseCheck.log", 1).size(), 1u);
  EXPECT_EQ(launcher_->ProcessesStarted(), 2u);

  Click(Centre(SampleButtonNamed("Exit")));
  EXPECT_TRUE(launcher_->WaitForExit());
  EXPECT_EQ(launcher_->ProcessesStarted(), 2u);
  EXPECT_FALSE(fs::exists(pages));
}

}  // namespace
}  // namespace e2e
