#include "bench/image/picture_files.h"

#include <cstdint>
#include <vector>

namespace picture_files {
namespace {

std::string Le16(unsigned v) {
  return {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8 & 0xFF)};
}
std::string Le32(std::uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }

std::string BmpFile(int bpp, std::uint32_t compression, const std::string& table,
                    const std::string& bits) {
  const std::uint32_t offset = static_cast<std::uint32_t>(14 + 40 + table.size());
  return "BM" + Le32(static_cast<std::uint32_t>(offset + bits.size())) + Le32(0) + Le32(offset) +
         Le32(40) + Le32(kWidth) + Le32(kHeight) + Le16(1) + Le16(static_cast<unsigned>(bpp)) +
         Le32(compression) + Le32(static_cast<std::uint32_t>(bits.size())) + Le32(2835) +
         Le32(2835) + Le32(table.size() / 4) + Le32(0) + table + bits;
}

// Deterministic noise.
std::uint32_t Next(std::uint32_t& seed) {
  seed = seed * 1664525u + 1013904223u;
  return seed >> 24;
}

// Palette index of pixel (x, y): bands of a few tens of pixels, broken by thin lines.
std::vector<unsigned char> IndexRow(int y) {
  std::vector<unsigned char> row(kWidth);
  for (int x = 0; x < kWidth; ++x) {
    row[x] = static_cast<unsigned char>((x / 37 + y / 23) * 7 % 256);
    if ((x + y) % 97 < 3) row[x] = static_cast<unsigned char>(x % 256);
  }
  return row;
}

std::string Palette() {
  std::string table;
  for (unsigned i = 0; i < 256; ++i) table += Le32((i * 0x010307u) & 0xFFFFFF);
  return table;
}

}  // namespace

std::string Bmp24() {
  const int stride = (kWidth * 3 + 3) / 4 * 4;
  std::string bits(static_cast<std::size_t>(stride) * kHeight, '\0');
  std::uint32_t seed = 7;
  for (int y = 0; y < kHeight; ++y) {
    for (int x = 0; x < kWidth; ++x) {
      char* p = &bits[static_cast<std::size_t>(y) * stride + x * 3];
      p[0] = static_cast<char>(x * 255 / kWidth + Next(seed) % 8);
      p[1] = static_cast<char>(y * 255 / kHeight + Next(seed) % 8);
      p[2] = static_cast<char>((x + y) % 256);
    }
  }
  return BmpFile(24, 0, "", bits);
}

std::string Bmp8Plain() {
  const int stride = (kWidth + 3) / 4 * 4;
  std::string bits;
  for (int y = 0; y < kHeight; ++y) {
    const std::vector<unsigned char> row = IndexRow(y);
    bits.append(row.begin(), row.end());
    bits.append(static_cast<std::size_t>(stride - kWidth), '\0');
  }
  return BmpFile(8, 0, Palette(), bits);
}

std::string Bmp8Rle() {
  std::string bits;
  for (int y = 0; y < kHeight; ++y) {
    const std::vector<unsigned char> row = IndexRow(y);
    int x = 0;
    while (x < kWidth) {
      int run = 1;
      while (x + run < kWidth && run < 255 && row[x + run] == row[x]) ++run;
      if (run >= 3 || kWidth - x < 3) {
        bits += static_cast<char>(run);
        bits += static_cast<char>(row[x]);
        x += run;
        continue;
      }
      // A literal until the next run of three begins.
      int literal = 0;
      while (x + literal < kWidth && literal < 255 &&
             !(x + literal + 2 < kWidth && row[x + literal] == row[x + literal + 1] &&
               row[x + literal] == row[x + literal + 2])) {
        ++literal;
      }
      if (literal < 3) literal = 3;
      bits += '\0';
      bits += static_cast<char>(literal);
      bits.append(row.begin() + x, row.begin() + x + literal);
      if (literal & 1) bits += '\0';
      x += literal;
    }
    bits += std::string("\0\0", 2);
  }
  bits += std::string("\0\1", 2);
  return BmpFile(8, 1, Palette(), bits);
}

std::string Tga32Rle() {
  std::string file = std::string("\0\0\x0A", 3) + Le16(0) + Le16(0) + std::string(1, '\0') +
                     Le16(0) + Le16(0) + Le16(kWidth) + Le16(kHeight) + std::string("\x20\x08", 2);
  for (int y = 0; y < kHeight; ++y) {
    std::vector<std::uint32_t> row(kWidth);
    for (int x = 0; x < kWidth; ++x) {
      const std::uint32_t alpha = x < 40 ? x * 6 : 255;
      row[x] = (alpha << 24) | ((x / 16 % 8) * 0x202020u) | static_cast<std::uint32_t>(y / 8 % 256);
    }
    int x = 0;
    while (x < kWidth) {
      int run = 1;
      while (x + run < kWidth && run < 128 && row[x + run] == row[x]) ++run;
      if (run > 1) {
        file += static_cast<char>(0x80 | (run - 1));
        file += Le32(row[x]);
      } else {
        int raw = 1;
        while (x + raw < kWidth && raw < 128 && row[x + raw] != row[x + raw - 1]) ++raw;
        file += static_cast<char>(raw - 1);
        for (int i = 0; i < raw; ++i) file += Le32(row[x + i]);
        run = raw;
      }
      x += run;
    }
  }
  return file;
}

}  // namespace picture_files
