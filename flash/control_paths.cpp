#include "flash/control_paths.h"

#include <cstdio>
#include <cstring>

bool JoinControlPath(char (&path)[kControlPathSize], const char* directory, const char* suffix) {
  path[0] = '\0';
  if (directory == nullptr || suffix == nullptr) return false;
  const size_t directoryLength = std::strlen(directory);
  const size_t suffixLength = std::strlen(suffix);
  if (directoryLength + suffixLength >= sizeof path) return false;
  std::memcpy(path, directory, directoryLength);
  std::memcpy(path + directoryLength, suffix, suffixLength + 1);
  return true;
}

bool AlternativeControlPath(char (&path)[kControlPathSize], const char* systemDirectory,
                            int number) {
  path[0] = '\0';
  if (systemDirectory == nullptr) return false;
  const int length = std::snprintf(path, sizeof path, "%s\\Macromed\\Flash\\Flash9f_%d.ocx",
                                   systemDirectory, number);
  if (length < 0 || length >= static_cast<int>(sizeof path)) {
    path[0] = '\0';
    return false;
  }
  return true;
}
