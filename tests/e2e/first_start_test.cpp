// The launcher's first start on a machine without a Flash control, in a Wine prefix of its own:
// from a current directory without flash.ocx it still comes up; from the sample folder it
// installs the game's control under the system folder, registers it and plays the banner with
// it; and a later start, with that control answering version 10, changes nothing on disk or in
// the registry.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "tests/support/windows/box_watcher.h"
#include "tests/support/windows/flash_machine.h"
#include "tests/support/game_copy.h"
#include "tests/e2e/launcher_process.h"

namespace e2e {
namespace {

using testing_support::InstalledControl;
using testing_support::RegisteredFlashServer;
using testing_support::RegistryListing;

constexpr int kMovieId = 132;

// What a start may change: the control's registration, Flash Player's safe versions, and the
// files under the control's folder.
std::string MachineState() {
  return RegistryListing(HKEY_CLASSES_ROOT, testing_support::kFlashClassKey) +
         RegistryListing(HKEY_CLASSES_ROOT, testing_support::kFlashProgIdKey) +
         RegistryListing(HKEY_LOCAL_MACHINE, "Software\\Macromedia") +
         testing_support::FolderListing(testing_support::SystemDirectory() + "\\Macromed");
}

TEST(FirstStart, InstallsTheGamesFlashControlOnceAndPlaysTheBannerWithIt) {
  ASSERT_TRUE(testing_support::InOwnPrefix())
      << "this test installs and unregisters the Flash control: run it through ctest, which "
         "gives it a Wine prefix of its own";
  testing_support::ForgetFlashControl();
  testing_support::BoxWatcher boxes;
  const std::string target = InstalledControl("Flash9f.ocx");

  GameCopy game;
  {
    // Started from a folder without flash.ocx: the one beside the program is not looked at.
    GameCopy bare("bare");
    bare.Remove("flash.ocx");
    LauncherProcess launcher(game / "Play.exe", bare.dir());
    HWND window = launcher.WaitUntilReady();
    ASSERT_NE(window, nullptr) << "the launcher did not come up without flash.ocx";
    EXPECT_EQ(::GetDlgItem(window, kMovieId), nullptr) << "no control to show the movie";
    EXPECT_EQ(RegisteredFlashServer(), "");
    EXPECT_FALSE(testing_support::FileExists(target));
  }
  {
    LauncherProcess launcher(game / "Play.exe", game.dir());
    HWND window = launcher.WaitUntilReady();
    ASSERT_NE(window, nullptr);
    // What the check copies and registers is checked in process (tests/flash/flash_check_test.cpp);
    // here, that the launcher's start runs it and the movie plays with the control.
    EXPECT_NE(::GetDlgItem(window, kMovieId), nullptr);
    // Nothing answered the check's question: the control was registered after it.
    const std::string movie =
        "movie " + game.Text() + "/data2/interface/StartUp/loadmovie.swf\r\nplay\r\n";
    EXPECT_TRUE(WaitFor([&] { return game.Read("standin-flash.log") == movie; }, 5000))
        << game.Read("standin-flash.log");
  }

  testing_support::WriteSafeVersions();
  const std::string before = MachineState();
  ASSERT_NE(before.find("Flash9f.ocx"), std::string::npos) << before;
  const std::string firstLog = game.Read("standin-flash.log");
  {
    LauncherProcess launcher(game / "Play.exe", game.dir());
    ASSERT_NE(launcher.WaitUntilReady(), nullptr);
    const std::string movie =
        "version\r\nmovie " + game.Text() + "/data2/interface/StartUp/loadmovie.swf\r\nplay\r\n";
    EXPECT_TRUE(WaitFor([&] { return game.Read("standin-flash.log") == firstLog + movie; }, 5000))
        << game.Read("standin-flash.log");
    EXPECT_EQ(MachineState(), before);
  }
  EXPECT_TRUE(boxes.Texts().empty()) << boxes.Texts().front();
  testing_support::ForgetFlashControl();
}

}  // namespace
}  // namespace e2e
