#include "data/scan_text.h"

#include <cstring>

bool IsScanSpace(int c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

TitleScan ScanTitle(const char* line, char* name, int size) {
  if (line == nullptr || line[0] != '[' || name == nullptr || size < 1) return TitleScan::None;
  const char* text = line + 1;
  while (*text != '\0' && IsScanSpace(static_cast<unsigned char>(*text))) ++text;
  int length = 0;
  while (length < size - 1 && *text != '\0' && !IsScanSpace(static_cast<unsigned char>(*text))) {
    name[length++] = *text++;
  }
  name[length] = '\0';
  if (length == 0) return TitleScan::None;
  char* close = std::strchr(name, ']');
  if (close != nullptr) {
    *close = '\0';
    return TitleScan::Named;
  }
  // A name that fills the buffer exactly is still whole when its "]" comes next.
  return *text == ']' ? TitleScan::Named : TitleScan::NoBracket;
}
