#include "data/scrambled_file.h"

#include <cstring>

ScrambledFile::ScrambledFile() = default;

ScrambledFile::~ScrambledFile() { ScrambledFile::Close(); }

void ScrambledFile::Close() {
  switch (mode) {
    case ModePlain:
      file.reset();
      break;
    case ModeScrambled:
      buffer.Release();
      break;
    default:
      break;
  }
}

int ScrambledFile::Open(const char* path, int mode) {
  if (path == nullptr) return 0;
  this->mode = mode;
  switch (mode) {
    case ModePlain:
      // "rb": line ends reach the caller exactly as stored, carriage returns included.
      file.reset(std::fopen(path, "rb"));
      return file ? 1 : 0;
    case ModeScrambled:
      return buffer.Load(path) ? 1 : 0;
    default:
      return 0;
  }
}

int ScrambledFile::ReadLine(char* buffer, int size) {
  if (buffer == nullptr || size < 1) return 0;
  switch (mode) {
    case ModePlain:
      if (!file) return 0;
      if (std::fgets(buffer, size, file.get()) == nullptr) return 0;
      return static_cast<int>(std::strlen(buffer));
    case ModeScrambled:
      return this->buffer.ReadLine(buffer, size);
    default:
      return 0;
  }
}
