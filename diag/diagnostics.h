// How the launcher reports: error boxes for what the player must see, a log file for faults in
// the data files, and the debugger output for traces. They keep state without locks, so only the
// user-interface thread calls them.
#pragma once

#include <ctime>
#include <string>

#include "compat/printf_format.h"

// Shows the formatted text in an error box and returns the box's result. A call made while a box
// is up (its message loop keeps timers and paints running) is dropped and returns 1, so the
// player never faces a pile of boxes.
int ErrorBox(const char* format, ...) PRINTF_STYLE(1, 2);

// Adds a record of the formatted text and the time to the log file, unless the text is one of the
// last three texts logged, so a fault met again and again does not flood the log. A null format
// does nothing.
void LogMessage(const char* format, ...) PRINTF_STYLE(1, 2);

// Sends the formatted text and a newline to the debugger output.
void DebugTrace(const char* format, ...) PRINTF_STYLE(1, 2);

namespace diagnostics {

// Size of every formatting buffer (at most 1023 bytes of text and the terminator).
constexpr int kMessageBufferSize = 1024;
// How many recent texts LogMessage remembers to suppress repeats.
constexpr int kRecentLines = 3;
// Where LogMessage writes: debug.log in the current directory, unless a tool or a test names
// another file, which then takes every record until null goes back to debug.log. A name that does
// not fit the 256-byte name buffer is refused (false) and changes nothing.
bool SetLogFile(const char* path);
const char* LogFile();

// The runtime's ctime form in local time, always "Www Mmm dd hh:mm:ss yyyy\n" (day zero-padded,
// as the Windows runtime writes it, whatever the host library does).
std::string FormatCtime(std::time_t when);

// One log record as LogMessage writes it.
std::string FormatLogRecord(const char* text, std::time_t when);

}  // namespace diagnostics
