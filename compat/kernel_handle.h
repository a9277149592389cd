// A kernel object's handle that is null when it holds nothing: a thread's (the only kind the host
// knows), and on Windows a process's or a job's. Files and searches say "nothing" otherwise
// (compat/windows/file_handles.h).
#pragma once

#include "compat/threads.h"
#include "compat/unique_handle.h"

struct KernelHandleTraits {
  using Handle = HANDLE;
  static Handle Empty() { return nullptr; }
  static void Close(Handle handle) { ::CloseHandle(handle); }
};
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
