#include "data/scrambled_buffer.h"

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "compat/file_length.h"
#include "compat/msvcrt_random.h"
#include "compat/stdio_file.h"

namespace {

// Rotations within 8 bits; a rotation by 0 leaves the byte as it is (the bits shifted out of the
// byte by 8 are cut off by the conversion).
unsigned char RotateRight(unsigned int value, int bits) {
  return static_cast<unsigned char>((value >> bits) | (value << (8 - bits)));
}

unsigned char RotateLeft(unsigned int value, int bits) {
  return static_cast<unsigned char>((value << bits) | (value >> (8 - bits)));
}

}  // namespace

ScrambledBuffer::ScrambledBuffer() {
  compat::RuntimeSrand(kKeySeed);
  for (int i = 0; i < kKeyTableSize; ++i) {
    KeyTable[i] = static_cast<unsigned char>(compat::RuntimeRand() & 0xFF);
  }
}

ScrambledBuffer::~ScrambledBuffer() = default;

bool ScrambledBuffer::Load(const char* path) {
  if (path == nullptr) return false;
  Release();
  UniqueStdioFile file(std::fopen(path, "rb"));
  if (!file) return false;
  const long length = compat::FileLength(file.get());
  // An empty file cannot be read in one item, and a length the signed 32-bit size cannot hold
  // (or that cannot be told) is refused rather than wrapped.
  if (length <= 0 || static_cast<unsigned long long>(length) > 0x7FFFFFFFull) return false;
  data.reset(static_cast<unsigned char*>(std::malloc(static_cast<size_t>(length))));
  if (!data) return false;
  size = static_cast<std::int32_t>(length);
  if (std::fread(data.get(), static_cast<size_t>(length), 1, file.get()) != 1) {
    // A short read leaves no half-filled block behind for a later ReadLine to hand out.
    Release();
    return false;
  }
  file.reset();
  Descramble(data.get(), size);
  return true;
}

void ScrambledBuffer::Release() {
  data.reset();
  size = 0;
  position = 0;
}

void ScrambledBuffer::Descramble(unsigned char* bytes, int count) const {
  if (bytes == nullptr || count <= 0) return;
  // Block by block of the key's length, so that the key index and the rotation are plain
  // positions within the block.
  for (int base = 0; base < count; base += kKeyTableSize) {
    unsigned char* block = bytes + base;
    const int length = count - base < kKeyTableSize ? count - base : kKeyTableSize;
    for (int j = 0; j < length; ++j) block[j] = RotateRight(block[j] ^ KeyTable[j], j & 7);
  }
}

void ScrambledBuffer::Scramble(unsigned char* bytes, int count) const {
  if (bytes == nullptr || count <= 0) return;
  for (int base = 0; base < count; base += kKeyTableSize) {
    unsigned char* block = bytes + base;
    const int length = count - base < kKeyTableSize ? count - base : kKeyTableSize;
    for (int j = 0; j < length; ++j) block[j] = RotateLeft(block[j], j & 7) ^ KeyTable[j];
  }
}

int ScrambledBuffer::ReadLine(char* buffer, int size) {
  if (!data) return 0;
  // Nothing may be written through a null buffer or into no room at all.
  if (buffer == nullptr || size < 1) return 0;
  std::memset(buffer, 0, static_cast<size_t>(size));
  if (position >= this->size) return 0;
  int copied = 0;
  while (copied < size && position < this->size) {
    const unsigned char byte = data[position++];
    buffer[copied++] = static_cast<char>(byte);
    if (byte == '\n') break;
  }
  return copied;
}
