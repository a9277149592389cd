// The cursor both launcher windows show everywhere on them (cursor resource 130).
#pragma once
#include <windows.h>

// Sets the launcher's cursor; the answer to WM_SETCURSOR for every hit-test code (TRUE).
BOOL SetLauncherCursor();
