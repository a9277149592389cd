#include "app/launch_paths.h"

#include <cstdio>
#include <cstring>

void LauncherFolder(const char* modulePath, bool keepSeparator, char (&folder)[kPathBufferSize]) {
  std::memset(folder, 0, sizeof folder);
  std::strncpy(folder, modulePath ? modulePath : "", sizeof folder - 1);
  char* separator = std::strrchr(folder, '\\');
  if (separator == nullptr) return;
  separator[keepSeparator ? 1 : 0] = '\0';
}

bool JoinProgramPath(const char* folder, const char* name, char (&path)[kPathBufferSize]) {
  std::memset(path, 0, sizeof path);
  const int length = std::snprintf(path, sizeof path, "%s%s", folder, name);
  if (length < 0 || static_cast<size_t>(length) >= sizeof path) {
    std::memset(path, 0, sizeof path);
    return false;
  }
  return true;
}
