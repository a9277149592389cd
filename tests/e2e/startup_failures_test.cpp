// A game folder with something missing or broken: the player gets each message box once, with its
// exact text, and the launcher still comes up with what it has. Also what it logs to debug.log.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/e2e/art_files.h"
#include "tests/support/windows/box_watcher.h"
#include "tests/e2e/dialog_template.h"
#include "tests/support/game_copy.h"
#include "tests/e2e/input.h"
#include "tests/e2e/launcher_process.h"
#include "tests/e2e/run_log.h"
#include "tests/e2e/sample_game.h"
#include "tests/e2e/screen.h"

namespace fs = std::filesystem;

namespace e2e {
namespace {

using Texts = std::vector<std::string>;

// The screen at `button`'s place shows the skin and nothing drawn over it.
void ExpectBareSkinAt(HWND window, const GameCopy& game, const SampleButton& button) {
  const Raster skin = ReadBmp24(game / kSkinFile);
  const Raster bare =
      Crop(skin, button.place.left, button.place.top, button.place.right - button.place.left,
           button.place.bottom - button.place.top);
  const RasterDifference difference = WaitForScreen(window, button.place, bare, 0);
  EXPECT_EQ(difference.count, 0) << difference.first;
}

TEST(StartupFailures, AMissingSkinIsReportedOnceAndLeavesTheTemplatesPlainWindow) {
  GameCopy game;
  game.Remove(kSkinFile);
  testing_support::BoxWatcher boxes;
  LauncherProcess launcher(game / "Play.exe", game.dir());
  HWND window = launcher.WaitUntilReady();
  ASSERT_NE(window, nullptr) << "initialisation did not go on after the message";
  EXPECT_EQ(boxes.Texts(), Texts{"Load image failed! Please make sure the "
                                 "\"data2/interface/StartUp/OutSideStartBG.bmp\" file path is "
                                 "correct!"});
  // Without a skin the window keeps the template's size, centred (that it has no shape is checked
  // in process, tests/app/launcher_dialog_test.cpp).
  RECT rect{};
  ::GetWindowRect(window, &rect);
  const RECT centred = CentredTemplateRect();
  EXPECT_EQ(rect.left, centred.left);
  EXPECT_EQ(rect.top, centred.top);
  EXPECT_EQ(rect.right, centred.right);
  EXPECT_EQ(rect.bottom, centred.bottom);
  // The rest of initialisation happened: the version label is complete.
  EXPECT_EQ(WindowText(::GetDlgItem(window, kVersionLabelId)), "版本号:2.3.1029");
}

TEST(StartupFailures, AMissingVersionFileIsReportedOnceAndTheLabelShowsItsPrefixAlone) {
  GameCopy game;
  game.Remove("Version.dat");
  testing_support::BoxWatcher boxes;
  LauncherProcess launcher(game / "Play.exe", game.dir());
  HWND window = launcher.WaitUntilReady();
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(boxes.Texts(), Texts{"Error on open Version.dat."});
  EXPECT_EQ(WindowText(::GetDlgItem(window, kVersionLabelId)), "版本号:");
  RECT rect{};
  ::GetWindowRect(window, &rect);
  EXPECT_EQ(rect.right - rect.left, 808);
}

TEST(StartupFailures, MissingButtonImagesAreReportedPerStateInOrderAndDrawNothing) {
  GameCopy game;
  const std::string art = kButtonArt;
  for (int frame = 0; frame < 4; ++frame)
    game.Remove(art + "StanEnt" + std::to_string(frame) + ".tga");
  testing_support::BoxWatcher boxes;
  LauncherProcess launcher(game / "Play.exe", game.dir());
  HWND window = launcher.WaitUntilReady();
  ASSERT_NE(window, nullptr);
  Texts expected;
  for (const char* state : {"0", "1", "2", "3"}) {  // normal, pressed, hover, disabled
    expected.push_back("Load image failed! Make sure the path \"" + art + "StanEnt" + state +
                       ".tga\" image is OK! ");
  }
  EXPECT_EQ(boxes.Texts(), expected);
  ExpectBareSkinAt(window, game, SampleButtonNamed("StanEnt"));
}

TEST(StartupFailures, AButtonWhoseSkinNameHasNoSectionDrawsNothingAndStillActs) {
  GameCopy game;
  std::string table = game.Read("ani/play.ani");
  const size_t section = table.find("[StanEnt]");
  ASSERT_NE(section, std::string::npos);
  table.replace(section, 9, "[Unused]");
  game.Write("ani/play.ani", table);
  game.Replace("ini/GameSetUp.ini", "GraphicDetail=0", "GraphicDetail=7");
  testing_support::BoxWatcher boxes;
  LauncherProcess launcher(game / "Play.exe", game.dir());
  HWND window = launcher.WaitUntilReady();
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(boxes.Texts().empty());
  const SampleButton& button = SampleButtonNamed("StanEnt");
  ExpectBareSkinAt(window, game, button);

  const POINT centre = ClientPoint(window, (button.place.left + button.place.right) / 2,
                                   (button.place.top + button.place.bottom) / 2);
  ASSERT_TRUE(ClickAt(centre.x, centre.y));
  EXPECT_TRUE(launcher.WaitForExit());
  const auto runs = WaitForRunRecords(game / "RozeVazed.log", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0][2], "GraphicDetail=0");
}

// Local time as ctime writes it, e.g. "Mon Mar 02 14:05:09 2009".
std::string CtimeNow() {
  SYSTEMTIME now{};
  ::GetLocalTime(&now);
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  char text[32];
  std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %04d", kDays[now.wDayOfWeek],
                kMonths[now.wMonth - 1], now.wDay, now.wHour, now.wMinute, now.wSecond, now.wYear);
  return text;
}

TEST(StartupFailures, ABrokenAnimationTableIsLoggedToDebugLogOncePerRunAndNeverTruncated) {
  GameCopy game;
  // A title line without its closing bracket stops the table's loading.
  game.Write("ani/play.ani", "[Exit\nFrameAmount=1\nFrame0=x.bmp\n");
  const std::string title =
      "Load data file failed! Please make sure the \"ani/play.ani\" file is "
      "under the current folder!";
  testing_support::BoxWatcher boxes;
  std::vector<std::string> times;
  for (int run = 0; run < 2; ++run) {
    const std::string before = CtimeNow();
    LauncherProcess launcher(game / "Play.exe", game.dir());
    ASSERT_NE(launcher.WaitUntilReady(), nullptr);
    const std::string after = CtimeNow();
    launcher.PostAction(kActionExit);
    EXPECT_TRUE(launcher.WaitForExit());
    times.push_back(before);
    times.push_back(after);
  }
  EXPECT_EQ(boxes.Texts(), (Texts{title, title}));

  // One record per run (each run remembers only its own lines), appended in text mode.
  const std::string log = game.Read("debug.log");
  const std::string text = "Error Title line [Exit in ani/play.ani -- ";
  const size_t recordSize = text.size() + 24 + 2;
  ASSERT_EQ(log.size(), 2 * recordSize) << log;
  for (int run = 0; run < 2; ++run) {
    const std::string record = log.substr(run * recordSize, recordSize);
    EXPECT_EQ(record.substr(0, text.size()), text);
    EXPECT_EQ(record.substr(recordSize - 2), "\r\n");
    const std::string stamp = record.substr(text.size(), 24);
    // Between the clock read before the launcher started and the one after it was up (the same
    // day unless the run straddled midnight).
    EXPECT_TRUE(stamp == times[2 * run] || stamp == times[2 * run + 1] ||
                (stamp.substr(0, 10) == times[2 * run].substr(0, 10) &&
                 stamp.substr(11, 8) >= times[2 * run].substr(11, 8) &&
                 stamp.substr(11, 8) <= times[2 * run + 1].substr(11, 8)))
        << stamp << " not between " << times[2 * run] << " and " << times[2 * run + 1];
  }
}

TEST(StartupFailures, ALogThatCannotBeWrittenLosesItsRecordsWithoutHarm) {
  GameCopy game;
  game.Write("ani/play.ani", "[Exit\n");
  // A folder in the log file's place: opening it for appending fails.
  fs::create_directory(game / "debug.log");
  testing_support::BoxWatcher boxes;
  LauncherProcess launcher(game / "Play.exe", game.dir());
  ASSERT_NE(launcher.WaitUntilReady(), nullptr);
  EXPECT_EQ(boxes.Texts().size(), 1u);  // the table's own message, nothing about the log
  EXPECT_TRUE(fs::is_directory(game / "debug.log"));
  EXPECT_TRUE(launcher.Running());
}

}  // namespace
}  // namespace e2e
