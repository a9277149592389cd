// Settings files read through the profile functions, as the launcher and its tools read them. In
// the Windows tree these are the system's own functions; on the host, the compat reader must give
// the same answers.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "compat/platform.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ScopedCurrentDir;
using testing_support::TempDir;
using testing_support::WriteFile;

class ProfileTest : public ::testing::Test {
 protected:
  // Writes `text` as ini/Test.ini in a fresh current directory.
  void Use(const std::string& text) { WriteFile(dir_ / "ini/Test.ini", text); }

  std::string Text(const char* section, const char* key, const char* def = "dflt", DWORD size = 64,
                   const char* file = "ini/Test.ini") {
    char buffer[256];
    std::memset(buffer, '#', sizeof buffer);
    const DWORD length = GetPrivateProfileStringA(section, key, def, buffer, size, file);
    EXPECT_EQ(length, std::strlen(buffer)) << section << "/" << key;
    return buffer;
  }
  int Int(const char* section, const char* key, int def = -99, const char* file = "ini/Test.ini") {
    return static_cast<int>(GetPrivateProfileIntA(section, key, def, file));
  }

  TempDir dir_;
  ScopedCurrentDir here_{dir_.path()};
};

TEST_F(ProfileTest, NamesOfFilesSectionsAndKeysIgnoreLetterCase) {
  WriteFile(dir_ / "ini/GameSetup.ini", "[VersionPos]\r\nx=592\r\nFont=宋体\r\n");
  EXPECT_EQ(Int("VersionPos", "x", 700, "ini/GameSetUp.ini"), 592);
  EXPECT_EQ(Int("versionpos", "X", 700, "INI/gamesetup.INI"), 592);
  EXPECT_EQ(Text("VERSIONPOS", "font", "", 64, "ini/GameSetUp.ini"), "宋体");
  EXPECT_EQ(Text("VersionPos", "Font", "宋体", 64, "ini\\GAMESETUP.ini"), "宋体");
}

TEST_F(ProfileTest, MissingFileSectionOrKeyGivesTheDefault) {
  Use("[Exit]\nx=5\n");
  EXPECT_EQ(Int("Exit", "x", 0, "ini/Other.ini"), 0);
  EXPECT_EQ(Int("Exit", "x", 7, "nowhere/Test.ini"), 7);
  EXPECT_EQ(Int("Shop", "x", 0), 0);
  EXPECT_EQ(Int("Exit", "w", 0), 0);
  EXPECT_EQ(Int("Exit", "w", 42), 42);
  EXPECT_EQ(Text("Exit", "w", ""), "");
  EXPECT_EQ(Text("Shop", "x", "none"), "none");
}

TEST_F(ProfileTest, BlanksAroundNamesAndValuesAreDropped) {
  Use("  [ Spaced ]  \r\n[Pos]\r\n  x  =  12  \r\n\ty\t=\t-3\t\r\nMain Link = a b \r\n");
  EXPECT_EQ(Int("Pos", "x"), 12);
  EXPECT_EQ(Int(" Pos ", " x "), 12);
  EXPECT_EQ(Int("Pos", "y"), -3);
  EXPECT_EQ(Text("Pos", "x"), "12");
  EXPECT_EQ(Text("Pos", "Main Link"), "a b");
  EXPECT_EQ(Text("Pos", "MainLink"), "dflt");
  EXPECT_EQ(Text("Spaced", "x"), "dflt");
}

TEST_F(ProfileTest, MatchingQuotesAroundAValueAreDropped) {
  Use("[Q]\na=\"宋体\"\nb='x y'\nc=\"x\nd=\"x'\ne=\"\"\nf=\"\n");
  EXPECT_EQ(Text("Q", "a"), "宋体");
  EXPECT_EQ(Text("Q", "b"), "x y");
  EXPECT_EQ(Text("Q", "c"), "\"x");
  EXPECT_EQ(Text("Q", "d"), "\"x'");
  EXPECT_EQ(Text("Q", "e"), "");
  EXPECT_EQ(Text("Q", "f"), "\"");
  EXPECT_EQ(Text("Q", "none", "\"quoted\""), "quoted") << "the default is unquoted too";
  EXPECT_EQ(Text("Q", "none", "pad  "), "pad") << "and loses its trailing blanks";
}

TEST_F(ProfileTest, EmptyValuesLinesWithoutEqualsAndRepeats) {
  Use("[K]\nw=\nh\n;x=5\nx=1\nx=2\n[K]\ny=3\n[L]\nz=4\n");
  EXPECT_EQ(Text("K", "w"), "");
  EXPECT_EQ(Int("K", "w", 9), 9) << "an empty value reads as the default integer";
  EXPECT_EQ(Text("K", "h"), "dflt") << "a line without '=' has no value";
  EXPECT_EQ(Int("K", "x"), 1) << "the first of two keys counts";
  EXPECT_EQ(Int("K", "y"), -99) << "a second section of the same name is not searched";
  EXPECT_EQ(Int("L", "z"), 4);
}

TEST_F(ProfileTest, LineEndsAndTitlesWithoutClosingBracket) {
  Use("[A]\rx=1\r\n[B\ny=2\n\n\n[C]\r\rz=3");
  EXPECT_EQ(Int("A", "x"), 1) << "a carriage return alone ends a line";
  EXPECT_EQ(Int("A", "y"), 2) << "an unclosed title is no title: its keys stay in [A]";
  EXPECT_EQ(Int("B", "y"), -99);
  EXPECT_EQ(Int("C", "z"), 3) << "the last line needs no line end";
}

TEST_F(ProfileTest, IntegersAreReadAsTheSystemReadsThem) {
  Use("[N]\na=511\nb= +7\nc=-5\nd=12abc\ne=abc\nf=0x1F\ng=007\nh=4294967295\n");
  EXPECT_EQ(Int("N", "a"), 511);
  EXPECT_EQ(Int("N", "b"), 7);
  EXPECT_EQ(Int("N", "c"), -5);
  EXPECT_EQ(Int("N", "d"), 12);
  EXPECT_EQ(Int("N", "e"), 0);
  EXPECT_EQ(Int("N", "f"), 31);
  EXPECT_EQ(Int("N", "g"), 7);
  EXPECT_EQ(Int("N", "h"), -1);
}

TEST_F(ProfileTest, LongValuesAreCutToTheBuffer) {
  Use("[L]\nv=abcdefghij\nq=\"abcdefghij\"\n");
  EXPECT_EQ(Text("L", "v", "", 8), "abcdefg");
  EXPECT_EQ(Text("L", "v", "", 11), "abcdefghij");
  EXPECT_EQ(Text("L", "q", "", 8), "abcdefg");
  EXPECT_EQ(Text("L", "q", "", 11), "abcdefghi");
  EXPECT_EQ(Text("L", "q", "", 12), "abcdefghij");
}

}  // namespace
