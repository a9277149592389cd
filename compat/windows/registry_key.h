// An open registry key, closed with its owner. Windows only.
#pragma once

#include <windows.h>

#include "compat/unique_handle.h"

struct RegistryKeyTraits {
  using Handle = HKEY;
  static Handle Empty() { return nullptr; }
  static void Close(Handle key) { ::RegCloseKey(key); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyTraits>;

// The key `subkey` of `root`, opened or (Create) made with `access`; empty when that fails, with
// the system's answer in `*status` when one is asked for. The handle is taken only on success:
// what the system leaves in its out-parameter on failure is never closed.
inline UniqueRegistryKey OpenRegistryKey(HKEY root, const char* subkey, REGSAM access,
                                         LONG* status = nullptr) {
  HKEY key = nullptr;
  const LONG result = ::RegOpenKeyExA(root, subkey, 0, access, &key);
  if (status != nullptr) *status = result;
  return result == ERROR_SUCCESS ? UniqueRegistryKey(key) : UniqueRegistryKey();
}

inline UniqueRegistryKey CreateRegistryKey(HKEY root, const char* subkey, REGSAM access,
                                           LONG* status = nullptr) {
  HKEY key = nullptr;
  const LONG result =
      ::RegCreateKeyExA(root, subkey, 0, nullptr, 0, access, nullptr, &key, nullptr);
  if (status != nullptr) *status = result;
  return result == ERROR_SUCCESS ? UniqueRegistryKey(key) : UniqueRegistryKey();
}
