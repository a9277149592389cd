// The launcher's three diagnostic channels: the player's error box, the log file and the
// debugger output. All take printf-style formats and run on the user-interface thread only.
#pragma once

#include <ctime>
#include <string>

// Shows the formatted text in a system-modal box titled "Error". While one box is on screen a
// second call is dropped and returns 1; otherwise returns the box's result.
int ErrorBox(const char* format, ...);

// Appends "text -- <ctime>" to debug.log in the current directory, unless the same text is one of
// the three most recently logged texts. A null format does nothing.
void LogMessage(const char* format, ...);

// Sends the formatted text and a newline to the debugger output.
void DebugTrace(const char* format, ...);

namespace diagnostics {

// Size of every formatting buffer (at most 1023 bytes of text and the terminator).
constexpr int kMessageBufferSize = 1024;
// How many recent texts LogMessage remembers to suppress repeats.
constexpr int kRecentLines = 3;
// The log file's name, in the current directory.
constexpr const char* kLogFileName = "debug.log";

// The runtime's ctime form in local time, always "Www Mmm dd hh:mm:ss yyyy\n" (day zero-padded,
// as the Windows runtime writes it, whatever the host library does).
std::string FormatCtime(std::time_t when);

// One log record as LogMessage writes it.
std::string FormatLogRecord(const char* text, std::time_t when);

}  // namespace diagnostics
