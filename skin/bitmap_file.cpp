#include "skin/bitmap_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#include "compat/windows/file_handles.h"
#include "compat/windows/gdi_handles.h"

namespace {

// Larger files go to the system's loader, which maps them instead of copying them.
constexpr LONGLONG kMostFileBytes = 64 * 1024 * 1024;
constexpr WORD kBmpSignature = 0x4D42;  // "BM"
constexpr size_t kFileHeaderBytes = sizeof(BITMAPFILEHEADER);
constexpr size_t kMaskBytes = 3 * sizeof(DWORD);
// 24-bit rows are read through a buffer of this many bytes at most.
constexpr size_t kBandBytes = 128 * 1024;
// The longest header, its masks and a full colour table: all a section takes before the rows.
constexpr size_t kMostHeadBytes = kFileHeaderBytes + sizeof(BITMAPV5HEADER) + kMaskBytes + 1024;

// The header with what follows it in a BITMAPINFO: the colour masks or the colour table.
struct SectionFormat {
  BITMAPINFOHEADER header;
  RGBQUAD colours[256];
};

// Where the rows are in the file, and the bytes of one row there.
struct RowsPlace {
  size_t offset = 0;
  size_t bytes = 0;
  size_t stride = 0;
};

bool KnownHeaderSize(DWORD size) {
  // BITMAPINFOHEADER, its two extensions with masks, BITMAPV4HEADER and BITMAPV5HEADER.
  return size == 40 || size == 52 || size == 56 || size == 108 || size == 124;
}

// Reads the format from the file's first bytes; false for any file a section would not show
// exactly as the system's loader does, or whose rows the file does not hold.
bool ReadSectionFormat(const std::vector<BYTE>& head, std::uint64_t fileBytes,
                       SectionFormat& format, RowsPlace& rows) {
  if (head.size() < kFileHeaderBytes + sizeof(BITMAPINFOHEADER)) return false;
  BITMAPFILEHEADER file;
  std::memcpy(&file, head.data(), sizeof file);
  DWORD headerSize;
  std::memcpy(&headerSize, head.data() + kFileHeaderBytes, sizeof headerSize);
  if (file.bfType != kBmpSignature || !KnownHeaderSize(headerSize)) return false;
  BITMAPINFOHEADER& header = format.header;
  std::memcpy(&header, head.data() + kFileHeaderBytes, sizeof header);
  header.biSize = sizeof header;

  const int bits = header.biBitCount;
  const bool masked = header.biCompression == BI_BITFIELDS && (bits == 16 || bits == 32);
  // Left to the system: one bit per pixel, which it makes a monochrome bitmap of that draws in
  // the text colours, not the file's; and rows stored from the top, which Wine's loader does not
  // draw as a section does.
  if (header.biPlanes != 1 || header.biWidth <= 0 || header.biHeight <= 0 ||
      (header.biCompression != BI_RGB && !masked) ||
      (bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)) {
    return false;
  }

  // The masks follow the first 40 bytes of every header that has them; the colour table follows
  // the masks after a plain header, and the header itself after the longer ones.
  size_t tableOffset = kFileHeaderBytes + headerSize;
  if (masked) {
    if (head.size() < kFileHeaderBytes + sizeof header + kMaskBytes) return false;
    std::memcpy(format.colours, head.data() + kFileHeaderBytes + sizeof header, kMaskBytes);
    if (headerSize == sizeof header) tableOffset += kMaskBytes;
  }
  size_t colours = 0;
  if (bits <= 8) {
    const DWORD most = 1u << bits;
    colours = header.biClrUsed == 0 ? most : header.biClrUsed;
    if (colours > most) return false;
    header.biClrUsed = static_cast<DWORD>(colours);
  } else {
    header.biClrUsed = 0;  // a table beside true colours draws nothing
  }
  const size_t tableEnd = tableOffset + colours * sizeof(RGBQUAD);
  if (tableEnd > head.size() || file.bfOffBits < tableEnd) return false;
  std::memcpy(format.colours, head.data() + tableOffset, colours * sizeof(RGBQUAD));

  const std::uint64_t stride = (static_cast<std::uint64_t>(header.biWidth) * bits + 31) / 32 * 4;
  const std::uint64_t bytes = stride * static_cast<std::uint64_t>(header.biHeight);
  if (file.bfOffBits > fileBytes || bytes > fileBytes - file.bfOffBits) return false;
  header.biSizeImage = 0;
  rows.offset = file.bfOffBits;
  rows.bytes = static_cast<size_t>(bytes);
  rows.stride = static_cast<size_t>(stride);
  return true;
}

bool ReadAt(HANDLE file, std::uint64_t offset, void* buffer, size_t bytes) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  DWORD read = 0;
  return ::SetFilePointerEx(file, position, nullptr, FILE_BEGIN) &&
         ::ReadFile(file, buffer, static_cast<DWORD>(bytes), &read, nullptr) && read == bytes;
}

// Reads 24-bit rows into a 32-bit section's, a band at a time, each pixel's blue, green and red
// bytes followed by a zero byte.
bool ReadWidenedRows(HANDLE file, const RowsPlace& rows, const BITMAPINFOHEADER& header,
                     void* bits) {
  const size_t width = static_cast<size_t>(header.biWidth);
  const size_t height = static_cast<size_t>(header.biHeight);
  const size_t fileStride = rows.stride;
  const size_t bandRows = std::max<size_t>(1, kBandBytes / fileStride);
  std::vector<BYTE> band(fileStride * std::min(bandRows, height));
  auto* pixels = static_cast<DWORD*>(bits);
  for (size_t top = 0; top < height; top += bandRows) {
    const size_t count = std::min(bandRows, height - top);
    if (!ReadAt(file, rows.offset + top * fileStride, band.data(), count * fileStride)) {
      return false;
    }
    for (size_t row = 0; row < count; ++row) {
      const BYTE* from = band.data() + row * fileStride;
      DWORD* to = pixels + (top + row) * width;
      for (size_t x = 0; x < width; ++x, from += 3) {
        to[x] = from[0] | (static_cast<DWORD>(from[1]) << 8) | (static_cast<DWORD>(from[2]) << 16);
      }
    }
  }
  return true;
}

}  // namespace

// The rows go straight from the file into the section: every page of a fresh buffer costs a fault
// on first touch, which at start-up is most of what loading a skin costs. 24-bit rows are widened
// to 32 bits on the way, the screen's own format: every paint of the skin is then a plain copy,
// not a conversion.
HBITMAP LoadBitmapSection(const char* path) {
  const UniqueFileHandle file(::CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER fileBytes;
  if (!file || !::GetFileSizeEx(file.get(), &fileBytes) || fileBytes.QuadPart > kMostFileBytes) {
    return nullptr;
  }
  std::vector<BYTE> head(std::min<size_t>(kMostHeadBytes, static_cast<size_t>(fileBytes.QuadPart)));
  SectionFormat format{};
  RowsPlace rows;
  if (!ReadAt(file.get(), 0, head.data(), head.size()) ||
      !ReadSectionFormat(head, static_cast<std::uint64_t>(fileBytes.QuadPart), format, rows)) {
    return nullptr;
  }
  const bool widen = format.header.biBitCount == 24;
  if (widen) format.header.biBitCount = 32;
  void* bits = nullptr;
  UniqueGdiObject<HBITMAP> section(::CreateDIBSection(
      nullptr, reinterpret_cast<const BITMAPINFO*>(&format), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!section || bits == nullptr) return nullptr;
  const bool read = widen ? ReadWidenedRows(file.get(), rows, format.header, bits)
                          : ReadAt(file.get(), rows.offset, bits, rows.bytes);
  return read ? section.release() : nullptr;
}

HBITMAP LoadBitmapFile(const char* path) {
  if (HBITMAP section = LoadBitmapSection(path)) return section;
  return static_cast<HBITMAP>(::LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
}
