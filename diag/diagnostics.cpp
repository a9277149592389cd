#include "diag/diagnostics.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <deque>

#include "compat/platform.h"

namespace {

// 1 while an error box is on screen.
int g_boxShowing = 0;

// Texts most recently logged, oldest first; kept for the whole run.
std::deque<std::string>& RecentLines() {
  static std::deque<std::string> recent;
  return recent;
}

// The log file's name: "debug" with the extension ".log" until set otherwise. Named here, not
// with the launcher's other files in app/startup_files.h: every layer logs through diag/.
struct LogName {
  LogName() { Reset(); }
  void Reset() { std::snprintf(text, sizeof text, "%s.log", "debug"); }
  char text[256];
};

LogName& TheLogName() {
  static LogName name;
  return name;
}

// Formats into a zero-filled buffer; a text longer than the buffer is cut to fit.
void FormatInto(char (&buffer)[diagnostics::kMessageBufferSize], const char* format, va_list args) {
  std::memset(buffer, 0, sizeof buffer);
  std::vsnprintf(buffer, sizeof buffer, format, args);
  buffer[sizeof buffer - 1] = '\0';
}

}  // namespace

int ErrorBox(const char* format, ...) {
  if (g_boxShowing != 0) return g_boxShowing;
  char text[diagnostics::kMessageBufferSize];
  va_list args;
  va_start(args, format);
  FormatInto(text, format, args);
  va_end(args);

  g_boxShowing = 1;
  const int result = MessageBoxA(nullptr, text, "Error", MB_ICONERROR | MB_SYSTEMMODAL);
  g_boxShowing = 0;
  return result;
}

void LogMessage(const char* format, ...) {
  if (format == nullptr) return;
  const std::time_t now = std::time(nullptr);

  char text[diagnostics::kMessageBufferSize];
  va_list args;
  va_start(args, format);
  FormatInto(text, format, args);
  va_end(args);

  std::deque<std::string>& recent = RecentLines();
  for (const std::string& line : recent) {
    if (line == text) return;
  }
  recent.emplace_back(text);
  if (recent.size() > static_cast<size_t>(diagnostics::kRecentLines)) recent.pop_front();

  std::FILE* log = std::fopen(TheLogName().text, "a+");
  if (log == nullptr) return;  // lost silently; the text still counts as recent
  const std::string record = diagnostics::FormatLogRecord(text, now);
  std::fputs(record.c_str(), log);
  std::fclose(log);
}

void DebugTrace(const char* format, ...) {
  char text[diagnostics::kMessageBufferSize];
  va_list args;
  va_start(args, format);
  FormatInto(text, format, args);
  va_end(args);
  // The newline goes inside the same buffer, so the text is cut one byte shorter to leave room.
  const size_t length = std::strlen(text);
  const size_t end = length < sizeof text - 2 ? length : sizeof text - 2;
  text[end] = '\n';
  text[end + 1] = '\0';
  OutputDebugStringA(text);
}

namespace diagnostics {

bool SetLogFile(const char* path) {
  LogName& name = TheLogName();
  if (path == nullptr) {
    name.Reset();
    return true;
  }
  const size_t length = std::strlen(path);
  if (length == 0 || length >= sizeof name.text) return false;
  std::memcpy(name.text, path, length + 1);
  return true;
}

const char* LogFile() { return TheLogName().text; }

std::string FormatCtime(std::time_t when) {
  static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
  static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                        "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
  const std::tm* local = std::localtime(&when);
  if (local == nullptr) return "??? ??? 00 00:00:00 0000\n";
  char text[64];
  std::snprintf(text, sizeof text, "%s %s %02d %02d:%02d:%02d %d\n", kDays[local->tm_wday % 7],
                kMonths[local->tm_mon % 12], local->tm_mday, local->tm_hour, local->tm_min,
                local->tm_sec, local->tm_year + 1900);
  return text;
}

std::string FormatLogRecord(const char* text, std::time_t when) {
  std::string record = text;
  record += " -- ";
  record += FormatCtime(when);
  return record;
}

}  // namespace diagnostics
