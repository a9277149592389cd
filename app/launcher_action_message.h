// The private message by which the skin buttons ask the launcher dialog to close, to run the
// check tool or to start the game.
#pragma once
#include <windows.h>

constexpr UINT WM_LAUNCHER_ACTION = WM_USER + 100;

enum LauncherActionCode {
  ACTION_EXIT = 0,
  ACTION_CHECK_TOOL = 1,
  ACTION_START_GAME = 2,
};
