#include "tools/gamecheck/check_text.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "diag/diagnostics.h"
#include "compat/path_case.h"
#include "tools/gamecheck/folder_access.h"

std::string Printed(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list copy;
  va_copy(copy, args);
  const int length = std::vsnprintf(nullptr, 0, format, copy);
  va_end(copy);
  std::vector<char> text(static_cast<size_t>(length > 0 ? length : 0) + 1);
  std::vsnprintf(text.data(), text.size(), format, args);
  va_end(args);
  return text.data();
}

std::string BoxText(const char* format, const char* argument) {
  char text[diagnostics::kMessageBufferSize] = {};
  std::snprintf(text, sizeof text, format, argument);
  return text;
}

std::string OnOneLine(const std::string& text) {
  std::string line;
  for (unsigned char c : text) {
    if (c == '\r') {
      line += "\\r";
    } else if (c == '\n') {
      line += "\\n";
    } else if (c == '\t') {
      line += "\\t";
    } else if (c < 0x20 || c == 0x7F) {
      line += Printed("\\x%02X", c);
    } else {
      line += static_cast<char>(c);
    }
  }
  return line;
}

std::optional<std::string> ExistingFile(const std::string& name, long long* size) {
  const std::string found = compat::FindPathIgnoringCase(name);
  if (!folder_access::IsFile(found, size)) return std::nullopt;
  return found;
}

std::string SizeText(long long width, long long height) {
  return std::to_string(width) + " x " + std::to_string(height);
}
