#include "tests/e2e/launcher_process.h"

#include <gtest/gtest.h>

#include "tests/e2e/input.h"

namespace e2e {

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (condition()) return true;
    if (::GetTickCount() - start >= timeoutMs) return condition();
    ::Sleep(10);
  }
}

namespace {

struct WindowSearch {
  DWORD pid;
  const std::string* title;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM data) {
  auto* search = reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  ::GetWindowThreadProcessId(hwnd, &owner);
  if (owner != search->pid || !::IsWindowVisible(hwnd)) return TRUE;
  if (WindowText(hwnd) != *search->title) return TRUE;
  search->found = hwnd;
  return FALSE;
}

}  // namespace

HWND FindProcessWindow(DWORD pid, const std::string& title) {
  WindowSearch search{pid, &title, nullptr};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

LauncherProcess::LauncherProcess(const std::filesystem::path& program,
                                 const std::filesystem::path& currentDir) {
  ::SetEnvironmentVariableA("STANDIN_SHOW_MS", "0");
  // A pointer left over a button by an earlier test would show that button's hover image.
  ParkPointer();
  job_.reset(::CreateJobObjectA(nullptr, nullptr));
  JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
  limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
  ::SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits);

  // The wide call: a path whose characters fit the system's limit may still take more bytes than
  // that in the narrow code page.
  const std::wstring programText = program.wstring();
  const std::wstring directoryText = currentDir.wstring();
  std::wstring commandLine = L"\"" + programText + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // Suspended until it is in the job, so whatever it starts is in the job too.
  if (!::CreateProcessW(programText.c_str(), &commandLine[0], nullptr, nullptr, FALSE,
                        CREATE_SUSPENDED, nullptr, directoryText.c_str(), &startup, &info)) {
    ADD_FAILURE() << "cannot start " << program.string() << " (error " << ::GetLastError() << ")";
    return;
  }
  process_.reset(info.hProcess);
  const UniqueKernelHandle thread(info.hThread);
  if (!::AssignProcessToJobObject(job_.get(), info.hProcess)) {
    ADD_FAILURE() << "cannot put the launcher in a job (error " << ::GetLastError() << ")";
  }
  ::ResumeThread(thread.get());
  pid_ = info.dwProcessId;
}

LauncherProcess::~LauncherProcess() {
  // The job goes first: closing it ends whatever of it still runs.
  if (job_) {
    ::TerminateJobObject(job_.get(), 1);
    job_.reset();
  }
  if (process_) {
    ::WaitForSingleObject(process_.get(), 5000);
    process_.reset();
  }
}

HWND LauncherProcess::WaitUntilReady(DWORD timeoutMs) {
  if (!started()) return nullptr;
  const bool ready = WaitFor(
      [this] {
        window_ = FindProcessWindow(pid_, "Play");
        if (window_ == nullptr) return false;
        HWND label = ::GetDlgItem(window_, kVersionLabelId);
        // The label's text is the last thing initialisation sets that a test can see.
        return label != nullptr && WindowText(label).rfind("版本号:", 0) == 0;
      },
      timeoutMs);
  return ready ? window_ : nullptr;
}

bool LauncherProcess::Running() const {
  return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

bool LauncherProcess::WaitForExit(DWORD timeoutMs) const {
  return process_ && ::WaitForSingleObject(process_.get(), timeoutMs) == WAIT_OBJECT_0;
}

DWORD LauncherProcess::ProcessesStarted() const {
  JOBOBJECT_BASIC_ACCOUNTING_INFORMATION accounting{};
  if (!::QueryInformationJobObject(job_.get(), JobObjectBasicAccountingInformation, &accounting,
                                   sizeof accounting, nullptr)) {
    ADD_FAILURE() << "cannot read the job's accounting (error " << ::GetLastError() << ")";
    return 0;
  }
  return accounting.TotalProcesses;
}

bool LauncherProcess::WaitUntilInputHandled(DWORD timeoutMs) const {
  if (window_ == nullptr) return false;
  const DWORD thread = ::GetWindowThreadProcessId(window_, nullptr);
  // A window that is gone (the Exit button closes it while the process still winds down) has no
  // input left to handle: never wait on it.
  auto gone = [this] { return !::IsWindow(window_) || !Running(); };
  // A sent message is handled the next time the launcher's thread asks for a message, before
  // the input waiting in its queue: each answer means one more queued message was handled.
  auto roundTrip = [this, timeoutMs] {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(window_, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, &ignored) != 0;
  };
  auto captureFree = [thread] {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(thread, &info) && info.hwndCapture == nullptr;
  };
  // A click is a move, a press and a release, and the system's own messages between them.
  for (int i = 0; i < 6; ++i) {
    if (!roundTrip()) return gone();
  }
  if (!WaitFor([&] { return gone() || captureFree(); }, timeoutMs)) return false;
  return gone() || roundTrip() || gone();
}

void LauncherProcess::PostAction(WPARAM code) const {
  ASSERT_NE(window_, nullptr) << "the launcher's window was not found";
  ::PostMessageA(window_, kLauncherAction, code, 0);
}

}  // namespace e2e
