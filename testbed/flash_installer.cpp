// Stand-in for the Flash Player installer that the launcher downloads as flashSetUp.exe: it shows
// the installer's dialog windows with their exact titles, in the order the real one does, and
// records in standin-installer.log (beside itself) how it was started and how it ended, so a
// test can prove that the launcher asked it to quit. What it does is chosen by the line appended
// to its file (installer_trailer.h).
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "flash/installer_windows.h"
#include "testbed/installer_trailer.h"
#include "testbed/standin_common.h"

namespace {

constexpr const char* kLogName = "standin-installer.log";

struct Behaviour {
  char mode[16] = "install";
  int mainMs = 1000;
  int installingMs = 1000;
  int lingerMs = 30000;
};

Behaviour g_behaviour;
HWND g_window = nullptr;
bool g_gaveUp = false;

Behaviour ReadBehaviour() {
  Behaviour behaviour;
  char path[MAX_PATH] = {};
  ::GetModuleFileNameA(nullptr, path, MAX_PATH);
  FILE* file = std::fopen(path, "rb");
  if (file == nullptr) return behaviour;
  std::fseek(file, 0, SEEK_END);
  const long size = std::ftell(file);
  std::fseek(file, size > kInstallerTrailerSearch ? size - kInstallerTrailerSearch : 0, SEEK_SET);
  char tail[kInstallerTrailerSearch];
  const size_t read = std::fread(tail, 1, sizeof tail, file);
  std::fclose(file);
  const std::string text(tail, read);
  const size_t mark = text.rfind(kInstallerTrailerMark);
  if (mark == std::string::npos) return behaviour;
  const std::string line = text.substr(mark + std::strlen(kInstallerTrailerMark));
  Behaviour parsed;
  if (std::sscanf(line.c_str(), "%15s %d %d %d", parsed.mode, &parsed.mainMs, &parsed.installingMs,
                  &parsed.lingerMs) == 4) {
    behaviour = parsed;
  }
  return behaviour;
}

void CALLBACK GiveUp(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(g_window, id);
  g_gaveUp = true;
  ::PostQuitMessage(0);
}

void WaitForQuit() { ::SetTimer(g_window, 3, static_cast<UINT>(g_behaviour.lingerMs), GiveUp); }

void CALLBACK Finished(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(g_window, id);
  ::SetWindowTextA(g_window, kInstallerFinishedTitle);
  WaitForQuit();
}

void CALLBACK Installing(HWND, UINT, UINT_PTR id, DWORD) {
  ::KillTimer(g_window, id);
  ::SetWindowTextA(g_window, kInstallerInstallingTitle);
  ::SetTimer(g_window, 2, static_cast<UINT>(g_behaviour.installingMs), Finished);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  g_behaviour = ReadBehaviour();
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  ::GetStartupInfoA(&startup);
  char started[96];
  std::snprintf(started, sizeof started, "started %s show=%u flags=0x%lx", g_behaviour.mode,
                static_cast<unsigned>(startup.wShowWindow),
                static_cast<unsigned long>(startup.dwFlags));
  AppendRunRecord(kLogName, started);
  const bool outdated = std::strcmp(g_behaviour.mode, "outdated") == 0;
  if (!outdated && std::strcmp(g_behaviour.mode, "install") != 0) return 0;

  g_window = ::CreateWindowExA(0, kInstallerWindowClass, kInstallerTitle,
                               WS_POPUP | WS_CAPTION | WS_SYSMENU, 200, 150, 420, 180, nullptr,
                               nullptr, instance, nullptr);
  if (g_window == nullptr) {
    AppendRunRecord(kLogName, "ended without a window");
    return 1;
  }
  if (outdated) {
    ::CreateWindowExA(0, kInstallerStaticClass, kInstallerOutdatedWarning, WS_CHILD | WS_VISIBLE,
                      12, 12, 390, 100, g_window, nullptr, instance, nullptr);
    WaitForQuit();
  } else {
    ::SetTimer(g_window, 1, static_cast<UINT>(g_behaviour.mainMs), Installing);
  }
  ::ShowWindow(g_window, show);

  MSG msg;
  while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
  AppendRunRecord(kLogName, g_gaveUp ? "ended timeout" : "ended WM_QUIT");
  ::DestroyWindow(g_window);
  return 0;
}
