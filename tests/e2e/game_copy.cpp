#include "game_copy.h"

#include <gtest/gtest.h>

namespace fs = std::filesystem;

namespace e2e {

fs::path AssembledGameDir() { return fs::path(E2E_GAME_DIR); }

void CopyFolder(const fs::path& from, const fs::path& to) {
  if (to.has_parent_path()) fs::create_directories(to.parent_path());
  fs::copy(from, to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
}

GameCopy::GameCopy(const std::string& subfolder) : dir_(temp_.path() / subfolder) {
  const fs::path source = AssembledGameDir();
  if (!fs::exists(source / "Play.exe")) {
    ADD_FAILURE() << "no assembled game folder at " << source.string()
                  << " (build the target 'game')";
  }
  CopyFolder(source, dir_);
  // Logs of earlier runs in the build's folder must not count as this run's.
  for (const char* log : {"RozeVazed.log", "Tools/HorseCheck.log", "debug.log",
                          "standin-flash.log", "standin-browser.log"}) {
    std::error_code ignored;
    fs::remove(dir_ / fs::path(log).make_preferred(), ignored);
  }
}

fs::path GameCopy::operator/(const std::string& relative) const {
  return dir_ / fs::path(relative).make_preferred();
}

std::string GameCopy::Text() const { return dir_.string(); }

void GameCopy::Remove(const std::string& relative) const {
  std::error_code error;
  fs::remove(*this / relative, error);
  EXPECT_FALSE(error) << "cannot remove " << relative;
}

void GameCopy::Write(const std::string& relative, const std::string& bytes) const {
  testing_support::WriteFile(*this / relative, bytes);
}

std::string GameCopy::Read(const std::string& relative) const {
  return testing_support::ReadFile(*this / relative);
}

void SetGraphicDetail(const GameCopy& game, const std::string& value) {
  std::string settings = game.Read("ini/GameSetUp.ini");
  const std::string key = "GraphicDetail=";
  const size_t at = settings.find(key);
  ASSERT_NE(at, std::string::npos) << "no GraphicDetail in ini/GameSetUp.ini";
  const size_t end = settings.find_first_of("\r\n", at);
  settings.replace(at, end - at, key + value);
  game.Write("ini/GameSetUp.ini", settings);
}

}  // namespace e2e
