#include "tests/support/test_support.h"

#include <atomic>
#include <chrono>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace testing_support {

TempDir::TempDir() {
  static std::atomic<unsigned> counter{0};
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  for (;;) {
    fs::path candidate = fs::temp_directory_path() / ("launcher-test-" + std::to_string(stamp) +
                                                      "-" + std::to_string(counter.fetch_add(1)));
    std::error_code error;
    if (fs::create_directory(candidate, error)) {
      path_ = candidate;
      return;
    }
  }
}

TempDir::~TempDir() {
  std::error_code error;
  fs::remove_all(path_, error);
}

std::string TempDir::operator/(const std::string& relative) const {
  return (path_ / relative).string();
}

ScopedCurrentDir::ScopedCurrentDir(const fs::path& dir) : previous_(fs::current_path()) {
  fs::current_path(dir);
}

ScopedCurrentDir::~ScopedCurrentDir() {
  std::error_code error;
  fs::current_path(previous_, error);
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  if (path.has_parent_path()) fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

bool FileExists(const fs::path& path) {
  std::error_code error;
  return fs::exists(path, error);
}

fs::path TestDataDir() {
  fs::path dir = LAUNCHER_TESTDATA_DIR;
  std::error_code error;
  return fs::is_directory(dir, error) ? dir : fs::path();
}

}  // namespace testing_support
