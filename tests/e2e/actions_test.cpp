// The launcher's actions asked for by the message its buttons send, posted here to the running
// launcher: which program starts, from where, with what command line and current directory, and
// whether the launcher stays or goes.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <string>

#include "tests/support/windows/box_watcher.h"
#include "tests/support/game_copy.h"
#include "tests/e2e/launcher_process.h"
#include "tests/e2e/run_log.h"

namespace fs = std::filesystem;

namespace e2e {
namespace {

// The folder that the ctest fixture maps to the drive letter E2E_ROOT_DRIVE.
constexpr const char* kRootDrive = E2E_ROOT_DRIVE;

TEST(LauncherActions, StartGameAndCheckToolLookInTheLaunchersFolderWhateverTheCurrentDirectory) {
  GameCopy game;
  // The current directory holds the data files but none of the programs, so any program started
  // from it instead of the launcher's folder would fail to start.
  const fs::path elsewhere = game.temp().path() / "elsewhere";
  testing_support::CopyFolder(game.dir(), elsewhere);
  for (const char* program : {"Play.exe", "RozeVazed.exe", "Tools/HorseCheck.exe"}) {
    fs::remove(elsewhere / fs::path(program).make_preferred());
  }
  testing_support::BoxWatcher boxes;
  LauncherProcess launcher(game / "Play.exe", elsewhere);
  ASSERT_NE(launcher.WaitUntilReady(), nullptr);

  // The check tool named by FlashName (with its sub-folder) runs from the launcher's folder, and
  // the launcher stays; asked again, it runs again.
  launcher.PostAction(kActionCheckTool);
  launcher.PostAction(kActionCheckTool);
  const auto checks = WaitForRunRecords(game / "Tools/HorseCheck.log", 2);
  ASSERT_EQ(checks.size(), 2u);
  for (const RunRecord& check : checks) {
    ASSERT_EQ(check.size(), 2u);
    // Given an empty command line, the tool is shown its own quoted path by the system. It was
    // started in "<folder>\"; the system reports that current directory without the backslash.
    EXPECT_EQ(check[0], "\"" + (game / "Tools/HorseCheck.exe").string() + "\"");
    EXPECT_EQ(check[1], game.Text());
  }
  EXPECT_TRUE(launcher.Running());

  launcher.PostAction(kActionStartGame);
  EXPECT_TRUE(launcher.WaitForExit());
  const auto runs = WaitForRunRecords(game / "RozeVazed.log", 1);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_EQ(runs[0][0], "blacknull");
  EXPECT_EQ(runs[0][1], game.Text());
  EXPECT_EQ(launcher.ProcessesStarted(), 4u);  // the launcher, the tool twice, the patcher
  EXPECT_FALSE(fs::exists(elsewhere / "RozeVazed.log"));
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST(LauncherActions, StartGameWithoutThePatcherStillClosesTheLauncher) {
  GameCopy game;
  game.Remove("RozeVazed.exe");
  testing_support::BoxWatcher boxes;
  LauncherProcess launcher(game / "Play.exe", game.dir());
  ASSERT_NE(launcher.WaitUntilReady(), nullptr);
  launcher.PostAction(kActionStartGame);
  EXPECT_TRUE(launcher.WaitForExit());
  EXPECT_EQ(launcher.ProcessesStarted(), 1u);
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST(LauncherActions, ALauncherAtADriveRootStartsThePatcherFromThatRoot) {
  const std::string root = std::string(kRootDrive) + "\\";
  ASSERT_NE(::GetFileAttributesA(root.c_str()), INVALID_FILE_ATTRIBUTES)
      << "drive " << kRootDrive << " is not mapped: run this through ctest (fixture e2e_drive)";
  GameCopy game;
  for (const char* program : {"Play.exe", "RozeVazed.exe"}) {
    ASSERT_TRUE(::CopyFileA((game / program).string().c_str(), (root + program).c_str(), FALSE));
  }
  ::DeleteFileA((root + "RozeVazed.log").c_str());
  testing_support::BoxWatcher boxes;
  {
    LauncherProcess launcher(root + "Play.exe", game.dir());
    ASSERT_NE(launcher.WaitUntilReady(), nullptr);
    launcher.PostAction(kActionStartGame);
    EXPECT_TRUE(launcher.WaitForExit());
    // The patcher logs beside itself: a record in the root's log means it ran as <drive>:\.
    const auto runs = WaitForRunRecords(root + "RozeVazed.log", 1);
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0][0], "blacknull");
    // The launcher passes the bare drive "X:" as the current directory; for a new process the
    // system resolves that to the drive's root, which it reports with its backslash.
    EXPECT_EQ(runs[0][1], root);
    EXPECT_EQ(launcher.ProcessesStarted(), 2u);
  }
  for (const char* file : {"Play.exe", "RozeVazed.exe", "RozeVazed.log"}) {
    ::DeleteFileA((root + file).c_str());
  }
}

// A folder inside `base` whose full path is exactly `length` bytes long.
fs::path FolderOfLength(const fs::path& base, size_t length) {
  const size_t baseLength = base.string().size() + 1;
  EXPECT_LT(baseLength, length);
  EXPECT_LE(length - baseLength, 255u) << "a single name is limited to 255 bytes";
  const fs::path folder = base / std::string(length - baseLength, 'p');
  fs::create_directories(folder);
  EXPECT_EQ(folder.string().size(), length);
  return folder;
}

TEST(LauncherActions, AProgramPathOf260BytesIsRefusedNotCutShort) {
  GameCopy game;
  testing_support::BoxWatcher boxes;

  // "<folder>\RozeVazed.exe" is 260 bytes. Cut to the 259 that fit, it would name the decoy
  // "RozeVazed.ex" beside it; every program there logs to RozeVazed.log when it runs.
  const fs::path patcherFolder = FolderOfLength(game.temp().path(), 260 - 14);
  for (const char* name : {"Play.exe", "RozeVazed.exe"})
    fs::copy_file(game / name, patcherFolder / name);
  fs::copy_file(game / "RozeVazed.exe", patcherFolder / "RozeVazed.ex");
  {
    LauncherProcess launcher(patcherFolder / "Play.exe", game.dir());
    ASSERT_NE(launcher.WaitUntilReady(), nullptr);
    launcher.PostAction(kActionStartGame);
    EXPECT_TRUE(launcher.WaitForExit());
    EXPECT_EQ(launcher.ProcessesStarted(), 1u) << "a program was started";
  }
  EXPECT_FALSE(fs::exists(patcherFolder / "RozeVazed.log"));
  {
    // The decoy does run when started, so its silence above means something.
    LauncherProcess decoy(patcherFolder / "RozeVazed.ex", patcherFolder);
    EXPECT_EQ(WaitForRunRecords(patcherFolder / "RozeVazed.log", 1).size(), 1u);
  }

  // "<folder>\" + FlashName is 260 bytes; cut short, it would name the real check tool.
  const fs::path toolFolder = FolderOfLength(game.temp().path(), 259 - 1 - 20);
  fs::copy_file(game / "Play.exe", toolFolder / "Play.exe");
  fs::create_directories(toolFolder / "Tools");
  fs::copy_file(game / "Tools/HorseCheck.exe", toolFolder / "Tools" / "HorseCheck.exe");
  game.Write("ini/Startgame.ini", "[Read]\r\nFlashName=Tools\\HorseCheck.exex\r\n");
  {
    LauncherProcess launcher(toolFolder / "Play.exe", game.dir());
    ASSERT_NE(launcher.WaitUntilReady(), nullptr);
    launcher.PostAction(kActionCheckTool);
    // Posted messages are handled in order: once the launcher has ended, the check tool's
    // action before it is over.
    launcher.PostAction(kActionStartGame);
    EXPECT_TRUE(launcher.WaitForExit());
    EXPECT_EQ(launcher.ProcessesStarted(), 1u) << "a program was started";
  }
  EXPECT_FALSE(fs::exists(toolFolder / "Tools" / "HorseCheck.log"));
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST(LauncherActions, ALauncherWhoseOwnPathDoesNotFitStartsNothing) {
  GameCopy game;
  testing_support::BoxWatcher boxes;
  // The launcher's folder is named with 80 Chinese characters: well within the system's path
  // limit as characters, but 160 bytes of the code page 936 text in which the launcher reads its
  // own path. That text does not fit 260 bytes and is cut inside the folder's name, so what is
  // left of it ends in the parent folder, where decoys of the patcher and the check tool wait.
  const fs::path parent = FolderOfLength(game.temp().path(), 100);
  const fs::path launcherFolder = parent / std::wstring(80, L'\x6E38');
  fs::create_directories(launcherFolder);
  const std::wstring wide = launcherFolder.wstring();
  ASSERT_EQ(::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr,
                                  0, nullptr, nullptr),
            261);
  for (const fs::path& folder : {parent, launcherFolder}) {
    fs::copy_file(game / "RozeVazed.exe", folder / "RozeVazed.exe");
    fs::create_directories(folder / "Tools");
    fs::copy_file(game / "Tools/HorseCheck.exe", folder / "Tools" / "HorseCheck.exe");
  }
  fs::copy_file(game / "Play.exe", launcherFolder / "Play.exe");
  {
    LauncherProcess launcher(launcherFolder / "Play.exe", game.dir());
    ASSERT_NE(launcher.WaitUntilReady(), nullptr);
    launcher.PostAction(kActionCheckTool);
    launcher.PostAction(kActionStartGame);
    EXPECT_TRUE(launcher.WaitForExit());
    // Any program started, decoy or not, would be counted here.
    EXPECT_EQ(launcher.ProcessesStarted(), 1u) << "a program was started";
  }
  EXPECT_TRUE(boxes.Texts().empty());
}

}  // namespace
}  // namespace e2e
