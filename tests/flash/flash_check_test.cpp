// The start-up Flash check against the stand-in control, on a Wine prefix of its own (it installs
// under the system folder and rewrites the control's registration): what it leaves alone, what it
// deletes, where it copies, what it registers; and the file steps it is built from.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

#include "compat/windows/file_handles.h"
#include "flash/control_files.h"
#include "flash/flash_check.h"
#include "tests/support/windows/flash_machine.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ForgetFlashControl;
using testing_support::InstalledControl;
using testing_support::ReadFile;
using testing_support::RegisteredFlashServer;
using testing_support::SafeVersionNames;
using testing_support::ScopedCurrentDir;
using testing_support::SetStandInSetting;
using testing_support::TempDir;
using testing_support::WriteFile;
using testing_support::WriteSafeVersions;

const std::string kStandIn = LAUNCHER_BINARY_DIR "\\testbed\\flash.ocx";

bool SamePath(const std::string& a, const std::string& b) {
  return _stricmp(a.c_str(), b.c_str()) == 0;
}

bool ComInitialised() {
  APTTYPE type;
  APTTYPEQUALIFIER qualifier;
  return SUCCEEDED(::CoGetApartmentType(&type, &qualifier));
}

// A file held open without sharing, as a running program holds its own.
UniqueFileHandle LockFile(const std::string& path) {
  return UniqueFileHandle(
      ::CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
}

// Each case starts on a machine that never had a Flash control, in a game folder holding the
// stand-in as flash.ocx, and leaves COM on this thread as it found it: down, so that the control
// files it loaded can be replaced and removed.
class FlashCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(testing_support::InOwnPrefix())
        << "this test installs and unregisters the Flash control: run it through ctest, which "
           "gives it a Wine prefix of its own";
    ForgetFlashControl();
    ASSERT_FALSE(testing_support::FlashControlRegistered());
    game_ = std::make_unique<TempDir>();
    here_ = std::make_unique<ScopedCurrentDir>(game_->path());
    standIn_ = ReadFile(kStandIn);
    ASSERT_GT(standIn_.size(), 1000u) << "no stand-in control at " << kStandIn;
    WriteFile(Source(), standIn_);
  }

  void TearDown() override {
    for (int i = 0; i < 100 && ComInitialised(); ++i) ::CoUninitialize();
    here_.reset();
    game_.reset();
    if (testing_support::InOwnPrefix()) ForgetFlashControl();
  }

  std::string Source() const { return *game_ / "flash.ocx"; }

  // Registers a copy of the stand-in kept apart from the game folder, as an earlier install.
  std::string RegisterElsewhere() {
    const std::string installed = *game_ / "elsewhere\\flash.ocx";
    WriteFile(installed, standIn_);
    EXPECT_EQ(RegisterControlFile(installed.c_str()), 1);
    return installed;
  }

  int Check() {
    FlashCheck check;
    return check.CheckFlashControl();
  }

  std::unique_ptr<TempDir> game_;
  std::unique_ptr<ScopedCurrentDir> here_;
  std::string standIn_;
};

TEST_F(FlashCheckTest, AControlOfVersionNineOrNewerLeavesRegistryAndFilesAsTheyWere) {
  const std::string installed = RegisterElsewhere();
  WriteSafeVersions();
  for (DWORD version : {0x00090000u, 0x000A0000u}) {
    SetStandInSetting("Version", version);
    EXPECT_EQ(Check(), 1) << std::hex << version;
    EXPECT_TRUE(SamePath(RegisteredFlashServer(), installed)) << RegisteredFlashServer();
    EXPECT_EQ(SafeVersionNames(), "10.0 9.0");
    EXPECT_EQ(testing_support::FolderListing(testing_support::SystemDirectory() + "\\Macromed"), "")
        << "not even the folder is made";
    EXPECT_TRUE(ComInitialised()) << "COM stays up after a control was created";
  }
  EXPECT_EQ(ReadFile(*game_ / "standin-flash.log"), "version\r\nversion\r\n");
}

// A control that is there but old, or that fails to tell its version, is replaced by the game's
// own; Flash Player's safe versions stay, since a control is there to go with them.
TEST_F(FlashCheckTest, AnOldOrSilentControlKeepsTheSafeVersionsAndTheGamesControlIsInstalled) {
  for (const char* setting : {"Version", "VersionFails"}) {
    SCOPED_TRACE(setting);
    ForgetFlashControl();
    RegisterElsewhere();
    WriteSafeVersions();
    SetStandInSetting(setting, std::string(setting) == "Version" ? 0x0008FFFF : 1);
    EXPECT_EQ(Check(), 1);
    EXPECT_EQ(SafeVersionNames(), "10.0 9.0");
    EXPECT_EQ(ReadFile(InstalledControl("Flash9f.ocx")), standIn_);
    EXPECT_TRUE(SamePath(RegisteredFlashServer(), InstalledControl("Flash9f.ocx")))
        << RegisteredFlashServer();
    for (int i = 0; i < 100 && ComInitialised(); ++i) ::CoUninitialize();
  }
  SetStandInSetting("VersionFails", 0);
  EXPECT_EQ(QueryFlashVersion(), 0x000A0000) << "the installed control answers";
}

TEST_F(FlashCheckTest, NoControlDeletesTheTwoSafeVersionsThenCopiesAndRegisters) {
  WriteSafeVersions("8.0");
  EXPECT_EQ(Check(), 1);
  EXPECT_FALSE(ComInitialised()) << "COM is undone when no control could be created";
  EXPECT_EQ(SafeVersionNames(), "8.0") << "only 10.0 and 9.0 go";
  EXPECT_EQ(ReadFile(InstalledControl("Flash9f.ocx")), standIn_);
  EXPECT_TRUE(SamePath(RegisteredFlashServer(), InstalledControl("Flash9f.ocx")))
      << RegisteredFlashServer();
  EXPECT_FALSE(testing_support::FileExists(*game_ / "standin-flash.log")) << "nothing was asked";

  // Without the key at all the check goes the same way.
  ForgetFlashControl();
  EXPECT_EQ(Check(), 1);
  EXPECT_EQ(SafeVersionNames(), "(no key)");
}

TEST_F(FlashCheckTest, AnInstalledControlFileIsRegisteredAgainOrCopiedOver) {
  // One that registers is kept as it is: the game's file (different here) is not copied.
  const std::string target = InstalledControl("Flash9f.ocx");
  WriteFile(target, standIn_);
  WriteFile(Source(), standIn_ + "the game's own build");
  EXPECT_EQ(Check(), 1);
  EXPECT_EQ(ReadFile(target), standIn_);
  EXPECT_TRUE(SamePath(RegisteredFlashServer(), target)) << RegisteredFlashServer();

  // One that fails to register is replaced by the game's.
  ForgetFlashControl();
  WriteFile(target, "a damaged control");
  EXPECT_EQ(Check(), 1);
  EXPECT_EQ(ReadFile(target), standIn_ + "the game's own build");
  EXPECT_TRUE(SamePath(RegisteredFlashServer(), target)) << RegisteredFlashServer();
}

TEST_F(FlashCheckTest, ALockedInstalledFileGetsTheControlBesideItUnderANumberedName) {
  const std::string target = InstalledControl("Flash9f.ocx");
  WriteFile(target, "held by another program");
  const UniqueFileHandle held = LockFile(target);
  ASSERT_TRUE(held);
  // A seed whose first number ends in one digit: the name must carry no leading zero.
  unsigned seed = 1;
  for (;; ++seed) {
    std::srand(seed);
    if (std::rand() % 100 < 10) break;
  }
  std::srand(seed);
  const int number = std::rand() % 100;
  const std::string alternative = InstalledControl("Flash9f_" + std::to_string(number) + ".ocx");

  // With that name taken as well, there is nowhere left to copy to.
  WriteFile(alternative, "held as well");
  {
    const UniqueFileHandle alsoHeld = LockFile(alternative);
    std::srand(seed);
    EXPECT_EQ(Check(), 0);
    EXPECT_EQ(RegisteredFlashServer(), "");
  }
  std::srand(seed);
  EXPECT_EQ(Check(), 1);
  EXPECT_EQ(ReadFile(alternative), standIn_);
  EXPECT_TRUE(SamePath(RegisteredFlashServer(), alternative)) << RegisteredFlashServer();
}

TEST_F(FlashCheckTest, WithoutAControlFileThatRegistersTheResultIsZero) {
  // No flash.ocx in the current directory.
  ASSERT_TRUE(::DeleteFileA(Source().c_str()));
  EXPECT_EQ(Check(), 0);
  EXPECT_EQ(RegisteredFlashServer(), "");
  EXPECT_FALSE(testing_support::FileExists(InstalledControl("Flash9f.ocx")));

  // A control file whose registration fails.
  WriteFile(Source(), standIn_);
  SetStandInSetting("RegisterFails", 1);
  EXPECT_EQ(Check(), 0);
  EXPECT_EQ(RegisteredFlashServer(), "");
}

// A current directory too long for the 260-byte source path is refused, not cut: cut, the path
// would name "flash.oc" beside the game's file.
TEST_F(FlashCheckTest, ACurrentDirectoryTooLongForThePathIsRefused) {
  constexpr size_t kLength = 250;  // with "\\flash.ocx", 260 bytes before the terminator
  std::string deep = game_->path().string();
  while (kLength - deep.size() >= 52) deep += "\\" + std::string(50, 'd');
  if (kLength - deep.size() == 1) deep += "d";
  if (deep.size() < kLength) deep += "\\" + std::string(kLength - deep.size() - 1, 'e');
  ASSERT_EQ(deep.size(), kLength);
  std::filesystem::create_directories(deep);
  WriteFile(deep + "\\flash.ocx", standIn_);
  WriteFile(deep + "\\flash.oc", standIn_);
  ScopedCurrentDir inside(deep);
  char current[MAX_PATH] = {};
  ASSERT_EQ(::GetCurrentDirectoryA(sizeof current, current), kLength) << current;
  EXPECT_EQ(Check(), 0);
  EXPECT_FALSE(testing_support::FileExists(InstalledControl("Flash9f.ocx")));
  EXPECT_EQ(RegisteredFlashServer(), "");
}

TEST_F(FlashCheckTest, ProbePathTellsFilesFromFoldersAndFindsNoTrailingBackslash) {
  bool isDirectory = true;
  DWORD size = 77;
  ASSERT_TRUE(ProbePath(Source().c_str(), &isDirectory, &size));
  EXPECT_FALSE(isDirectory);
  EXPECT_EQ(size, standIn_.size());
  ASSERT_TRUE(ProbePath(game_->path().string().c_str(), &isDirectory, &size));
  EXPECT_TRUE(isDirectory);
  EXPECT_EQ(size, 0u);
  EXPECT_TRUE(ProbePath(Source().c_str(), nullptr, nullptr));
  EXPECT_FALSE(ProbePath((game_->path().string() + "\\").c_str(), nullptr, nullptr));
  EXPECT_FALSE(ProbePath((*game_ / "missing").c_str(), nullptr, nullptr));
}

TEST_F(FlashCheckTest, MakeDirectoriesFromADriveRootAndDownADeepNewPath) {
  EXPECT_TRUE(MakeDirectories("C:\\"));
  EXPECT_TRUE(MakeDirectories("C:\\flash-check\\Macromed\\Flash\\"));
  bool isDirectory = false;
  EXPECT_TRUE(ProbePath("C:\\flash-check\\Macromed\\Flash", &isDirectory, nullptr));
  EXPECT_TRUE(isDirectory);

  const std::string deep = *game_ / "a\\b\\c\\d\\e\\";
  EXPECT_TRUE(MakeDirectories(deep.c_str()));
  EXPECT_TRUE(std::filesystem::is_directory(deep));
  EXPECT_TRUE(MakeDirectories(deep.c_str())) << "every level there already";

  // A level that is a file cannot hold a folder.
  EXPECT_FALSE(MakeDirectories((Source() + "\\inside\\").c_str()));
  std::error_code ignored;
  std::filesystem::remove_all("C:\\flash-check", ignored);
}

TEST_F(FlashCheckTest, RegisterControlFileNeedsALoadableFileWithASucceedingEntryPoint) {
  EXPECT_EQ(RegisterControlFile(nullptr), 0);
  EXPECT_EQ(RegisterControlFile((*game_ / "missing.ocx").c_str()), 0);
  WriteFile(*game_ / "text.ocx", "not a program");
  EXPECT_EQ(RegisterControlFile((*game_ / "text.ocx").c_str()), 0);
  EXPECT_EQ(RegisterControlFile("kernel32.dll"), 0) << "no registration entry point";
  SetStandInSetting("RegisterFails", 1);
  EXPECT_EQ(RegisterControlFile(Source().c_str()), 0);
  EXPECT_EQ(RegisteredFlashServer(), "");
  SetStandInSetting("RegisterFails", 0);
  EXPECT_EQ(RegisterControlFile(Source().c_str()), 1);
  EXPECT_TRUE(SamePath(RegisteredFlashServer(), Source())) << RegisteredFlashServer();
  EXPECT_EQ(::GetModuleHandleA(Source().c_str()), nullptr) << "unloaded again";
}

}  // namespace
