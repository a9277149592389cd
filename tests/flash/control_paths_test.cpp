// The Flash control's paths: joined in 260-byte buffers, refused whole when they do not fit.
#include <gtest/gtest.h>

#include <string>

#include "flash/control_paths.h"

namespace {

TEST(ControlPaths, JoinDirectoryAndSuffixOrRefuseWhatDoesNotFit) {
  char path[kControlPathSize];
  ASSERT_TRUE(JoinControlPath(path, "C:\\WINDOWS\\system32", kControlTargetSuffix));
  EXPECT_STREQ(path, "C:\\WINDOWS\\system32\\Macromed\\Flash\\Flash9f.ocx");

  const std::string longest(259 - std::string(kControlSourceSuffix).size(), 'd');
  ASSERT_TRUE(JoinControlPath(path, longest.c_str(), kControlSourceSuffix));
  EXPECT_EQ(std::string(path), longest + "\\flash.ocx");
  EXPECT_FALSE(JoinControlPath(path, (longest + "d").c_str(), kControlSourceSuffix));
  EXPECT_STREQ(path, "") << "refused whole, never cut";
  EXPECT_FALSE(JoinControlPath(path, nullptr, kControlSourceSuffix));
}

TEST(ControlPaths, TheAlternativeNameCarriesTheNumberWithoutLeadingZeros) {
  char path[kControlPathSize];
  ASSERT_TRUE(AlternativeControlPath(path, "C:\\WINDOWS\\system32", 7));
  EXPECT_STREQ(path, "C:\\WINDOWS\\system32\\Macromed\\Flash\\Flash9f_7.ocx");
  ASSERT_TRUE(AlternativeControlPath(path, "C:\\WINDOWS\\system32", 99));
  EXPECT_STREQ(path, "C:\\WINDOWS\\system32\\Macromed\\Flash\\Flash9f_99.ocx");

  const std::string longest(259 - std::string("\\Macromed\\Flash\\Flash9f_42.ocx").size(), 's');
  ASSERT_TRUE(AlternativeControlPath(path, longest.c_str(), 42));
  EXPECT_FALSE(AlternativeControlPath(path, (longest + "s").c_str(), 42));
  EXPECT_STREQ(path, "");
}

}  // namespace
