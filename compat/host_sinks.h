// Host-only: what the portable code sent to the debugger output and to message boxes.
#pragma once
#ifndef _WIN32

#include <string>
#include <vector>

#include "compat/platform.h"

namespace compat {

struct MessageBoxRecord {
  std::string text;
  std::string caption;
  UINT type;
};

// Every text passed to OutputDebugStringA, in order.
std::vector<std::string>& DebugOutput();
// Every message box shown, in order; each was answered with IDOK.
std::vector<MessageBoxRecord>& MessageBoxes();
// Called while a message box is "on screen" (before it is answered), if set.
extern void (*g_onMessageBox)(const MessageBoxRecord& box);

}  // namespace compat

#endif
