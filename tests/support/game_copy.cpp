#include "tests/support/game_copy.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace testing_support {

fs::path SampleGameDir() { return fs::path(LAUNCHER_SAMPLE_GAME_DIR); }

void CopyFolder(const fs::path& from, const fs::path& to) {
  if (to.has_parent_path()) fs::create_directories(to.parent_path());
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

GameCopy::GameCopy(const std::string& subfolder) : dir_(temp_.path() / subfolder) {
  const fs::path source = SampleGameDir();
  if (!fs::exists(source / "Play.exe")) {
    ADD_FAILURE() << "no sample game folder at " << source.string()
                  << " (build the test's dependencies)";
  }
  CopyFolder(source, dir_);
  for (const char* log : {"RozeVazed.log", "Tools/HorseCheck.log", "debug.log", "standin-flash.log",
                          "standin-browser.log"}) {
    std::error_code ignored;
    fs::remove(dir_ / fs::path(log).make_preferred(), ignored);
  }
}

fs::path GameCopy::operator/(const std::string& relative) const {
  return dir_ / fs::path(relative).make_preferred();
}

void GameCopy::Remove(const std::string& relative) const {
  std::error_code error;
  EXPECT_TRUE(fs::remove(*this / relative, error))
      << "cannot remove " << relative << ": " << (error ? error.message() : "not there");
}

void GameCopy::Write(const std::string& relative, const std::string& bytes) const {
  WriteFile(*this / relative, bytes);
}

std::string GameCopy::Read(const std::string& relative) const { return ReadFile(*this / relative); }

void GameCopy::Replace(const std::string& relative, const std::string& from,
                       const std::string& to) const {
  std::string text = Read(relative);
  const size_t at = text.find(from);
  ASSERT_NE(at, std::string::npos) << from << " in " << relative;
  Write(relative, text.replace(at, from.size(), to));
}

}  // namespace testing_support
