#include "tools/support/scratch_log.h"

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

ScratchLog::ScratchLog() {
  folder_ = MakePrivateFolder();
  if (folder_.empty()) return;
  const std::filesystem::path file = folder_ / "debug.log";
  if (diagnostics::SetLogFile(file.string().c_str())) file_ = file;
}

ScratchLog::~ScratchLog() {
  if (!file_.empty()) diagnostics::SetLogFile(nullptr);
  std::error_code error;
  if (!folder_.empty()) std::filesystem::remove_all(folder_, error);
}

std::string ScratchLog::LoggedText() const {
  std::ifstream log(file_);
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
