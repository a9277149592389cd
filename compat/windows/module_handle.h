// A loaded module, unloaded with its owner. Windows only.
#pragma once

#include <windows.h>

#include "compat/unique_handle.h"

struct ModuleTraits {
  using Handle = HMODULE;
  static Handle Empty() { return nullptr; }
  static void Close(Handle module) { ::FreeLibrary(module); }
};
using UniqueModule = UniqueHandle<ModuleTraits>;
