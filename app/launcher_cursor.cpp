#include "app/launcher_cursor.h"

#include "app/res/resource.h"
#include "framework/win_app.h"

BOOL SetLauncherCursor() {
  ::SetCursor(::LoadCursorA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDC_LAUNCHER_CURSOR)));
  return TRUE;
}
