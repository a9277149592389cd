// Host file systems tell letter case apart; the game folders this code reads were made for one
// that does not.
#include "compat/path_case.h"

#include <filesystem>
#include <system_error>

#include "compat/ascii_case.h"

namespace fs = std::filesystem;

namespace compat {

namespace {

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty()) return name;
  return folder.back() == '/' ? folder + name : folder + "/" + name;
}

// `part` inside `folder` as it exists on disk, or empty when neither it nor a twin differing only
// in letter case exists.
std::string FindPart(const std::string& folder, const std::string& part) {
  std::error_code error;
  if (fs::exists(fs::path(Join(folder, part)), error)) return Join(folder, part);
  fs::directory_iterator entries(fs::path(folder.empty() ? "." : folder), error);
  if (error) return {};
  for (const fs::directory_entry& entry : entries) {
    const std::string name = entry.path().filename().string();
    if (compat::EqualIgnoringCase(name, part)) return Join(folder, name);
  }
  return {};
}

}  // namespace

std::string FindPathIgnoringCase(const std::string& path) {
  std::string written = path;
  for (char& c : written) {
    if (c == '\\') c = '/';
  }
  std::string found = !written.empty() && written[0] == '/' ? "/" : "";
  size_t start = 0;
  while (start < written.size()) {
    size_t end = written.find('/', start);
    if (end == std::string::npos) end = written.size();
    const std::string part = written.substr(start, end - start);
    start = end + 1;
    if (part.empty()) continue;
    found = FindPart(found, part);
    if (found.empty()) return written;
  }
  return found.empty() ? written : found;
}

}  // namespace compat
