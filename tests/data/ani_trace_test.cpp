// Host only: the success trace of the animation table, read from the recorded debugger output.
#include <gtest/gtest.h>

#include "compat/host_sinks.h"
#include "data/ani_table.h"
#include "tests/support/test_support.h"

namespace {

TEST(AniTableTrace, CountsDistinctNamesOnlyOnSuccess) {
  testing_support::TempDir dir;
  testing_support::ScopedCurrentDir here(dir.path());
  testing_support::WriteFile("trace.ani",
                             "[A]\nFrameAmount=0\n[B]\nFrameAmount=0\n[A]\nFrameAmount=0\n");
  testing_support::WriteFile("bad.ani", "[C]\nnothing\n");
  compat::DebugOutput().clear();
  AniTable table;
  ASSERT_EQ(table.Load("trace.ani"), 1);
  ASSERT_EQ(table.Load("bad.ani"), 0);
  EXPECT_EQ(compat::DebugOutput(),
            std::vector<std::string>{"total 2 ani info found in trace.ani\n"});
}

}  // namespace
