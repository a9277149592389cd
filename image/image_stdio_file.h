// An ImageFile over a buffered stream of the C runtime.
#pragma once

#include <cstdio>

#include "image/image_file.h"

class ImageStdioFile : public ImageFile {
 public:
  // Wraps `stream` without taking it over; the caller closes it. Without a stream every
  // operation reports failure or end of data.
  explicit ImageStdioFile(std::FILE* stream = nullptr);
  ~ImageStdioFile() override;

  // Closes the stream only when this object owns it, then forgets it. True when the close
  // succeeded or there was nothing to close.
  bool Close() override;
  std::size_t Read(void* buffer, std::size_t size, std::size_t count) override;
  std::size_t Write(const void* buffer, std::size_t size, std::size_t count) override;
  bool Seek(long offset, int origin) override;
  long Tell() override;
  // Length of the whole stream; the position is kept.
  long Size() override;
  bool Flush() override;
  bool Eof() override;
  long Error() override;
  bool PutByte(unsigned char c) override;
  long GetByte() override;

 private:
  std::FILE* stream;
  bool closeOnDestroy;
};
