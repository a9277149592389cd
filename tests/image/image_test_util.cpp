#include "tests/image/image_test_util.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "tests/support/test_support.h"

namespace image_test {

std::string Le16(unsigned value) {
  return std::string{static_cast<char>(value & 0xFF), static_cast<char>((value >> 8) & 0xFF)};
}

std::string Le32(std::uint32_t value) { return Le16(value & 0xFFFF) + Le16(value >> 16); }

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

std::string MakeBmp(const BmpFile& bmp) {
  std::string info = Le32(bmp.headerSize) + Le32(bmp.width) + Le32(bmp.height) + Le16(1) +
                     Le16(bmp.bpp) + Le32(bmp.compression) + Le32(bmp.sizeImage) + Le32(2835) +
                     Le32(2835) + Le32(bmp.clrUsed) + Le32(0);
  if (bmp.headerSize > 40) info.resize(bmp.headerSize, '\0');
  std::string table;
  for (std::uint32_t entry : bmp.palette) table += Le32(entry);
  const std::string body = info + table + bmp.masks + std::string(bmp.gap, '\0');
  if (!bmp.fileHeader) return body + bmp.bits;
  const std::uint32_t offset = static_cast<std::uint32_t>(14 + body.size());
  return "BM" + Le32(static_cast<std::uint32_t>(offset + bmp.bits.size())) + Le32(0) +
         Le32(offset) + body + bmp.bits;
}

std::string MakeTga(BYTE type, WORD width, WORD height, BYTE depth, BYTE descriptor,
                    const std::string& body, BYTE mapType, WORD mapLength, BYTE mapEntrySize,
                    BYTE idLength) {
  std::string header{static_cast<char>(idLength), static_cast<char>(mapType),
                     static_cast<char>(type)};
  header += Le16(0) + Le16(mapLength) + std::string(1, static_cast<char>(mapEntrySize));
  header += Le16(0) + Le16(0) + Le16(width) + Le16(height);
  header += std::string{static_cast<char>(depth), static_cast<char>(descriptor)};
  return header + body;
}

std::size_t MemoryFile::Read(void* buffer, std::size_t size, std::size_t count) {
  if (size == 0 || count == 0) return 0;
  const std::size_t available = position_ < Size() ? bytes_.size() - position_ : 0;
  const std::size_t taken = std::min(size * count, available);
  if (taken > 0) std::memcpy(buffer, bytes_.data() + position_, taken);
  position_ += static_cast<long>(taken);
  if (taken < size * count) eof_ = true;
  return taken / size;
}

bool MemoryFile::Seek(long offset, int origin) {
  const long base = origin == SEEK_SET ? 0 : origin == SEEK_CUR ? position_ : Size();
  if (base + offset < 0) return false;
  position_ = base + offset;
  eof_ = false;
  return true;
}

long MemoryFile::GetByte() {
  unsigned char c;
  return Read(&c, 1, 1) == 1 ? c : -1;
}

bool DecodeBytes(CxImage& image, const std::string& bytes, int type) {
  MemoryFile source(bytes);
  return image.Decode(&source, type);
}

std::uint32_t Rgb(const CxImage& image, long x, long row) {
  const RGBQUAD c = image.GetPixelColor(x, row);
  return (std::uint32_t{c.rgbRed} << 16) | (std::uint32_t{c.rgbGreen} << 8) | c.rgbBlue;
}

bool ReadPam(const std::string& path, Pam& pam) {
  const std::string bytes = testing_support::ReadFile(path);
  const std::size_t end = bytes.find("ENDHDR\n");
  if (bytes.compare(0, 3, "P7\n") != 0 || end == std::string::npos) return false;
  std::istringstream header(bytes.substr(3, end - 3));
  std::string key;
  while (header >> key) {
    if (key == "WIDTH")
      header >> pam.width;
    else if (key == "HEIGHT")
      header >> pam.height;
    else if (key == "DEPTH")
      header >> pam.depth;
    else
      header.ignore(256, '\n');
  }
  pam.data = bytes.substr(end + 7);
  return pam.depth > 0 &&
         pam.data.size() == static_cast<std::size_t>(pam.width * pam.height * pam.depth);
}

}  // namespace image_test
