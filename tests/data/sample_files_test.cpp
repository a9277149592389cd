// The sample game folder's data files load through the launcher's code as the launcher loads them.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "data/ani_table.h"
#include "data/definition_table.h"
#include "data/link_table.h"
#include "tests/data/run_tool.h"
#include "tests/support/scrambled_files.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::ScopedCurrentDir;
using testing_support::Scrambled;
using testing_support::TempDir;
using testing_support::WriteFile;

const std::string kSampleDir = std::string(LAUNCHER_SOURCE_DIR) + "/sample/";

const char* const kSampleLinks[kLinkSlotCount] = {
    "web\\news.html",    "web\\register.html", "web\\pay.html",
    "web\\system.html",  "web\\gm.html",       "web\\index.html",
    "web\\goodbye.html", "web\\shop.html",     "http://127.0.0.1:8631/flash/flashSetUp.exe",
    "web\\flash.html"};

class SampleFolderTest : public ::testing::Test {
 protected:
  TempDir game_;
  ScopedCurrentDir here_{game_.path()};
};

TEST_F(SampleFolderTest, AnimationTableHasTheSevenButtons) {
  WriteFile("ani/play.ani", ReadFile(kSampleDir + "ani/play.ani"));
  AniTable table;
  ASSERT_EQ(table.Load("ani/play.ani"), 1);
  const std::map<std::string, size_t> frames = {
      {"Exit", 2},    {"CheckHorse", 2}, {"OfficialNet", 3}, {"Register", 3},
      {"StanEnt", 4}, {"HiClearEnt", 4}, {"ShoppingMall", 1}};
  ASSERT_EQ(table.Sections().size(), frames.size());
  for (const auto& [name, count] : frames) {
    const FrameList* list = table.Find(name.c_str());
    ASSERT_NE(list, nullptr) << name;
    ASSERT_EQ(list->size(), count) << name;
    for (const std::string& path : *list) {
      EXPECT_EQ(path.rfind("data2/interface/StartUp/Buttons/", 0), 0u) << path;
    }
  }
  EXPECT_EQ(table.Find("StanEnt")->back(), "data2/interface/StartUp/Buttons/StanEnt3.tga");
  EXPECT_EQ(table.Find("ShoppingMall")->front(), "data2/interface/StartUp/Buttons/Shop0.bmp");
}

TEST_F(SampleFolderTest, ScrambledLinksFillTheTenSlots) {
  const std::string source = ReadFile(kSampleDir + "ini/play.dat.txt");
  ASSERT_NE(source.find("[Links]\r\n"), std::string::npos) << "the source keeps CR LF line ends";
  WriteFile("ini/play.dat", Scrambled(source));
  DefinitionTable table;
  ASSERT_EQ(table.Load("ini/play.dat", ScrambledFile::ModeScrambled), 1);
  LinkTable links;
  ASSERT_TRUE(FillLinkTable(table, links));
  for (int slot = 0; slot < kLinkSlotCount; ++slot)
    EXPECT_STREQ(links.slots[slot], kSampleLinks[slot]);
}

TEST_F(SampleFolderTest, PlaydatScramblesTheSourceAndShowsItsLinks) {
  const std::string source = kSampleDir + "ini/play.dat.txt";
  const data_test::ToolRun scramble =
      data_test::RunTool(PLAYDAT_PROGRAM, "scramble " + source + " play.dat");
  ASSERT_EQ(scramble.exitCode, 0) << scramble.err;
  EXPECT_EQ(ReadFile("play.dat"), Scrambled(ReadFile(source)));

  const data_test::ToolRun links = data_test::RunTool(PLAYDAT_PROGRAM, "links play.dat");
  ASSERT_EQ(links.exitCode, 0) << links.err;
  std::string expected;
  for (int slot = 0; slot < kLinkSlotCount; ++slot) {
    expected += std::string(kLinkKeys[slot]) + "=" + kSampleLinks[slot] + "\n";
  }
  EXPECT_EQ(links.out, expected);
}

}  // namespace
