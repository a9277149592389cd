// Two timings of Play.exe as a player meets it, under this system (Wine here):
//  1. start-up: from process creation to the launcher's window being shown, as a ratio against
//     BarePopup.exe (one 808 × 581 pop-up window) measured in the same run, runs interleaved;
//  2. click latency: from the press on "StanEnt" (SendInput) to the patcher running (its log
//     record appearing).
// Medians of several runs. The game folder is changed (GameSetup.ini, RozeVazed.log): give it a
// copy. With a second game folder, its Play.exe (an earlier build, say) is timed in the same runs,
// interleaved with the others, so the two builds meet the same load.
//   launch_timing GAME_FOLDER BARE_POPUP.exe [RUNS [BASELINE_GAME_FOLDER]]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/launch/clock.h"

namespace {

constexpr UINT kLauncherAction = WM_USER + 100;
constexpr WPARAM kActionExit = 0;
constexpr int kVersionLabelId = 1002;

struct Search {
  DWORD pid;
  const char* title;
  HWND found;
};

BOOL CALLBACK MatchVisible(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<Search*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->pid || !::IsWindowVisible(hwnd)) return TRUE;
  char title[64] = {};
  ::GetWindowTextA(hwnd, title, sizeof title);
  if (std::strcmp(title, search->title) != 0) return TRUE;
  search->found = hwnd;
  return FALSE;
}

// The visible top-level window of `pid` titled `title` (the launcher shows its inside dialog
// first), polled until `timeoutMs` pass.
HWND WaitForVisibleWindow(DWORD pid, const char* title, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    Search search{pid, title, nullptr};
    ::EnumWindows(MatchVisible, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) return search.found;
    if (::GetTickCount() - start > timeoutMs) return nullptr;
    ::Sleep(1);
  }
}

bool WaitUntil(bool (*condition)(const void*), const void* data, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (!condition(data)) {
    if (::GetTickCount() - start > timeoutMs) return false;
    ::Sleep(1);
  }
  return true;
}

struct Started {
  PROCESS_INFORMATION info{};
  bool ok = false;
};

Started Start(const std::string& program, const std::string& directory) {
  Started started;
  std::string commandLine = "\"" + program + "\"";
  STARTUPINFOA startup{};
  startup.cb = sizeof startup;
  started.ok = ::CreateProcessA(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0,
                                nullptr, directory.c_str(), &startup, &started.info) != FALSE;
  if (!started.ok) std::fprintf(stderr, "cannot start %s\n", program.c_str());
  return started;
}

// Asks the window to close, ends the process if it does not, and lets go of the handles.
void Finish(Started& started, HWND window, UINT message, WPARAM wParam) {
  if (window != nullptr) ::PostMessageA(window, message, wParam, 0);
  if (::WaitForSingleObject(started.info.hProcess, 5000) != WAIT_OBJECT_0) {
    ::TerminateProcess(started.info.hProcess, 1);
    ::WaitForSingleObject(started.info.hProcess, 5000);
  }
  ::CloseHandle(started.info.hThread);
  ::CloseHandle(started.info.hProcess);
}

// Milliseconds from creating the process to its window `title` being visible; < 0 on failure.
double TimeToWindow(const std::string& program, const std::string& directory, const char* title,
                    UINT closeMessage, WPARAM closeParameter) {
  const double start = Now();
  Started started = Start(program, directory);
  if (!started.ok) return -1;
  HWND window = WaitForVisibleWindow(started.info.dwProcessId, title, 20000);
  const double shown = Now();
  Finish(started, window, closeMessage, closeParameter);
  return window != nullptr ? shown - start : -1;
}

bool LabelReady(const void* data) {
  HWND label = ::GetDlgItem(*static_cast<const HWND*>(data), kVersionLabelId);
  char text[64] = {};
  return label != nullptr && ::GetWindowTextA(label, text, sizeof text) > 0 && text[0] != '.';
}

bool FileHasRecord(const void* data) {
  WIN32_FILE_ATTRIBUTE_DATA attributes{};
  return ::GetFileAttributesExA(static_cast<const std::string*>(data)->c_str(),
                                GetFileExInfoStandard, &attributes) &&
         attributes.nFileSizeLow > 0;
}

void SendMouse(DWORD flags, LONG x, LONG y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / ::GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / ::GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  ::SendInput(1, &input, sizeof input);
}

// Milliseconds from the press on "StanEnt" to the patcher's record; < 0 on failure.
double ClickToPatcher(const std::string& folder) {
  const std::string log = folder + "\\RozeVazed.log";
  ::DeleteFileA(log.c_str());
  Started started = Start(folder + "\\Play.exe", folder);
  if (!started.ok) return -1;
  HWND window = WaitForVisibleWindow(started.info.dwProcessId, "Play", 20000);
  double latency = -1;
  if (window != nullptr && WaitUntil(LabelReady, &window, 20000)) {
    // The centre of "StanEnt" as ini/PlayGui.ini places it (590, 402, 194 × 56).
    POINT centre{590 + 97, 402 + 28};
    ::ClientToScreen(window, &centre);
    SendMouse(0, centre.x, centre.y);
    ::Sleep(200);  // the pointer's arrival is not part of the click
    const double pressed = Now();
    SendMouse(MOUSEEVENTF_LEFTDOWN, centre.x, centre.y);
    const bool ran = WaitUntil(FileHasRecord, &log, 20000);
    latency = ran ? Now() - pressed : -1;
    SendMouse(MOUSEEVENTF_LEFTUP, centre.x, centre.y);
  }
  Finish(started, window, kLauncherAction, kActionExit);
  // Move away, so the next launcher does not open under the pointer.
  SendMouse(0, ::GetSystemMetrics(SM_CXSCREEN) - 1, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  ::Sleep(600);  // more than a double-click time between the runs' presses
  return latency;
}

void Report(const char* what, const std::vector<double>& values) {
  std::printf("%-34s median %8.1f ms, fastest %8.1f ms  (", what, Median(values),
              *std::min_element(values.begin(), values.end()));
  for (double value : values) std::printf(" %.1f", value);
  std::printf(" )\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: %s GAME_FOLDER BARE_POPUP.exe [RUNS [BASELINE_GAME_FOLDER]]\n",
                 argv[0]);
    return 2;
  }
  const std::string folder = argv[1];
  const std::string bare = argv[2];
  const int runs = argc > 3 ? std::max(1, std::atoi(argv[3])) : 7;
  const std::string baseline = argc > 4 ? argv[4] : "";
  // The stand-in patcher skips its window: only its start counts.
  ::SetEnvironmentVariableA("STANDIN_SHOW_MS", "0");

  std::vector<double> launcher, reference, earlier, clicks;
  std::string bareFolder = bare.substr(0, bare.find_last_of('\\'));
  for (int run = 0; run < runs; ++run) {
    const double a =
        TimeToWindow(folder + "\\Play.exe", folder, "Play", kLauncherAction, kActionExit);
    const double b = TimeToWindow(bare, bareFolder, "BarePopup", WM_CLOSE, 0);
    const double c = baseline.empty() ? 0
                                      : TimeToWindow(baseline + "\\Play.exe", baseline, "Play",
                                                     kLauncherAction, kActionExit);
    if (a < 0 || b < 0 || c < 0) {
      std::fprintf(stderr, "run %d: a window never showed\n", run);
      return 1;
    }
    launcher.push_back(a);
    reference.push_back(b);
    earlier.push_back(c);
  }
  for (int run = 0; run < runs; ++run) {
    const double latency = ClickToPatcher(folder);
    if (latency < 0) {
      std::fprintf(stderr, "run %d: the patcher never ran\n", run);
      return 1;
    }
    clicks.push_back(latency);
  }
  Report("start-up, Play.exe", launcher);
  Report("start-up, bare pop-up (reference)", reference);
  std::printf("start-up ratio Play.exe / bare pop-up: %.2f\n",
              Median(launcher) / Median(reference));
  if (!baseline.empty()) {
    Report("start-up, baseline Play.exe", earlier);
    std::printf("start-up ratio baseline / bare pop-up: %.2f\n",
                Median(earlier) / Median(reference));
    std::printf("start-up ratio Play.exe / baseline: %.2f\n", Median(launcher) / Median(earlier));
  }
  Report("click on StanEnt to patcher record", clicks);
  std::printf("click latency / bare pop-up start-up: %.2f\n", Median(clicks) / Median(reference));
  return 0;
}
