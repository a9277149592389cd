// A private copy of the sample game folder, in a temporary folder removed afterwards, so every
// test may delete, change and record files without touching the build's folder.
#pragma once

#include <filesystem>
#include <string>

#include "tests/support/test_support.h"

namespace testing_support {

// The sample game folder the tests copy: the one the Windows tree assembles, or on the host the
// one assembled for gamecheck's tests (art, settings and links, with empty stand-in programs).
std::filesystem::path SampleGameDir();

// Copies the folder `from` to the new folder `to`, recursively.
void CopyFolder(const std::filesystem::path& from, const std::filesystem::path& to);

class GameCopy {
 public:
  // Copies the whole sample folder into `subfolder` of a fresh temporary folder, without the
  // records that earlier runs in the build's folder left there.
  explicit GameCopy(const std::string& subfolder = "game");
  GameCopy(const GameCopy&) = delete;
  GameCopy& operator=(const GameCopy&) = delete;

  const std::filesystem::path& dir() const { return dir_; }
  // `relative` inside the copy (either separator).
  std::filesystem::path operator/(const std::string& relative) const;
  // The copy's folder as narrow text, without trailing separator.
  std::string Text() const { return dir_.string(); }

  // The file must be there: a test that removes a file the folder never had tests nothing.
  void Remove(const std::string& relative) const;
  void Write(const std::string& relative, const std::string& bytes) const;
  std::string Read(const std::string& relative) const;
  // Replaces the first `from` in the file with `to`; `from` must be there.
  void Replace(const std::string& relative, const std::string& from, const std::string& to) const;

  // The temporary folder the copy lives in (for further folders beside it).
  const TempDir& temp() const { return temp_; }

 private:
  TempDir temp_;
  std::filesystem::path dir_;
};

}  // namespace testing_support
