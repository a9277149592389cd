#include <windows.h>

#include "tools/gamecheck/folder_access.h"

namespace folder_access {

bool ChangeDirectory(const std::string& path) { return ::SetCurrentDirectoryA(path.c_str()) != 0; }

std::string CurrentDirectory() {
  char path[MAX_PATH] = {};
  const DWORD length = ::GetCurrentDirectoryA(sizeof path, path);
  return length > 0 && length < sizeof path ? path : "";
}

bool IsDirectory(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool IsFile(const std::string& path, long long* size) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
  if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  if (size != nullptr) {
    *size = static_cast<long long>((static_cast<unsigned long long>(data.nFileSizeHigh) << 32) |
                                   data.nFileSizeLow);
  }
  return true;
}

bool MoveReplacing(const std::string& from, const std::string& to) {
  return ::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
}

}  // namespace folder_access
