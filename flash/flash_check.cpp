#include "flash/flash_check.h"

#include <windows.h>
#include <ole2.h>

#include <cstdlib>

#include "compat/com_ptr.h"
#include "compat/windows/registry_key.h"
#include "flash/control_files.h"
#include "flash/control_paths.h"
#include "flash/shockwave_flash.h"

namespace {

// {D27CDB6C-AE6D-11CF-96B8-444553540000}: the control's primary (dual) interface.
const IID kFlashInterfaceId = {
    0xD27CDB6C, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
// The version query's place in that interface's table: after the three operations of IUnknown,
// the four of IDispatch and 32 more of the control's own.
constexpr int kVersionQuerySlot = 39;
using VersionQuery = HRESULT(STDMETHODCALLTYPE*)(IUnknown* self, long* version);

// Flash Player's own record of the versions it counts as safe: it speaks for a control that is
// gone when none can be created, so it goes before the game's control is installed.
constexpr const char* kSafeVersionsKey = "Software\\Macromedia\\FlashPlayer\\SafeVersions";

void ForgetSafeVersions() {
  const UniqueRegistryKey key =
      OpenRegistryKey(HKEY_LOCAL_MACHINE, kSafeVersionsKey, KEY_ALL_ACCESS);
  if (!key) return;
  ::RegDeleteValueA(key.get(), "10.0");
  ::RegDeleteValueA(key.get(), "9.0");
}

// The system's answer is refused when it does not fit, so no path is built on a cut directory.
bool SystemDirectory(char (&directory)[kControlPathSize]) {
  const UINT length = ::GetSystemDirectoryA(directory, sizeof directory);
  return length > 0 && length < sizeof directory;
}

bool CurrentDirectory(char (&directory)[kControlPathSize]) {
  const DWORD length = ::GetCurrentDirectoryA(sizeof directory, directory);
  return length > 0 && length < sizeof directory;
}

int RunCheck() {
  const int version = QueryFlashVersion();
  if (version >= kFlashVersion9) return 1;
  if (version == 0) ForgetSafeVersions();

  char systemDirectory[kControlPathSize];
  char target[kControlPathSize];
  if (!SystemDirectory(systemDirectory) ||
      !JoinControlPath(target, systemDirectory, kControlTargetSuffix)) {
    return 0;
  }
  if (ProbePath(target, nullptr, nullptr) && RegisterControlFile(target) == 1) return 1;

  char controlDirectory[kControlPathSize];
  if (JoinControlPath(controlDirectory, systemDirectory, kControlDirectorySuffix)) {
    MakeDirectories(controlDirectory);
  }

  char currentDirectory[kControlPathSize];
  char source[kControlPathSize];
  if (!CurrentDirectory(currentDirectory) ||
      !JoinControlPath(source, currentDirectory, kControlSourceSuffix)) {
    return 0;
  }
  if (::CopyFileA(source, target, FALSE)) return RegisterControlFile(target);

  // The installed file cannot be overwritten (it may be in use): a name of its own beside it.
  char alternative[kControlPathSize];
  if (!AlternativeControlPath(alternative, systemDirectory, std::rand() % 100)) return 0;
  if (::CopyFileA(source, alternative, FALSE)) return RegisterControlFile(alternative);
  return 0;
}

}  // namespace

FlashCheck::~FlashCheck() = default;

int FlashCheck::CheckFlashControl() { return RunCheck(); }

int QueryFlashVersion() {
  if (FAILED(::CoInitialize(nullptr))) return 0;
  ComPtr<IUnknown> control;
  if (FAILED(::CoCreateInstance(CShockwaveFlash::kClassId, nullptr, CLSCTX_INPROC_SERVER,
                                kFlashInterfaceId, control.putVoid()))) {
    ::CoUninitialize();
    return 0;
  }
  if (!control) return 0;
  void** const table = *reinterpret_cast<void***>(control.get());
  const auto query = reinterpret_cast<VersionQuery>(table[kVersionQuerySlot]);
  long version = 0;
  // A control that is there but cannot tell its version counts as an old one.
  if (FAILED(query(control.get(), &version))) return kUnansweredFlashVersion;
  return static_cast<int>(version);
}
