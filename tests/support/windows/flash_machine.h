// The machine's side of the Flash Player control, as the tests of the start-up check and of a
// first start see it: its registration, the files installed under the system folder, Flash
// Player's safe-versions record and the stand-in control's own settings.
#pragma once
#include <windows.h>

#include <string>

namespace testing_support {

// The Flash Player control's class key under HKEY_CLASSES_ROOT.
constexpr const char* kFlashClassKey = "CLSID\\{D27CDB6E-AE6D-11CF-96B8-444553540000}";
constexpr const char* kFlashProgIdKey = "ShockwaveFlash.ShockwaveFlash";
constexpr const char* kSafeVersionsKey = "Software\\Macromedia\\FlashPlayer\\SafeVersions";
// Where the stand-in control reads what it is told to do (DWORD values).
constexpr const char* kStandInSettingsKey = "Software\\LauncherTestbed\\FlashControl";

// True inside a Wine prefix made for one group of tests (tests/flash/own-prefix marks it): the
// tests that install and unregister the Flash control run only there.
bool InOwnPrefix();

// The machine as if no Flash control had ever been installed: no registration, no safe-versions
// record, nothing under <system folder>\Macromed, and the stand-in at its defaults.
void ForgetFlashControl();

// GetSystemDirectoryA's answer.
std::string SystemDirectory();
// <system folder>\Macromed\Flash\<name>.
std::string InstalledControl(const std::string& name);

// The file registered as the control's in-process server, or "" when none is.
std::string RegisteredFlashServer();
// Registered, and its file is there.
bool FlashControlRegistered();

// Every key, value name, type and value below `root`\`path`, one a line, or "" when the key is
// missing: two listings compare equal exactly when nothing there changed.
std::string RegistryListing(HKEY root, const std::string& path);
// Every file and folder below `folder`, with size and last write time, one a line; "" when the
// folder is missing.
std::string FolderListing(const std::string& folder);

void SetStandInSetting(const char* name, DWORD value);
// A stand-in setting for the object's life: what was there before (or nothing) comes back after.
class ScopedStandInSetting {
 public:
  ScopedStandInSetting(const char* name, DWORD value);
  ~ScopedStandInSetting();
  ScopedStandInSetting(const ScopedStandInSetting&) = delete;
  ScopedStandInSetting& operator=(const ScopedStandInSetting&) = delete;

 private:
  const char* name_;
  DWORD previous_ = 0;
  bool had_ = false;
};
// Writes both of Flash Player's safe-version values ("10.0" and "9.0") and `extra`, if given.
void WriteSafeVersions(const char* extra = nullptr);
// The value names under the safe-versions key, sorted and joined with spaces; "(no key)" when the
// key is missing.
std::string SafeVersionNames();

}  // namespace testing_support
