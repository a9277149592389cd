// Play.exe (or any program) started by a test inside a job object: the test can count what the
// program started, and the object ends the program and everything it started, whatever happens.
#pragma once
#include <windows.h>

#include <filesystem>
#include <functional>
#include <string>

#include "compat/kernel_handle.h"
#include "tests/support/game_copy.h"
#include "tests/support/windows/window_text.h"

namespace e2e {

// The launcher runs in copies of the sample game folder, and its windows are read from outside.
using testing_support::GameCopy;
using testing_support::WindowText;

// Polls `condition` every 10 ms until it holds or `timeoutMs` pass; its last answer.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs);

// The private message by which the launcher's buttons ask for its actions.
constexpr UINT kLauncherAction = WM_USER + 100;
constexpr WPARAM kActionExit = 0;
constexpr WPARAM kActionCheckTool = 1;
constexpr WPARAM kActionStartGame = 2;

// Control id of the version label.
constexpr int kVersionLabelId = 1002;

class LauncherProcess {
 public:
  // Starts `program` with `currentDir` as its current directory. The stand-ins it starts are told
  // to skip their windows.
  LauncherProcess(const std::filesystem::path& program, const std::filesystem::path& currentDir);
  // Ends every process of the job that is still running.
  ~LauncherProcess();
  LauncherProcess(const LauncherProcess&) = delete;
  LauncherProcess& operator=(const LauncherProcess&) = delete;

  bool started() const { return static_cast<bool>(process_); }
  DWORD pid() const { return pid_; }

  // Waits until initialisation is over: the window is visible, has its taskbar text "Play" and
  // the version label holds its text. Returns the window, or null after the time-out.
  HWND WaitUntilReady(DWORD timeoutMs = 15000);
  HWND window() const { return window_; }

  bool Running() const;
  bool WaitForExit(DWORD timeoutMs = 10000) const;
  // Processes the job has held so far: the launcher itself and every program it started.
  DWORD ProcessesStarted() const;
  // Waits until the launcher has handled the click sent last: input sent while a button of it
  // still holds the mouse capture goes to that button, wherever the pointer is. True also when
  // the launcher's window has gone (it never waits on a closing window).
  bool WaitUntilInputHandled(DWORD timeoutMs = 5000) const;
  // Posts WM_LAUNCHER_ACTION with `code` to the launcher's window.
  void PostAction(WPARAM code) const;

 private:
  UniqueKernelHandle job_;
  UniqueKernelHandle process_;
  DWORD pid_ = 0;
  HWND window_ = nullptr;
};

// The visible top-level window of process `pid` titled `title`, or null.
HWND FindProcessWindow(DWORD pid, const std::string& title);

}  // namespace e2e
