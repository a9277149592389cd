// A private copy of the assembled sample game folder, in a temporary folder removed afterwards, so
// every test may delete, change and record files without touching the build's folder.
#pragma once

#include <filesystem>
#include <string>

#include "test_support.h"

namespace e2e {

// The assembled game folder as a Windows path.
std::filesystem::path AssembledGameDir();

class GameCopy {
 public:
  // Copies the whole game folder into `subfolder` of a fresh temporary folder (the copy's folder
  // name may be long; the copy is created with wide-character calls).
  explicit GameCopy(const std::string& subfolder = "game");
  GameCopy(const GameCopy&) = delete;
  GameCopy& operator=(const GameCopy&) = delete;

  const std::filesystem::path& dir() const { return dir_; }
  // `relative` inside the copy (either separator).
  std::filesystem::path operator/(const std::string& relative) const;
  // The copy's folder as narrow text, without trailing backslash.
  std::string Text() const;

  void Remove(const std::string& relative) const;
  void Write(const std::string& relative, const std::string& bytes) const;
  std::string Read(const std::string& relative) const;
  // The temporary folder the copy lives in (for further folders beside it).
  const testing_support::TempDir& temp() const { return temp_; }

 private:
  testing_support::TempDir temp_;
  std::filesystem::path dir_;
};

// Changes the copy's "GraphicDetail" in ini/GameSetUp.ini to `value`, keeping the rest of the
// file, so that the launcher's own write of it can be seen.
void SetGraphicDetail(const GameCopy& game, const std::string& value);

// Copies the folder `from` to the new folder `to`, recursively.
void CopyFolder(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace e2e
