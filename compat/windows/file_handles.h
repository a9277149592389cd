// An open file and an open directory search, each closed with its owner. Both say "nothing" with
// INVALID_HANDLE_VALUE, not null. Windows only.
#pragma once

#include <windows.h>

#include "compat/unique_handle.h"

struct FileHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle file) { ::CloseHandle(file); }
};
using UniqueFileHandle = UniqueHandle<FileHandleTraits>;

struct FindHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return INVALID_HANDLE_VALUE; }
  static void Close(Handle search) { ::FindClose(search); }
};
using UniqueFindHandle = UniqueHandle<FindHandleTraits>;
