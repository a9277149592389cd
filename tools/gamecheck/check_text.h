// Small text helpers of the checks.
#pragma once

#include <optional>
#include <string>

#include "compat/printf_format.h"

// printf into a string.
std::string Printed(const char* format, ...) PRINTF_STYLE(1, 2);

// The text an error box shows for `format` and its one argument, formatted as the launcher's
// ErrorBox formats it.
std::string BoxText(const char* format, const char* argument = nullptr);

// `text` on one line: control bytes written as \r, \n, \t or \xNN.
std::string OnOneLine(const std::string& text);

// The file `name` (relative to the current directory) as the system finds it, letter case
// ignored, or none when there is no such file.
std::optional<std::string> ExistingFile(const std::string& name, long long* size = nullptr);

// "w x h".
std::string SizeText(long long width, long long height);
