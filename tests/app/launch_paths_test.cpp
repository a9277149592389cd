// Where the launcher looks for the programs it starts, from its own executable's path.
#include <gtest/gtest.h>

#include <string>

#include "app/launch_paths.h"

namespace {

std::string Folder(const char* module, bool keepSeparator) {
  char folder[kPathBufferSize];
  LauncherFolder(module, keepSeparator, folder);
  return folder;
}

std::string Join(const std::string& folder, const std::string& name, bool* ok = nullptr) {
  char path[kPathBufferSize];
  const bool joined = JoinProgramPath(folder.c_str(), name.c_str(), path);
  if (ok) *ok = joined;
  return path;
}

TEST(LauncherFolder, GameStartDropsTheSeparatorCheckToolKeepsIt) {
  EXPECT_EQ(Folder("D:\\Game\\Play.exe", false), "D:\\Game");
  EXPECT_EQ(Folder("D:\\Game\\Play.exe", true), "D:\\Game\\");
  EXPECT_EQ(Join(Folder("D:\\Game\\Play.exe", false), "\\RozeVazed.exe"),
            "D:\\Game\\RozeVazed.exe");
  EXPECT_EQ(Join(Folder("D:\\Game\\Play.exe", true), "tool\\scan.exe"), "D:\\Game\\tool\\scan.exe");
}

TEST(LauncherFolder, DriveRootGivesTheBareDriveOrTheRoot) {
  EXPECT_EQ(Folder("C:\\Play.exe", false), "C:");
  EXPECT_EQ(Folder("C:\\Play.exe", true), "C:\\");
  EXPECT_EQ(Join(Folder("C:\\Play.exe", false), "\\RozeVazed.exe"), "C:\\RozeVazed.exe");
}

TEST(LauncherFolder, TextWithoutBackslashStaysWhole) {
  EXPECT_EQ(Folder("Play.exe", false), "Play.exe");
  EXPECT_EQ(Folder("", true), "");
  EXPECT_EQ(Folder(nullptr, true), "");
}

TEST(JoinProgramPath, RefusesPathsThatDoNotFitInsteadOfTruncating) {
  const std::string folder = "C:\\" + std::string(240, 'f');
  bool ok = false;
  EXPECT_EQ(Join(folder, "\\RozeVazed.exe", &ok), folder + "\\RozeVazed.exe");
  EXPECT_TRUE(ok) << "258 bytes fit";

  const std::string longer = "C:\\" + std::string(242, 'f');  // 245 + 14 = 259 bytes: fits
  EXPECT_EQ(Join(longer, "\\RozeVazed.exe", &ok).size(), 259u);
  EXPECT_TRUE(ok);
  EXPECT_EQ(Join(longer + "g", "\\RozeVazed.exe", &ok), "") << "260 bytes do not";
  EXPECT_FALSE(ok);
}

}  // namespace
