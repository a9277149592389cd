// The playdat tool's commands, their exit codes and what they say on failure.
#include <gtest/gtest.h>

#include <string>

#include "tests/data/run_tool.h"
#include "tests/support/scrambled_files.h"
#include "tests/support/test_support.h"

namespace {

using data_test::RunTool;
using data_test::ToolRun;
using testing_support::ReadFile;
using testing_support::Scrambled;
using testing_support::WriteFile;

class PlaydatTest : public ::testing::Test {
 protected:
  ToolRun Run(const std::string& arguments) { return RunTool(PLAYDAT_PROGRAM, arguments); }

  testing_support::TempDir dir_;
  testing_support::ScopedCurrentDir here_{dir_.path()};
};

TEST_F(PlaydatTest, ScrambleAndDescrambleAnyLength) {
  std::string bytes;
  for (int i = 0; i < 70001; ++i) bytes += static_cast<char>((i * 131 + i / 256) & 0xFF);
  WriteFile("in.bin", bytes);
  ASSERT_EQ(Run("scramble in.bin mid.bin").exitCode, 0);
  EXPECT_EQ(ReadFile("mid.bin"), Scrambled(bytes)) << "past the tool's 64 KiB chunks too";
  ASSERT_EQ(Run("descramble mid.bin game/ini/out.bin").exitCode, 0) << "the folder is made";
  EXPECT_EQ(ReadFile("game/ini/out.bin"), bytes);

  EXPECT_EQ(Run("scramble in.bin in.bin").exitCode, 1);
  EXPECT_EQ(ReadFile("in.bin"), bytes) << "refused before the input was overwritten";
  const ToolRun missing = Run("descramble nothing.bin out2.bin");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("cannot open nothing.bin"), std::string::npos) << missing.err;
  EXPECT_EQ(Run("").exitCode, 1);
  EXPECT_EQ(Run("unknown x").exitCode, 1);
}

TEST_F(PlaydatTest, LinksSaysWhatTheLauncherWouldShowAndLog) {
  WriteFile("plain.txt", "[Other]\nPage=p\n[Second]\nGm=g\n");
  const ToolRun plain = Run("links --plain plain.txt");
  EXPECT_EQ(plain.exitCode, 0) << plain.err;
  EXPECT_EQ(plain.out.substr(0, 16), "Page=p\nRegist=\nP") << plain.out;
  EXPECT_NE(plain.out.find("\nGm=\n"), std::string::npos) << "the second section is never read";
  EXPECT_EQ(plain.out.find("FlashHttpSha256"), std::string::npos) << "no pin, no line";

  WriteFile("pinned.txt", "[A]\nFlashHttpSha256=" + std::string(64, 'E') + "\n");
  const ToolRun pinned = Run("links --plain pinned.txt");
  EXPECT_EQ(pinned.exitCode, 0) << pinned.err;
  EXPECT_NE(pinned.out.find("\nFlashHttpHand=\nFlashHttpSha256=" + std::string(64, 'E') + "\n"),
            std::string::npos)
      << pinned.out;
  EXPECT_EQ(pinned.err, "");
  WriteFile("pinned.txt", "[A]\nFlashHttpSha256=e3b0c442\n");
  const ToolRun cut = Run("links --plain pinned.txt");
  EXPECT_NE(cut.err.find("not 64 hex digits"), std::string::npos) << cut.err;

  const ToolRun missing = Run("links missing.dat");
  EXPECT_EQ(missing.exitCode, 1);
  EXPECT_NE(missing.err.find("the launcher shows: error on open ini/play.dat.\n"),
            std::string::npos)
      << missing.err;

  WriteFile("bad.txt", "[A]\nPage=a\n[a b]\n");
  const ToolRun bad = Run("links bad.txt --plain");
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.out, "");
  EXPECT_NE(bad.err.find("the parser logs: Error Title  [a b] in bad.txt\n"), std::string::npos)
      << bad.err;
  EXPECT_FALSE(testing_support::FileExists("debug.log"))
      << "nothing is left in the caller's folder";
}

TEST_F(PlaydatTest, AniPrintsSectionsAndKeepsThoseReadBeforeAFailure) {
  WriteFile("good.ani", "[B]\nFrameAmount=2\nFrame0=b0\nFrame1=b1\n[A]\nFrameAmount=0\n");
  const ToolRun good = Run("ani good.ani");
  EXPECT_EQ(good.exitCode, 0) << good.err;
  EXPECT_EQ(good.out, "[A]\n[B]\nb0\nb1\n");

  WriteFile("bad.ani", "[B]\nFrameAmount=1\nFrame0=b0\n[C]\nFrameAmount=1\nframe0=c0\n");
  const ToolRun bad = Run("ani bad.ani");
  EXPECT_EQ(bad.exitCode, 1);
  EXPECT_EQ(bad.out, "[B]\nb0\n");
  EXPECT_NE(bad.err.find("the parser logs: Frame0=%s\n error in [C] of bad.ani\n"),
            std::string::npos)
      << bad.err;
  EXPECT_FALSE(testing_support::FileExists("debug.log"))
      << "nothing is left in the caller's folder";
}

}  // namespace
