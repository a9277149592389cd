// The name fetch writes a download under when it is given none.
#include <gtest/gtest.h>

#include "net/parsed_url.h"
#include "tools/fetch/output_name.h"

namespace {

TEST(FetchOutputName, ThePlainLastPartOfThePathWithoutQueryOrFragment) {
  EXPECT_EQ(OutputNameFor("setup.exe"), "setup.exe");
  EXPECT_EQ(OutputNameFor("setup.exe?version=10&os=win"), "setup.exe");
  EXPECT_EQ(OutputNameFor("setup.exe#top"), "setup.exe");
  EXPECT_EQ(OutputNameFor("..\\..\\Windows\\evil.dll"), "evil.dll");
  EXPECT_EQ(OutputNameFor("dir\\setup.exe?a=b/c"), "setup.exe");
  // SplitUrl's file name is cut at the last "/" even inside the query; the whole path is not.
  EXPECT_EQ(OutputNameFor(SplitUrl("http://h/dl/setup.exe?from=a/b")->path), "setup.exe");
  EXPECT_EQ(OutputNameFor("%2e%2e"), "%2e%2e") << "nothing is decoded, so nothing climbs";
  EXPECT_EQ(OutputNameFor("console.log"), "console.log");
}

TEST(FetchOutputName, NoNameWhenWhatIsLeftIsNotASafePlainName) {
  for (const char* refused :
       {"",          "?only=query", "..",      ".",    "a\\..",          "a\\",
        "x:y",       "a|b",         "a*",      "a<b",  "ends-with-dot.", "ends-with-blank ",
        "tab\tname", "NUL",         "nul.txt", "COM1", "lpt9.bin",       "CON",
        "CONIN$",    "conout$.txt"}) {
    EXPECT_EQ(OutputNameFor(refused), "") << refused;
  }
}

}  // namespace
