#include "scratch_folder.h"

#include <chrono>
#include <fstream>
#include <random>
#include <sstream>
#include <system_error>

#include "diag/diagnostics.h"

namespace {

// " -- " and the 24 characters of the ctime stamp that close every record.
constexpr size_t kStampLength = 4 + 24;

std::filesystem::path MakePrivateFolder() {
  std::error_code error;
  const std::filesystem::path base = std::filesystem::temp_directory_path(error);
  if (error) return {};
  std::random_device seed;
  std::mt19937_64 random(seed() ^ static_cast<unsigned long long>(
                                       std::chrono::steady_clock::now().time_since_epoch().count()));
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path folder = base / ("launcher-scratch-" + std::to_string(random()));
    if (std::filesystem::create_directory(folder, error)) return folder;
  }
  return {};
}

}  // namespace

ScratchFolder::ScratchFolder() {
  std::error_code error;
  previous_ = std::filesystem::current_path(error);
  if (error) return;
  folder_ = MakePrivateFolder();
  if (folder_.empty()) return;
  std::filesystem::current_path(folder_, error);
  if (error) {
    std::filesystem::remove_all(folder_, error);
    folder_.clear();
  }
}

ScratchFolder::~ScratchFolder() {
  if (folder_.empty()) return;
  std::error_code error;
  std::filesystem::current_path(previous_, error);
  std::filesystem::remove_all(folder_, error);
}

void ScratchFolder::Place(const std::string& source, const char* relativeName) {
  const std::filesystem::path target = folder_ / relativeName;
  std::error_code error;
  std::filesystem::create_directories(target.parent_path(), error);
  std::filesystem::copy_file(previous_ / source, target, error);
}

std::string ScratchFolder::LoggedText() const {
  // The log is wherever the parsers write it: debug.log in this folder unless named elsewhere.
  std::ifstream log(folder_ / diagnostics::LogFile());
  std::stringstream contents;
  contents << log.rdbuf();
  std::string text = contents.str();
  // A load logs at most one record; its text may itself hold line feeds.
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  if (text.size() >= kStampLength && text.compare(text.size() - kStampLength, 4, " -- ") == 0) {
    text.resize(text.size() - kStampLength);
  }
  return text;
}
