#include <gtest/gtest.h>

#include <filesystem>

#include "compat/path_case.h"
#include "tests/support/test_support.h"

namespace {

namespace fs = std::filesystem;
using testing_support::ScopedCurrentDir;
using testing_support::TempDir;
using testing_support::WriteFile;

TEST(PathCase, FindsFilesWhateverTheLetterCaseAndSeparators) {
  TempDir dir;
  ScopedCurrentDir here(dir.path());
  WriteFile(dir / "Data2/Interface/StartUp/Buttons/Exit0.BMP", "x");
  const fs::path file = dir.path() / "Data2/Interface/StartUp/Buttons/Exit0.BMP";
  for (const char* written : {"data2/interface/StartUp/Buttons/exit0.bmp",
                              "DATA2\\INTERFACE\\STARTUP\\BUTTONS\\EXIT0.BMP",
                              "./data2//interface/startup/buttons/Exit0.bmp"}) {
    EXPECT_TRUE(fs::equivalent(compat::FindPathIgnoringCase(written), file)) << written;
  }
  const std::string absolute = (dir.path() / "DATA2/interface").string();
  EXPECT_TRUE(
      fs::equivalent(compat::FindPathIgnoringCase(absolute), dir.path() / "Data2/Interface"));
  EXPECT_FALSE(fs::exists(compat::FindPathIgnoringCase("data2\\interface\\nothing.bmp")));
}

}  // namespace
