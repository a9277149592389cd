// Host versions of the kernel services the portable code uses.
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "compat/host_sinks.h"
#include "compat/platform.h"

DWORD GetTickCount() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  // Wraps every 49.7 days like the real counter; callers subtract in unsigned arithmetic.
  return static_cast<DWORD>(static_cast<unsigned long long>(now.tv_sec) * 1000ull +
                            static_cast<unsigned long long>(now.tv_nsec) / 1000000ull);
}

void Sleep(DWORD milliseconds) {
  timespec wait{};
  wait.tv_sec = milliseconds / 1000;
  wait.tv_nsec = static_cast<long>(milliseconds % 1000) * 1000000L;
  while (nanosleep(&wait, &wait) != 0) {
  }
}

namespace compat {

std::vector<std::string>& DebugOutput() {
  static std::vector<std::string> lines;
  return lines;
}

std::vector<MessageBoxRecord>& MessageBoxes() {
  static std::vector<MessageBoxRecord> boxes;
  return boxes;
}

void (*g_onMessageBox)(const MessageBoxRecord& box) = nullptr;

}  // namespace compat

void OutputDebugStringA(const char* text) {
  compat::DebugOutput().emplace_back(text ? text : "");
  // A developer running a host tool can see the trace as a debugger would.
  if (std::getenv("LAUNCHER_DEBUG_OUTPUT") != nullptr) std::fputs(text ? text : "", stderr);
}

int MessageBoxA(HWND, const char* text, const char* caption, UINT type) {
  compat::MessageBoxRecord box{text ? text : "", caption ? caption : "", type};
  if (compat::g_onMessageBox != nullptr) compat::g_onMessageBox(box);
  compat::MessageBoxes().push_back(box);
  return IDOK;
}
