// Link definitions: line cleaning, the grammar in both reader modes, limits, and the link slots.
#include <gtest/gtest.h>

#include <string>

#include "data/clean_line.h"
#include "data/definition_table.h"
#include "data/installer_pin.h"
#include "data/link_table.h"
#include "tests/data/data_test_support.h"
#include "tests/support/scrambled_files.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ScopedCurrentDir;
using testing_support::Scrambled;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(CleanLine, SkipsCommentsAndCutsLineEndsByPosition) {
  const struct {
    const char* line;
    int length;
    const char* left;
  } cases[] = {
      {"", 0, ""},
      {";k=v\n", 0, ";k=v\n"},
      {"//k=v\n", 0, "//k=v\n"},
      {"\r\n", 0, "\r\n"},
      {"\n", 0, "\n"},
      {"/k=v\n", 4, "/k=v"},
      {"#k=v\n", 4, "#k=v"},
      {"k=v\r\n", 3, "k=v"},
      {"k=v", 3, "k=v"},
      {"k=v\r", 4, "k=v\r"},   // a last line's lone CR stays
      {"k=ab\rc", 4, "k=ab"},  // the CR test looks at the second-last byte whatever it is
  };
  for (const auto& c : cases) {
    char line[32];
    std::snprintf(line, sizeof line, "%s", c.line);
    EXPECT_EQ(CleanLine(line), c.length) << c.line;
    EXPECT_STREQ(line, c.left) << c.line;
  }
}

class DefinitionLoadTest : public ::testing::TestWithParam<int> {
 protected:
  // Writes `text` as this mode reads it and loads it into `table`.
  int Load(DefinitionTable& table, const std::string& name, const std::string& text) {
    WriteFile(name, GetParam() == ScrambledFile::ModeScrambled ? Scrambled(text) : text);
    return table.Load(name.c_str(), GetParam());
  }
  std::string Name(const std::string& base) const { return base + std::to_string(GetParam()); }

  TempDir dir_;
  ScopedCurrentDir here_{dir_.path()};
};

TEST_P(DefinitionLoadTest, GrammarWithEitherLineEnd) {
  const std::string text =
      "; comment\n// comment\nPage=before any title\n"
      "[First] text after the title\nPage=web/a.html\nPage=web/b.html\nEmpty=\nMainLink =spaced\n"
      "Query=http://h/p?a=1&b=2\n#hash=kept\nno equals sign\n[ \n"
      "[Second]\nRegist=only in the second section\n[First]\n[]\n";
  for (const char* end : {"\n", "\r\n"}) {
    std::string lines;
    for (char c : text) lines += c == '\n' ? std::string(end) : std::string(1, c);
    DefinitionTable table;
    ASSERT_EQ(Load(table, Name("grammar"), lines), 1);
    ASSERT_EQ(table.Sections().size(), 4u);
    EXPECT_EQ(table.Sections()[1]->Name(), "Second");
    EXPECT_EQ(table.Sections()[2]->Name(), "First") << "names need not be unique";
    EXPECT_EQ(table.Sections()[3]->Name(), "");
    const DefinitionSection& first = *table.Sections()[0];
    EXPECT_EQ(first.Name(), "First");
    EXPECT_EQ(first.Values().size(), 5u) << "Page, Empty, \"MainLink \", Query, #hash";
    EXPECT_STREQ(first.GetValue("Page", "-"), "web/b.html") << "the later value wins";
    EXPECT_STREQ(first.GetValue("Empty", "-"), "") << "empty, not the default";
    EXPECT_STREQ(first.GetValue("MainLink", "-"), "-");
    EXPECT_STREQ(first.GetValue("MainLink ", "-"), "spaced");
    EXPECT_STREQ(first.GetValue("Query", "-"), "http://h/p?a=1&b=2");
    EXPECT_STREQ(first.GetValue("#hash", "-"), "kept");
    EXPECT_STREQ(first.GetValue(nullptr, "-"), "-");

    LinkTable links;
    ASSERT_TRUE(FillLinkTable(table, links));
    EXPECT_STREQ(links.slots[0], "web/b.html");
    EXPECT_STREQ(links.slots[1], "") << "Regist of the second section is never read";
  }
}

TEST_P(DefinitionLoadTest, BadTitleFailsTheLoadAndKeepsEarlierSections) {
  DefinitionTable table;
  EXPECT_EQ(Load(table, Name("title"), "[Good]\nPage=p\n[Bad name]\nGm=g\n"), 0);
  ASSERT_EQ(table.Sections().size(), 1u);
  EXPECT_STREQ(table.Sections()[0]->GetValue("Page", "-"), "p");
  EXPECT_EQ(data_test::LoggedTexts(), "Error Title  [Bad name] in " + Name("title") + "\n");
}

TEST_P(DefinitionLoadTest, OverLongItemsAreCutOrRefused) {
  DefinitionTable table;
  const std::string key(300, 'k'), value(1100, 'v'), title(260, 't');
  ASSERT_EQ(Load(table, Name("long"),
                 "[Long]\n" + key + "=x\nValue=" + value +
                     "\n"
                     "Line=" +
                     std::string(2100, 'l') + "Page=from the rest of the line\nGm=next line\n"),
            1);
  const DefinitionSection& section = *table.Sections()[0];
  EXPECT_EQ(section.Values().size(), 4u);
  EXPECT_STREQ(section.GetValue(key.substr(0, 259).c_str(), "-"), "x");
  EXPECT_EQ(std::string(section.GetValue("Value", "-")), value.substr(0, 1023));
  EXPECT_EQ(std::string(section.GetValue("Line", "-")), std::string(1023, 'l'));
  EXPECT_STREQ(section.GetValue("Page", "-"), "-") << "the rest of an over-long line is dropped";
  EXPECT_STREQ(section.GetValue("Gm", "-"), "next line");

  DefinitionTable titles;
  EXPECT_EQ(Load(titles, Name("names"), "[" + std::string(259, 'n') + "]\n[" + title + "]\n"), 0);
  EXPECT_EQ(titles.Sections().size(), 1u) << "259 bytes fit, 260 do not";
}

TEST_P(DefinitionLoadTest, LoadsAppendAndCloseDropsEverything) {
  DefinitionTable table;
  ASSERT_EQ(Load(table, Name("one"), "[A]\nPage=a\n"), 1);
  ASSERT_EQ(Load(table, Name("two"), "[B]\nPage=b\n"), 1);
  ASSERT_EQ(table.Sections().size(), 2u);
  EXPECT_EQ(table.Sections()[1]->Name(), "B");
  table.Close();
  EXPECT_TRUE(table.Sections().empty());
  EXPECT_EQ(table.Buffer().Data(), nullptr);
}

TEST_P(DefinitionLoadTest, MissingAndEmptyFiles) {
  DefinitionTable table;
  EXPECT_EQ(table.Load("missing.dat", GetParam()), 0);
  // An empty file cannot be loaded whole; read as plain text it simply has no lines.
  EXPECT_EQ(Load(table, Name("empty"), ""), GetParam() == ScrambledFile::ModePlain ? 1 : 0);
  LinkTable links;
  EXPECT_FALSE(FillLinkTable(table, links));
  EXPECT_EQ(data_test::LoggedTexts(), "");
}

INSTANTIATE_TEST_SUITE_P(BothModes, DefinitionLoadTest,
                         ::testing::Values(ScrambledFile::ModePlain, ScrambledFile::ModeScrambled));

TEST(LinkTable, SlotsHoldAt255BytesInSlotOrder) {
  TempDir dir;
  ScopedCurrentDir here(dir.path());
  std::string text = "[WhateverName]\n";
  for (int slot = 0; slot < kLinkSlotCount; ++slot) {
    text +=
        std::string(kLinkKeys[slot]) + "=" + std::to_string(slot) + std::string(300, 'x') + "\n";
  }
  WriteFile("play.dat", Scrambled(text));
  DefinitionTable table;
  ASSERT_EQ(table.Load("play.dat", ScrambledFile::ModeScrambled), 1);
  LinkTable links;
  ASSERT_TRUE(FillLinkTable(table, links));
  for (int slot = 0; slot < kLinkSlotCount; ++slot) {
    EXPECT_EQ(std::string(links.slots[slot]),
              (std::to_string(slot) + std::string(300, 'x')).substr(0, 255));
  }
  EXPECT_STREQ(kLinkKeys[0], "Page");
  EXPECT_STREQ(kLinkKeys[kLinkSlotCount - 1], "FlashHttpHand");

  char untouched[4] = "abc";
  EXPECT_FALSE(CopyLink(untouched, sizeof untouched, nullptr));
  EXPECT_STREQ(untouched, "abc");
}

TEST(InstallerPin, SixtyFourHexDigitsInEitherCaseOrTheKeyRefusesEverything) {
  const std::string hex = "00FFa0b1c2d3e4f5" + std::string(48, '7');
  const struct {
    std::string line;  // the first section's pin line, or none
    InstallerPin::State state;
  } cases[] = {
      {"", InstallerPin::kAbsent},
      {"FlashHttpSha256=" + hex + "\n", InstallerPin::kValid},
      {"FlashHttpSha256=\n", InstallerPin::kMalformed},
      {"FlashHttpSha256=" + hex.substr(1) + "\n", InstallerPin::kMalformed},
      {"FlashHttpSha256=" + hex.substr(1) + "g\n", InstallerPin::kMalformed},
      {"FlashHttpSha256= " + hex + "\n", InstallerPin::kMalformed},
      {"flashhttpsha256=" + hex + "\n", InstallerPin::kAbsent},  // keys match exactly, as links do
  };
  TempDir dir;
  ScopedCurrentDir here(dir.path());
  for (const auto& c : cases) {
    WriteFile("play.dat",
              Scrambled("[Links]\nPage=p\n" + c.line + "[Second]\nFlashHttpSha256=" + hex + "\n"));
    DefinitionTable table;
    ASSERT_EQ(table.Load("play.dat", ScrambledFile::ModeScrambled), 1);
    const InstallerPin pin = ReadInstallerPin(table);
    EXPECT_EQ(pin.state, c.state) << c.line;
    if (pin.state == InstallerPin::kValid) {
      EXPECT_EQ(pin.digest[0], 0x00);
      EXPECT_EQ(pin.digest[1], 0xFF);
      EXPECT_EQ(pin.digest[2], 0xA0);
      EXPECT_EQ(pin.digest[7], 0xF5);
      EXPECT_EQ(pin.digest[31], 0x77);
    }
  }
}

}  // namespace
