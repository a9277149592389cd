// The file work of the start-up Flash check: whether a path exists, making the folders of a path,
// and registering a control file through its own registration entry point.
#pragma once
#include <windows.h>

// 1 when the file loads, exports "DllRegisterServer" and that entry point reports success (a
// result of 0 or more); 0 otherwise, and for a null path. The file is unloaded again either way.
int RegisterControlFile(const char* path);

// Whether `path` names an existing file or folder. For a folder `isDirectory` becomes true and
// `size` 0; for a file `isDirectory` false and `size` the low 32 bits of its size. Either pointer
// may be null. A path ending with a backslash is never found.
bool ProbePath(const char* path, bool* isDirectory, DWORD* size);

// Creates every missing folder of `path`, which ends with a backslash (a drive root's own
// backslash is skipped). True when the path was there already or every level now exists.
bool MakeDirectories(const char* path);
