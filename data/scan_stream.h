// A text file read partly by lines and partly as a stream of scanf-style tokens, over one stream.
#pragma once

#include <cstdio>
#include <memory>

#include "compat/stdio_file.h"

class ScanStream {
 public:
  // Opens `path` for reading as text ("r"), as the runtime reads any text file.
  explicit ScanStream(const char* path);
  ScanStream(const ScanStream&) = delete;
  ScanStream& operator=(const ScanStream&) = delete;

  bool IsOpen() const { return stream_ != nullptr; }
  void Close() { stream_.reset(); }

  // fgets: the next line (or the next size - 1 bytes of a longer one); false at the end.
  bool ReadLine(char* buffer, int size);

  // A literal of a scanf format: every byte must stand at the current position. The first byte
  // that differs is left in the stream; the ones matched before it are consumed.
  bool MatchLiteral(const char* text);

  // "%d": skips whitespace (line ends included), then an optional sign and decimal digits. Digits
  // beyond the int range wrap modulo 2^32, as the Windows runtime's scanner does.
  bool ReadInt(int* value);

  // A bounded "%s": skips whitespace, then reads the run of non-blank bytes into `buffer`. A run
  // of size bytes or more does not fit and fails rather than being cut.
  bool ReadToken(char* buffer, int size);

  // A whitespace directive: skips any whitespace, blank lines included.
  void SkipSpace();

 private:
  int Get();
  void Unget(int c);

  UniqueStdioFile stream_;
};
