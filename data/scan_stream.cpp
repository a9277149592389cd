#include "data/scan_stream.h"

#include <cstdint>

#include "data/scan_text.h"

ScanStream::ScanStream(const char* path) : stream_(path ? std::fopen(path, "r") : nullptr) {}

int ScanStream::Get() { return stream_ ? std::getc(stream_.get()) : EOF; }

void ScanStream::Unget(int c) {
  if (c != EOF && stream_) std::ungetc(c, stream_.get());
}

bool ScanStream::ReadLine(char* buffer, int size) {
  if (!stream_ || buffer == nullptr || size < 2) return false;
  return std::fgets(buffer, size, stream_.get()) != nullptr;
}

bool ScanStream::MatchLiteral(const char* text) {
  for (; *text != '\0'; ++text) {
    const int c = Get();
    if (c != static_cast<unsigned char>(*text)) {
      Unget(c);
      return false;
    }
  }
  return true;
}

bool ScanStream::ReadInt(int* value) {
  SkipSpace();
  int c = Get();
  bool negative = false;
  if (c == '+' || c == '-') {
    negative = c == '-';
    c = Get();
  }
  if (c < '0' || c > '9') {
    Unget(c);
    return false;
  }
  std::uint32_t number = 0;
  for (; c >= '0' && c <= '9'; c = Get())
    number = number * 10u + static_cast<std::uint32_t>(c - '0');
  Unget(c);
  if (negative) number = 0u - number;
  // Two's complement reading of the 32 bits, spelled out to stay defined for every value.
  *value = number <= INT32_MAX ? static_cast<int>(number) : -static_cast<int>(~number) - 1;
  return true;
}

bool ScanStream::ReadToken(char* buffer, int size) {
  if (buffer == nullptr || size < 2) return false;
  SkipSpace();
  int length = 0;
  int c = Get();
  while (c != EOF && !IsScanSpace(c)) {
    if (length == size - 1) {
      Unget(c);
      buffer[length] = '\0';
      return false;
    }
    buffer[length++] = static_cast<char>(c);
    c = Get();
  }
  Unget(c);
  buffer[length] = '\0';
  return length > 0;
}

void ScanStream::SkipSpace() {
  int c = Get();
  while (c != EOF && IsScanSpace(c)) c = Get();
  Unget(c);
}
