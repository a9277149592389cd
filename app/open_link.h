// Handing a target named by the game's links (a web page, a program) to the system's opener, as
// the link buttons and the Flash tip's manual link do.
#pragma once
#include <windows.h>
#include <shellapi.h>

// 13 is none of the SW_ values (they end at SW_MAX, 11); the launcher has always passed it, and
// the opener hands it on unchanged to what it starts.
constexpr int kLinkShowCommand = 13;

inline void OpenLinkTarget(const char* target) {
  ::ShellExecuteA(nullptr, nullptr, target, nullptr, nullptr, kLinkShowCommand);
}
