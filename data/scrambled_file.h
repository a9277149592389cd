// Line reader of a data file, read either as plain text or scrambled.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>

#include "compat/stdio_file.h"
#include "data/scrambled_buffer.h"

class ScrambledFile {
 public:
  static constexpr int ModePlain = 0;
  static constexpr int ModeScrambled = 1;

  ScrambledFile();
  virtual ~ScrambledFile();
  ScrambledFile(const ScrambledFile&) = delete;
  ScrambledFile& operator=(const ScrambledFile&) = delete;

  // Closes whatever the current mode holds open; closing a closed reader does nothing.
  virtual void Close();
  // Stores `mode` (unless `path` is null) and opens the file in it; nonzero on success.
  virtual int Open(const char* path, int mode);
  // The next line, line end included, as a C string in `buffer`; returns the bytes placed there,
  // 0 at the end or when nothing can be read.
  virtual int ReadLine(char* buffer, int size);

  int Mode() const { return mode; }
  const ScrambledBuffer& Buffer() const { return buffer; }

 private:
  UniqueStdioFile file;
  ScrambledBuffer buffer;
  std::int32_t mode = ModePlain;
};
