// Version.dat: the version text shown after "版本号:" on the launcher.
#pragma once

#include <cstddef>

// The file's first 32 bytes are the text.
constexpr size_t kVersionTextBytes = 32;
// The label shows this, then the version text.
constexpr const char* kVersionLabelPrefix = "版本号:";

// Reads the version text (up to the first zero byte or 32 bytes, line ends kept) into `text`,
// which always ends up terminated. False when the file cannot be opened; `text` is then empty.
bool ReadVersionText(char (&text)[kVersionTextBytes + 1]);
