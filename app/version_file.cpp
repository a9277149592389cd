#include "app/version_file.h"

#include <cstdio>
#include <cstring>

#include "app/startup_files.h"

bool ReadVersionText(char (&text)[kVersionTextBytes + 1]) {
  // One byte more than the text may hold, so 32 non-zero bytes are still a terminated string.
  std::memset(text, 0, sizeof text);
  std::FILE* file = std::fopen(kVersionFile, "rb");
  if (file == nullptr) return false;
  std::fread(text, 1, kVersionTextBytes, file);
  std::fclose(file);
  return true;
}
