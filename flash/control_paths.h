// Where the start-up Flash check looks for and installs the Flash control: every path in a
// 260-byte buffer (the platform's path limit), joined as "%s%s" from a directory the system gives
// and a fixed suffix. Named here, not in app/startup_files.h above, because the check in flash/
// opens them.
#pragma once

constexpr int kControlPathSize = 260;

// Under the system directory: the installed control, and the folder it lives in.
constexpr const char* kControlTargetSuffix = "\\Macromed\\Flash\\Flash9f.ocx";
constexpr const char* kControlDirectorySuffix = "\\Macromed\\Flash\\";
// Under the current directory: the control file the game ships.
constexpr const char* kControlSourceSuffix = "\\flash.ocx";

// Writes directory + suffix into `path` and returns true. A directory too long for the buffer, or
// none, leaves `path` empty and returns false: a cut path would name some other file.
bool JoinControlPath(char (&path)[kControlPathSize], const char* directory, const char* suffix);

// The name the control is copied to when the installed one cannot be overwritten:
// <system directory>\Macromed\Flash\Flash9f_<number>.ocx, the number in decimal without leading
// zeros. Refused like JoinControlPath.
bool AlternativeControlPath(char (&path)[kControlPathSize], const char* systemDirectory,
                            int number);
