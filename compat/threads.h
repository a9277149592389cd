// Kernel threads and critical sections under their Windows names.
//
// On Windows this is <windows.h> itself. On the host, threads run on std::thread and a critical
// section is a recursive pthread mutex (a thread may enter one it already holds, as on Windows).
// The only handles the host knows are thread handles: CloseHandle takes nothing else.
#pragma once

#include "compat/platform.h"

#ifndef _WIN32

#include <pthread.h>

#include <cstddef>

#ifndef WINAPI
#define WINAPI
#endif
typedef void* LPVOID;
typedef DWORD* LPDWORD;
typedef std::size_t SIZE_T;
typedef DWORD(WINAPI* LPTHREAD_START_ROUTINE)(LPVOID parameter);
struct SECURITY_ATTRIBUTES;
typedef SECURITY_ATTRIBUTES* LPSECURITY_ATTRIBUTES;

#define INFINITE 0xFFFFFFFFu
#define WAIT_OBJECT_0 0x00000000u
#define WAIT_TIMEOUT 0x00000102u
#define WAIT_FAILED 0xFFFFFFFFu
#define STILL_ACTIVE 259u

// Security attributes and stack size are ignored; creation flags must be 0 (the thread runs at
// once); the thread id, when asked for, is a small counter.
HANDLE CreateThread(LPSECURITY_ATTRIBUTES security, SIZE_T stackSize, LPTHREAD_START_ROUTINE start,
                    LPVOID parameter, DWORD flags, LPDWORD threadId);
DWORD WaitForSingleObject(HANDLE thread, DWORD milliseconds);
BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode);
BOOL CloseHandle(HANDLE thread);

struct CRITICAL_SECTION {
  pthread_mutex_t mutex;
};
typedef CRITICAL_SECTION* LPCRITICAL_SECTION;

void InitializeCriticalSection(LPCRITICAL_SECTION section);
void EnterCriticalSection(LPCRITICAL_SECTION section);
void LeaveCriticalSection(LPCRITICAL_SECTION section);
void DeleteCriticalSection(LPCRITICAL_SECTION section);

#endif
