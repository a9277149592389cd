// Version.dat: the first 32 bytes up to a zero byte, with nothing trimmed.
#include <gtest/gtest.h>

#include <string>

#include "app/version_file.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ScopedCurrentDir;
using testing_support::TempDir;
using testing_support::WriteFile;

std::string ReadIn(const TempDir& dir, bool* ok = nullptr) {
  ScopedCurrentDir here(dir.path());
  char text[kVersionTextBytes + 1];
  const bool read = ReadVersionText(text);
  if (ok) *ok = read;
  return text;
}

TEST(ReadVersionText, KeepsLineEndsAndStopsAtAZeroByte) {
  TempDir dir;
  WriteFile(dir / "Version.dat", "2.3.1029\r\n");
  EXPECT_EQ(ReadIn(dir), "2.3.1029\r\n");
  WriteFile(dir / "Version.dat", std::string("1.0\0garbage", 11));
  EXPECT_EQ(ReadIn(dir), "1.0");
}

TEST(ReadVersionText, ShowsExactly32BytesOfALongerFileAndStaysTerminated) {
  TempDir dir;
  WriteFile(dir / "Version.dat", std::string(32, 'v') + "tail");
  EXPECT_EQ(ReadIn(dir), std::string(32, 'v'));
  WriteFile(dir / "Version.dat", std::string(32, 'w'));
  EXPECT_EQ(ReadIn(dir), std::string(32, 'w'));
}

TEST(ReadVersionText, MissingFileFailsWithAnEmptyText) {
  TempDir dir;
  bool ok = true;
  EXPECT_EQ(ReadIn(dir, &ok), "");
  EXPECT_FALSE(ok);
  WriteFile(dir / "Version.dat", "");
  EXPECT_EQ(ReadIn(dir, &ok), "");
  EXPECT_TRUE(ok) << "an empty file opens: the label then shows the prefix alone";
}

}  // namespace
