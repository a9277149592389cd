// The byte source the image decoders read from.
#pragma once

#include <cstddef>

// Abstract byte source. The decoders only use Read, Seek, Tell and Eof; the rest completes the
// stream interface so that other sources (memory, archives) can stand in for a file.
class ImageFile {
 public:
  virtual ~ImageFile() = default;

  virtual bool Close() = 0;
  // Number of whole items of `size` bytes read into `buffer`.
  virtual std::size_t Read(void* buffer, std::size_t size, std::size_t count) = 0;
  // Number of whole items of `size` bytes written from `buffer`.
  virtual std::size_t Write(const void* buffer, std::size_t size, std::size_t count) = 0;
  // `origin`: 0 from the start, 1 from the current position, 2 from the end.
  virtual bool Seek(long offset, int origin) = 0;
  virtual long Tell() = 0;
  virtual long Size() = 0;
  virtual bool Flush() = 0;
  virtual bool Eof() = 0;
  // Non-zero after a stream error.
  virtual long Error() = 0;
  // A one-byte Write.
  virtual bool PutByte(unsigned char c);
  // The next byte, or -1.
  virtual long GetByte() = 0;

 protected:
  ImageFile() = default;
  ImageFile(const ImageFile&) = delete;
  ImageFile& operator=(const ImageFile&) = delete;
};
