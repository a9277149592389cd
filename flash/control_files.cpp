#include "flash/control_files.h"

#include <direct.h>

#include <cstring>

#include "compat/windows/file_handles.h"
#include "compat/windows/module_handle.h"
#include "flash/control_paths.h"

namespace {

using RegisterServerEntry = HRESULT(STDAPICALLTYPE*)();

}  // namespace

int RegisterControlFile(const char* path) {
  if (path == nullptr) return 0;
  const UniqueModule module(::LoadLibraryA(path));
  if (!module) return 0;
  const auto registerServer = reinterpret_cast<RegisterServerEntry>(
      reinterpret_cast<void (*)()>(::GetProcAddress(module.get(), "DllRegisterServer")));
  if (registerServer == nullptr) return 0;
  return registerServer() >= 0 ? 1 : 0;
}

bool ProbePath(const char* path, bool* isDirectory, DWORD* size) {
  WIN32_FIND_DATAA found;
  const UniqueFindHandle search(::FindFirstFileA(path, &found));
  if (!search) return false;
  const bool directory = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  if (isDirectory != nullptr) *isDirectory = directory;
  if (size != nullptr) *size = directory ? 0 : found.nFileSizeLow;
  return true;
}

bool MakeDirectories(const char* path) {
  if (path == nullptr) return false;
  if (ProbePath(path, nullptr, nullptr)) return true;
  const char* last = std::strrchr(path, '\\');
  const char* pos = std::strchr(path, '\\');
  // "C:\" itself cannot be made: the walk starts at the next level.
  if (pos != nullptr && pos > path && pos[-1] == ':') pos = std::strchr(pos + 1, '\\');
  while (pos != nullptr && pos <= last) {
    char level[kControlPathSize];
    const size_t length = static_cast<size_t>(pos - path) + 1;
    if (length >= sizeof level) return false;  // refused whole, never cut to another folder
    std::memcpy(level, path, length);
    level[length] = '\0';
    if (_mkdir(level) != 0 && ::GetLastError() != ERROR_ALREADY_EXISTS) return false;
    pos = std::strchr(pos + 1, '\\');
  }
  return true;
}
