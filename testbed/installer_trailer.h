// How one served file chooses what the stand-in Flash installer does: a line appended after the
// program image (the loader ignores it), which the stand-in reads back from its own file.
//
//   "\nSTANDIN-INSTALLER <mode> <main ms> <installing ms> <linger ms>\n"
//
// Modes: "install" shows the main window, then the installing one, then the finished one;
// "outdated" shows the main window with the out-of-date warning; "quiet" shows nothing and ends.
// The durations are those of the main and installing windows; the last window waits up to the
// linger time for the launcher's WM_QUIT before it gives up.
#pragma once

#include <string>

constexpr const char* kInstallerTrailerMark = "\nSTANDIN-INSTALLER ";
// Where the stand-in looks for its line: the end of its own file.
constexpr int kInstallerTrailerSearch = 256;

inline std::string InstallerTrailer(const std::string& mode, int mainMs, int installingMs,
                                    int lingerMs) {
  return kInstallerTrailerMark + mode + " " + std::to_string(mainMs) + " " +
         std::to_string(installingMs) + " " + std::to_string(lingerMs) + "\n";
}
