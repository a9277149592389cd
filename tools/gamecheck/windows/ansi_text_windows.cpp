#include <windows.h>

#include <vector>

#include "tools/gamecheck/ansi_text.h"

std::string Utf8FromAnsi(const std::string& text) {
  if (text.empty()) return text;
  const int size = static_cast<int>(text.size());
  const int wide = ::MultiByteToWideChar(936, 0, text.data(), size, nullptr, 0);
  if (wide <= 0) return std::string();
  std::vector<wchar_t> characters(static_cast<size_t>(wide));
  ::MultiByteToWideChar(936, 0, text.data(), size, characters.data(), wide);
  const int bytes =
      ::WideCharToMultiByte(CP_UTF8, 0, characters.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
  if (bytes > 0) {
    ::WideCharToMultiByte(CP_UTF8, 0, characters.data(), wide, &result[0], bytes, nullptr, nullptr);
  }
  return result;
}

std::string ConsoleText(const std::string& text) { return text; }
