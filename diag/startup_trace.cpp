#include "diag/startup_trace.h"

#include <windows.h>

#include <cstdio>

namespace {

constexpr const char* kTraceVariable = "LAUNCHER_STARTUP_TRACE";

struct Trace {
  std::FILE* file = nullptr;  // null: tracing is off
  // The counter's reading at the first step, and how long after the process's creation that was.
  LARGE_INTEGER firstCount{};
  LARGE_INTEGER frequency{};
  double firstMs = 0;
};

// Milliseconds from the process's creation until now, on the system clock (coarse, but it is
// read once; later steps add the high-resolution counter's difference).
double MsSinceCreation() {
  FILETIME created, exited, kernel, user, now;
  if (!::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user)) return 0;
  ::GetSystemTimeAsFileTime(&now);
  ULARGE_INTEGER a, b;
  a.LowPart = created.dwLowDateTime;
  a.HighPart = created.dwHighDateTime;
  b.LowPart = now.dwLowDateTime;
  b.HighPart = now.dwHighDateTime;
  return b.QuadPart > a.QuadPart ? static_cast<double>(b.QuadPart - a.QuadPart) / 10000.0 : 0;
}

Trace& OpenTrace() {
  static Trace trace = [] {
    Trace opened;
    char path[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableA(kTraceVariable, path, sizeof path);
    if (length == 0 || length >= sizeof path) return opened;
    opened.file = std::fopen(path, "a");
    ::QueryPerformanceFrequency(&opened.frequency);
    ::QueryPerformanceCounter(&opened.firstCount);
    opened.firstMs = MsSinceCreation();
    return opened;
  }();
  return trace;
}

}  // namespace

void StartupTrace(const char* step) {
  Trace& trace = OpenTrace();
  if (trace.file == nullptr) return;
  LARGE_INTEGER count;
  ::QueryPerformanceCounter(&count);
  const double ms =
      trace.firstMs + 1000.0 * static_cast<double>(count.QuadPart - trace.firstCount.QuadPart) /
                          static_cast<double>(trace.frequency.QuadPart);
  std::fprintf(trace.file, "%.2f %s\n", ms, step);
  std::fflush(trace.file);
}
