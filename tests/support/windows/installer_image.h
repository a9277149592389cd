// The test bed's stand-in Flash installer as the tests' loopback servers serve it: its program
// with the line appended that picks what it does (testbed/installer_trailer.h).
#pragma once

#include <filesystem>
#include <string>

#include "testbed/installer_trailer.h"
#include "tests/support/test_support.h"

namespace testing_support {

// Every test program that serves the installer is given LAUNCHER_BINARY_DIR, the build tree.
inline std::string InstallerImage(const std::string& mode, int mainMs = 300, int installingMs = 300,
                                  int lingerMs = 20000) {
  return ReadFile(std::filesystem::path(LAUNCHER_BINARY_DIR) / "testbed" / "FlashInstaller.exe") +
         InstallerTrailer(mode, mainMs, installingMs, lingerMs);
}

}  // namespace testing_support
