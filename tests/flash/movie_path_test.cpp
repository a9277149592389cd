// Where the launcher looks for its Flash movie, and the limit of the 256-byte path.
#include <gtest/gtest.h>

#include <string>

#include "flash/movie_path.h"

namespace {

TEST(MoviePath, KeepsTheDirectorysBackslashesAndTheSuffixsSlashes) {
  char path[kMoviePathSize];
  ASSERT_TRUE(ComposeMoviePath("C:\\Game", path));
  EXPECT_STREQ(path, "C:\\Game/data2/interface/StartUp/loadmovie.swf");
}

TEST(MoviePath, ADirectoryTooLongForTheBufferGetsNoPathAtAll) {
  char path[kMoviePathSize];
  const std::string longest = "C:\\" + std::string(214, 'd');  // 217 bytes: 255 with the suffix
  ASSERT_TRUE(ComposeMoviePath(longest.c_str(), path));
  EXPECT_EQ(std::string(path), longest + kMovieSuffix);

  const std::string tooLong = longest + "e";
  EXPECT_FALSE(ComposeMoviePath(tooLong.c_str(), path));
  EXPECT_STREQ(path, "") << "refused whole, never cut";
  EXPECT_FALSE(ComposeMoviePath(nullptr, path));
}

}  // namespace
