#include "image/image_stdio_file.h"

ImageStdioFile::ImageStdioFile(std::FILE* stream)
    : stream(stream), closeOnDestroy(stream == nullptr) {}

ImageStdioFile::~ImageStdioFile() { Close(); }

bool ImageStdioFile::Close() {
  bool closed = true;
  if (stream != nullptr && closeOnDestroy) closed = std::fclose(stream) == 0;
  stream = nullptr;
  return closed;
}

std::size_t ImageStdioFile::Read(void* buffer, std::size_t size, std::size_t count) {
  if (stream == nullptr || buffer == nullptr || size == 0 || count == 0) return 0;
  return std::fread(buffer, size, count, stream);
}

std::size_t ImageStdioFile::Write(const void* buffer, std::size_t size, std::size_t count) {
  if (stream == nullptr || buffer == nullptr || size == 0 || count == 0) return 0;
  return std::fwrite(buffer, size, count, stream);
}

bool ImageStdioFile::Seek(long offset, int origin) {
  if (stream == nullptr) return false;
  return std::fseek(stream, offset, origin) == 0;
}

long ImageStdioFile::Tell() {
  if (stream == nullptr) return 0;
  return std::ftell(stream);
}

long ImageStdioFile::Size() {
  if (stream == nullptr) return -1;
  const long position = std::ftell(stream);
  std::fseek(stream, 0, SEEK_END);
  const long size = std::ftell(stream);
  std::fseek(stream, position, SEEK_SET);
  return size;
}

bool ImageStdioFile::Flush() {
  if (stream == nullptr) return false;
  return std::fflush(stream) == 0;
}

bool ImageStdioFile::Eof() {
  if (stream == nullptr) return true;
  return std::feof(stream) != 0;
}

long ImageStdioFile::Error() {
  if (stream == nullptr) return -1;
  return std::ferror(stream);
}

bool ImageStdioFile::PutByte(unsigned char c) {
  if (stream == nullptr) return false;
  return std::fputc(c, stream) != EOF;
}

long ImageStdioFile::GetByte() {
  if (stream == nullptr) return -1;
  return std::fgetc(stream);
}
