// The launcher dialog's handler of WM_LAUNCHER_ACTION: close, run the check tool, start the game.
#include <cstring>

#include "app/launch_paths.h"
#include "app/launcher_action_message.h"
#include "app/launcher_dialog.h"
#include "app/settings_files.h"
#include "app/startup_files.h"
#include "compat/kernel_handle.h"

namespace {

// The start-up record the system reads: 68 bytes in the 32-bit program, 104 in the 64-bit build.
static_assert(sizeof(STARTUPINFOA) == (sizeof(void*) == 4 ? 68 : 104), "STARTUPINFOA layout");

// Starts `program` with `commandLine` in `directory`; the launcher never waits for it.
void StartProgram(const char* program, const char* commandLine, const char* directory) {
  // The command line must be writable for the system; it is never longer than this.
  char writableCommandLine[kPathBufferSize];
  std::strncpy(writableCommandLine, commandLine, sizeof writableCommandLine - 1);
  writableCommandLine[sizeof writableCommandLine - 1] = '\0';

  STARTUPINFOA startup;
  std::memset(&startup, 0, sizeof startup);
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process;
  std::memset(&process, 0, sizeof process);
  if (::CreateProcessA(program, writableCommandLine, nullptr, nullptr, FALSE, 0, nullptr, directory,
                       &startup, &process) == TRUE) {
    // Nobody waits for it: both handles go at once, the thread's first.
    const UniqueKernelHandle processHandle(process.hProcess);
    const UniqueKernelHandle threadHandle(process.hThread);
  }
}

// The launcher's folder from its own executable's path (not the current directory). False when
// the path does not fit a path buffer: cut to fit, it may have lost its last folder, whose parent
// could hold another program of the same name. The path is read into one byte more than a path
// may take, because systems differ in how they cut a path that is too long (some fill the buffer
// without a terminator and return its size, some cut one byte shorter and terminate it): either
// way the result reaches the path buffer's size.
bool OwnFolder(bool keepSeparator, char (&folder)[kPathBufferSize]) {
  std::memset(folder, 0, sizeof folder);
  char module[kPathBufferSize + 1];
  std::memset(module, 0, sizeof module);
  const DWORD length = ::GetModuleFileNameA(nullptr, module, sizeof module);
  if (length == 0 || length >= kPathBufferSize) return false;
  LauncherFolder(module, keepSeparator, folder);
  return true;
}

}  // namespace

LRESULT LauncherDialog::OnLauncherAction(WPARAM code, LPARAM) {
  switch (code) {
    case ACTION_EXIT:
      m_insideDialog.ShowWindow(SW_HIDE);
      // The cancel operation itself, not a WM_COMMAND: the window procedure swallows those.
      OnCancel();
      break;
    case ACTION_CHECK_TOOL:
      RunCheckTool();
      break;
    case ACTION_START_GAME:
      StartGame();
      break;
    default:
      break;
  }
  return 0;
}

void LauncherDialog::RunCheckTool() {
  char folder[kPathBufferSize];
  if (!OwnFolder(true, folder)) return;
  char name[kPathBufferSize];
  ReadCheckToolName(name);
  if (name[0] == '\0') return;
  char program[kPathBufferSize];
  if (!JoinProgramPath(folder, name, program)) return;
  StartProgram(program, "", folder);
}

void LauncherDialog::StartGame() {
  char folder[kPathBufferSize];
  char program[kPathBufferSize];
  if (OwnFolder(false, folder) && JoinProgramPath(folder, kPatcherName, program)) {
    StartProgram(program, kPatcherCommandLine, folder);
  }
  // Whether or not the patcher started, the launcher has done its part.
  EndDialog(0);
}
