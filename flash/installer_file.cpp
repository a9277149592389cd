#include "flash/installer_file.h"

#include <shellapi.h>

#include "compat/kernel_handle.h"
#include "framework/stdio_file.h"

namespace {

InstallerCreateProcess g_createProcess = nullptr;

// The show command the installer gets on either way of starting it.
constexpr WORD kInstallerShow = SW_SHOWMINNOACTIVE;
// The system's answer to starting a program that asks for elevation (MinGW's headers lack the
// name).
constexpr DWORD kErrorElevationRequired = 740;

}  // namespace

bool WriteInstallerFile(const char* path, const char* bytes, int size) {
  if (path == nullptr || bytes == nullptr || size < 0) return false;
  CStdioFile file;
  if (!file.Open(path, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary)) return false;
  const bool written = file.Write(bytes, static_cast<unsigned>(size));
  if (file.Close() && written) return true;
  ::DeleteFileA(path);
  return false;
}

bool StartInstaller(const char* path) {
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = kInstallerShow;
  PROCESS_INFORMATION process{};
  InstallerCreateProcess createProcess = g_createProcess ? g_createProcess : ::CreateProcessA;
  if (createProcess(path, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                    &process)) {
    // Nobody waits for it: both handles go at once, the thread's first.
    const UniqueKernelHandle processHandle(process.hProcess);
    const UniqueKernelHandle threadHandle(process.hThread);
    return true;
  }
  if (::GetLastError() != kErrorElevationRequired) return false;
  SHELLEXECUTEINFOA shell{};
  shell.cbSize = sizeof shell;
  // The launcher reports no failure of its own here, so the shell shows none either.
  shell.fMask = SEE_MASK_FLAG_NO_UI;
  shell.lpVerb = "runas";
  shell.lpFile = path;
  shell.nShow = kInstallerShow;
  return ::ShellExecuteExA(&shell) != FALSE;
}

void SetInstallerCreateProcessForTesting(InstallerCreateProcess createProcess) {
  g_createProcess = createProcess;
}
