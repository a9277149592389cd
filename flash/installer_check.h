// What a downloaded Flash installer must be before the launcher writes or starts it: a Windows
// program, and, when the game folder pins one, exactly the installer whose digest it names. Anyone
// on the path to the download address could otherwise have a program of their choice started.
#pragma once

#include "data/installer_pin.h"

enum class InstallerVerdict {
  kAccepted,
  kNotAProgram,        // no "MZ" header, or no "PE\0\0" signature where it points
  kPinMalformed,       // the pin is not 64 hex digits: nothing is accepted
  kDigestUnavailable,  // a pin is set and the system could not compute the digest
  kDigestMismatch,
};

// True when `bytes` begins with "MZ" and the "PE\0\0" signature lies, whole, at the offset the DOS
// header names.
bool LooksLikeWindowsProgram(const char* bytes, int size);

InstallerVerdict CheckDownloadedInstaller(const char* bytes, int size, const InstallerPin& pin);

// One line for the log: why the installer was refused.
const char* InstallerVerdictText(InstallerVerdict verdict);
