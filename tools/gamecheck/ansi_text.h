// The launcher's texts are bytes in the system's ANSI code page, 936 (simplified Chinese).
#pragma once

#include <string>

// `text` from code page 936 into UTF-8; bytes that do not convert become U+FFFD.
std::string Utf8FromAnsi(const std::string& text);

// `text` as a console shows it: unchanged where the console uses the system's code page, in
// UTF-8 on hosts, whose terminals do.
std::string ConsoleText(const std::string& text);
