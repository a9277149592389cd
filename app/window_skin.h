// The skin of the launcher's two shaped windows: a bitmap file the window takes its size and its
// outline from.
#pragma once
#include <windows.h>

#include "framework/wnd.h"

// Loads the bitmap file at `path` (relative to the current directory); the window takes the
// bitmap's size, keeping the top-left corner where its template placed it, and is cut to the
// pixels that are not `key`. Returns the bitmap, which the caller keeps, or null when the file
// cannot be loaded; the window is then left as it was.
HBITMAP LoadWindowSkin(CWnd& window, const char* path, COLORREF key);
