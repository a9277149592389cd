// Builders of small BMP and TGA files, an in-memory byte source, and a PAM reader for the image
// tests of both trees.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "compat/platform.h"
#include "image/cximage.h"
#include "image/image_file.h"

namespace image_test {

std::string Le16(unsigned value);
std::string Le32(std::uint32_t value);
// Each value as one byte.
std::string Bytes(std::initializer_list<int> values);

// A BMP as the tests need it; the file header's offset is worked out unless given.
struct BmpFile {
  std::int32_t width = 1;
  std::int32_t height = 1;
  WORD bpp = 24;
  DWORD compression = BI_RGB;
  DWORD headerSize = 40;
  DWORD clrUsed = 0;
  DWORD sizeImage = 0;
  bool fileHeader = true;
  std::vector<std::uint32_t> palette;  // 0x00RRGGBB
  std::string masks;                   // bytes between the colour table and the pixels
  std::size_t gap = 0;                 // unused bytes before the pixels
  std::string bits;
};
std::string MakeBmp(const BmpFile& bmp);

// An 18-byte TGA header followed by `body` (image ID, colour map and pixels).
std::string MakeTga(BYTE type, WORD width, WORD height, BYTE depth, BYTE descriptor,
                    const std::string& body, BYTE mapType = 0, WORD mapLength = 0,
                    BYTE mapEntrySize = 0, BYTE idLength = 0);

// Bytes in memory behind the ImageFile interface, with a stream's end-of-file behaviour: the
// flag is set by a short read and cleared by a seek.
class MemoryFile : public ImageFile {
 public:
  explicit MemoryFile(std::string bytes) : bytes_(std::move(bytes)) {}
  bool Close() override { return true; }
  std::size_t Read(void* buffer, std::size_t size, std::size_t count) override;
  std::size_t Write(const void*, std::size_t, std::size_t) override { return 0; }
  bool Seek(long offset, int origin) override;
  long Tell() override { return position_; }
  long Size() override { return static_cast<long>(bytes_.size()); }
  bool Flush() override { return true; }
  bool Eof() override { return eof_; }
  long Error() override { return 0; }
  long GetByte() override;

 private:
  std::string bytes_;
  long position_ = 0;
  bool eof_ = false;
};

bool DecodeBytes(CxImage& image, const std::string& bytes, int type = ImageTypeUnknown);

// Stored pixel (x, row) as 0xRRGGBB.
std::uint32_t Rgb(const CxImage& image, long x, long row);

// A PAM picture with its rows top first.
struct Pam {
  long width = 0;
  long height = 0;
  int depth = 0;
  std::string data;
  const BYTE* At(long x, long y) const {
    return reinterpret_cast<const BYTE*>(data.data()) + (y * width + x) * depth;
  }
};
bool ReadPam(const std::string& path, Pam& pam);

}  // namespace image_test
