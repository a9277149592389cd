// The animation table: its token-stream grammar, its failures and its limits.
#include <gtest/gtest.h>

#include <string>

#include "data/ani_table.h"
#include "tests/data/data_test_support.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ScopedCurrentDir;
using testing_support::TempDir;
using testing_support::WriteFile;

class AniTableTest : public ::testing::Test {
 protected:
  // Writes `text` to `name` and loads it into table_.
  int Load(const std::string& name, const std::string& text) {
    WriteFile(name, text);
    return table_.Load(name.c_str());
  }
  using List = std::vector<std::string>;
  List Frames(const char* name) const {
    const FrameList* frames = table_.Find(name);
    return frames ? *frames : List{"<absent>"};
  }

  TempDir dir_;
  ScopedCurrentDir here_{dir_.path()};
  AniTable table_;
};

TEST_F(AniTableTest, CountsAreTakenModulo64AndSurplusFrameLinesAreIgnored) {
  std::string seventy = "[Seventy]\nFrameAmount=70\n";
  for (int i = 0; i < 7; ++i)
    seventy += "Frame" + std::to_string(i) + "=s" + std::to_string(i) + "\n";
  ASSERT_EQ(Load("counts.ani",
                 "[Zero]\nFrameAmount=0\n"
                 "[Full]\nFrameAmount=64\nFrame0=a\n"
                 "[Wrap]\nFrameAmount=65\nFrame0=a\nFrame1=b\n"
                 "[Negative]\nFrameAmount=-3\nFrame0=a\n"
                 "[Huge]\nFrameAmount=4294967297\nFrame0=h\n" +
                     seventy),
            1);
  EXPECT_EQ(Frames("Zero"), List{}) << "an empty list, not an absent one";
  EXPECT_EQ(Frames("Full"), List{});
  EXPECT_EQ(Frames("Wrap"), List{"a"});
  EXPECT_EQ(Frames("Negative"), List{});
  EXPECT_EQ(Frames("Huge"), (List{"h"})) << "2^32 + 1 wraps to 1";
  EXPECT_EQ(Frames("Seventy"), (List{"s0", "s1", "s2", "s3", "s4", "s5"}));
  EXPECT_STREQ(table_.Path(), "counts.ani");
}

TEST_F(AniTableTest, CountAndFramesAreATokenStream) {
  ASSERT_EQ(
      Load("stream.ani",
           "; header\n\n"
           "[Blanks] text after the name\nFrameAmount=  2\n\n  \nFrame0=a.tga\n\n\tFrame1=b.tga\n"
           "[Empty]\nFrameAmount=2\nFrame0=\n  next.tga Frame1=c.tga\n"
           "[Spaced]\nFrameAmount=1\nFrame0=d e.tga\n"
           "[ \n"
           "[]\nFrameAmount=1\nFrame0=n.bmp\n"),
      1);
  EXPECT_EQ(Frames("Blanks"), (List{"a.tga", "b.tga"}));
  EXPECT_EQ(Frames("Empty"), (List{"next.tga", "c.tga"})) << "a path may stand on a later line";
  EXPECT_EQ(Frames("Spaced"), List{"d"}) << "the rest of the last frame line is ignored";
  EXPECT_EQ(Frames(""), List{"n.bmp"});
  EXPECT_EQ(table_.Sections().size(), 4u);
  EXPECT_EQ(table_.Find("blanks"), nullptr) << "names match with case";
}

TEST_F(AniTableTest, CrLfLinesLoadLikeLfLines) {
  const std::string text =
      "[A]\nFrameAmount=2\nFrame0=a0\n\nFrame1=a1\n[B]\nFrameAmount=1\nFrame0=b0\n";
  std::string crlf;
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  ASSERT_EQ(Load("lf.ani", text), 1);
  AniTable other;
  WriteFile("crlf.ani", crlf);
  ASSERT_EQ(other.Load("crlf.ani"), 1);
  EXPECT_EQ(other.Sections(), table_.Sections());
}

TEST_F(AniTableTest, LaterSectionsAndLaterLoadsReplaceLists) {
  ASSERT_EQ(Load("first.ani",
                 "[A]\nFrameAmount=2\nFrame0=old0\nFrame1=old1\n[B]\nFrameAmount=0\n"
                 "[A]\nFrameAmount=1\nFrame0=new\n"),
            1);
  EXPECT_EQ(Frames("A"), List{"new"});
  ASSERT_EQ(Load("second.ani", "[C]\nFrameAmount=1\nFrame0=c\n"), 1);
  EXPECT_EQ(table_.Sections().size(), 3u) << "a load adds to the table";
  EXPECT_STREQ(table_.Path(), "second.ani");
}

struct BadFile {
  const char* name;
  std::string text;
  const char* logged;
};

TEST_F(AniTableTest, MalformedSectionsFailWithTheirLoggedTextAndKeepEarlierSections) {
  const std::string good = "[Good]\nFrameAmount=1\nFrame0=g.bmp\n";
  const BadFile cases[] = {
      {"comment.ani", "[Exit]\n; note\nFrameAmount=1\nFrame0=a\n",
       "FrameAmount error in [Exit] of comment.ani"},
      {"blank.ani", "[Exit]\n\nFrameAmount=1\nFrame0=a\n",
       "FrameAmount error in [Exit] of blank.ani"},
      {"case.ani", "[Exit]\nframeAmount=1\n", "FrameAmount error in [Exit] of case.ani"},
      {"nonumber.ani", "[Exit]\nFrameAmount=x\n", "FrameAmount error in [Exit] of nonumber.ani"},
      {"lastline.ani", "[Exit]", "FrameAmount error in [Exit] of lastline.ani"},
      {"framecase.ani", "[Exit]\nFrameAmount=1\nframe0=a\n",
       "Frame0=%s\n error in [Exit] of framecase.ani"},
      {"order.ani", "[Exit]\nFrameAmount=2\nFrame1=b\nFrame0=a\n",
       "Frame0=%s\n error in [Exit] of order.ani"},
      {"zero.ani", "[Exit]\nFrameAmount=2\nFrame0=a\nFrame01=b\n",
       "Frame1=%s\n error in [Exit] of zero.ani"},
      {"blankpath.ani", "[Exit]\nFrameAmount=2\nFrame0=a b\nFrame1=c\n",
       "Frame1=%s\n error in [Exit] of blankpath.ani"},
      {"short.ani", "[Exit]\nFrameAmount=2\nFrame0=a\n",
       "Frame1=%s\n error in [Exit] of short.ani"},
      {"title.ani", "[Ex it]\r\nFrameAmount=0\r\n", "Error Title line [Ex it] in title.ani"},
      {"gap.ani", "[Exit ]\n", "Error Title line [Exit ] in gap.ani"},
  };
  for (const BadFile& bad : cases) {
    AniTable table;
    WriteFile(bad.name, good + bad.text);
    EXPECT_EQ(table.Load(bad.name), 0) << bad.name;
    EXPECT_EQ(table.Sections().size(), 1u) << bad.name;
    EXPECT_NE(table.Find("Good"), nullptr) << bad.name;
    EXPECT_STREQ(table.Path(), "") << bad.name;
  }
  std::string expected;
  for (const BadFile& bad : cases) expected += std::string(bad.logged) + "\n";
  EXPECT_EQ(data_test::LoggedTexts(), expected);
}

TEST_F(AniTableTest, NamesAndPathsUpTo259BytesLoadAndLongerOnesFail) {
  const std::string name259(259, 'n'), path259(259, 'p');
  ASSERT_EQ(Load("limits.ani", "[" + name259 + "]\nFrameAmount=1\nFrame0=" + path259 + "\n"), 1);
  EXPECT_EQ(Frames(name259.c_str()), List{path259});

  EXPECT_EQ(Load("longname.ani", "[" + name259 + "n]\nFrameAmount=0\n"), 0);
  EXPECT_EQ(Load("longpath.ani", "[L]\nFrameAmount=1\nFrame0=" + path259 + "p\n"), 0);
  EXPECT_EQ(table_.Find("L"), nullptr);
  EXPECT_EQ(data_test::LoggedTexts(), "Error Title line [" + name259 +
                                          "n] in longname.ani\n"
                                          "Frame0=%s\n error in [L] of longpath.ani\n");

  const std::string longLoadPath(260, 'f');
  EXPECT_EQ(table_.Load(longLoadPath.c_str()), 0);
  EXPECT_STREQ(table_.Path(), "limits.ani");
}

TEST_F(AniTableTest, ALineLongerThan1023BytesGoesOnAsAFurtherLine) {
  const std::string tail = "[Tail]\nFrameAmount=1\nFrame0=t\n";
  ASSERT_EQ(Load("split.ani", std::string(1023, 'x') + tail), 1);
  EXPECT_EQ(Frames("Tail"), List{"t"}) << "the piece after 1023 bytes starts with [";
  AniTable whole;
  WriteFile("unsplit.ani", std::string(1022, 'x') + tail);
  ASSERT_EQ(whole.Load("unsplit.ani"), 1);
  EXPECT_EQ(whole.Find("Tail"), nullptr);
}

TEST_F(AniTableTest, MissingFilesAndNullPathsFailSilently) {
  EXPECT_EQ(table_.Load(nullptr), 0);
  EXPECT_EQ(table_.Load("missing.ani"), 0);
  ASSERT_EQ(Load("none.ani", "no titles at all\n"), 1);
  EXPECT_TRUE(table_.Sections().empty());
  EXPECT_EQ(data_test::LoggedTexts(), "");
}

}  // namespace
