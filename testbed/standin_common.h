// What every stand-in for an outside program does: record how it was started, and show itself
// for a moment the way the real program would.
#pragma once
#include <windows.h>

// Appends one line to `logName` in the program's own folder: its command line, a tab, its current
// directory, and, when given, a tab and `extra`.
void AppendRunRecord(const char* logName, const char* extra);

// Shows a small window titled `title` with `text` for `milliseconds` (the environment variable
// STANDIN_SHOW_MS overrides it, so tests need not wait), then returns.
void ShowBusyWindow(const char* title, const char* text, DWORD milliseconds);
