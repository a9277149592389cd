#include <sys/stat.h>
#include <unistd.h>

#include <climits>
#include <cstdio>

#include "tools/gamecheck/folder_access.h"

namespace folder_access {

bool ChangeDirectory(const std::string& path) { return ::chdir(path.c_str()) == 0; }

std::string CurrentDirectory() {
  char path[PATH_MAX];
  return ::getcwd(path, sizeof path) != nullptr ? path : "";
}

bool IsDirectory(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool IsFile(const std::string& path, long long* size) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0 || S_ISDIR(info.st_mode)) return false;
  if (size != nullptr) *size = static_cast<long long>(info.st_size);
  return true;
}

bool MoveReplacing(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

}  // namespace folder_access
