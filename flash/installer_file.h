// The downloaded Flash Player installer on disk: written whole, then started minimised without
// taking the focus from the launcher.
#pragma once
#include <windows.h>

// Creates (or truncates) `path` and writes `size` bytes of `bytes` to it. When any of it cannot be
// written, the partial file is deleted and the result is false: nothing may run a cut installer.
bool WriteInstallerFile(const char* path, const char* bytes, int size);

// Starts `path` with no command line, in the launcher's environment and current directory,
// minimised and not activated, and lets go of it at once. An installer that asks for elevation
// cannot be started directly (ERROR_ELEVATION_REQUIRED); it is then started through the shell's
// "runas" verb with the same show command. True when the program was started either way.
bool StartInstaller(const char* path);

// For tests only: the process creation StartInstaller calls (null puts back CreateProcessA), so
// a test can make it fail as it does for an installer that needs elevation.
using InstallerCreateProcess = decltype(&::CreateProcessA);
void SetInstallerCreateProcessForTesting(InstallerCreateProcess createProcess);
