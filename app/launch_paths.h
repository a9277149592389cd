// Paths of the programs the launcher starts, built from the launcher's own executable path in
// fixed 260-byte buffers.
#pragma once

#include <cstddef>

constexpr size_t kPathBufferSize = 260;

// The command line the game's patcher (kPatcherName of app/startup_files.h) is given.
constexpr const char* kPatcherCommandLine = "blacknull";

// The folder of `modulePath`: the text up to its last backslash, with that backslash kept when
// `keepSeparator` is true. A text without a backslash stays whole.
void LauncherFolder(const char* modulePath, bool keepSeparator, char (&folder)[kPathBufferSize]);

// `folder` followed by `name`. Paths of 260 bytes or more do not fit the platform's limit: the
// result is then false and `path` empty, so nothing is started under a truncated name.
bool JoinProgramPath(const char* folder, const char* name, char (&path)[kPathBufferSize]);
