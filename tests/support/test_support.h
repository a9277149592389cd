// Small helpers shared by the tests of both trees.
#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// A fresh directory under the system's temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // `relative` below this directory, as a narrow native path.
  std::string operator/(const std::string& relative) const;

 private:
  std::filesystem::path path_;
};

// Makes `dir` the current directory for the object's life.
class ScopedCurrentDir {
 public:
  explicit ScopedCurrentDir(const std::filesystem::path& dir);
  ~ScopedCurrentDir();
  ScopedCurrentDir(const ScopedCurrentDir&) = delete;
  ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

 private:
  std::filesystem::path previous_;
};

// Writes `bytes` to `path`, creating parent folders.
void WriteFile(const std::filesystem::path& path, const std::string& bytes);
// The whole file, or an empty string when it cannot be read.
std::string ReadFile(const std::filesystem::path& path);
bool FileExists(const std::filesystem::path& path);

// The outside test corpora, or an empty path when they are absent.
std::filesystem::path TestDataDir();

}  // namespace testing_support
