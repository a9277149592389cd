#include "image/bmp_decoder.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "image/bmp_bitfields.h"
#include "image/bmp_rle.h"
#include "image/byte_order.h"
#include "image/image_file.h"
#include "image/source_position.h"

namespace {

constexpr WORD kBitmapMagic = 0x4D42;  // "BM"
constexpr DWORD kCoreHeaderSize = 12;
constexpr DWORD kInfoHeaderSize = 40;
constexpr DWORD kOs2HeaderSize = 64;

// biSizeImage = ((bit count × width + 31) / 32) × height × 4, in signed arithmetic. A row of
// 2^30 words or more gives a size beyond 32 bits unless the height is 0, and stopping there keeps
// the 64-bit product from overflowing.
bool HasExactPixelSize(const BITMAPINFOHEADER& info) {
  constexpr std::int64_t kLargestRow = std::int64_t{1} << 30;
  const std::int64_t rowWords = (std::int64_t{info.biBitCount} * info.biWidth + 31) / 32;
  if (rowWords >= kLargestRow || rowWords <= -kLargestRow) {
    return info.biHeight == 0 && info.biSizeImage == 0;
  }
  return rowWords * info.biHeight * 4 == std::int64_t{info.biSizeImage};
}

// The depths the pixel readers below know; any other would come out as a black picture.
bool HasPixelReader(WORD bitCount) {
  switch (bitCount) {
    case 1:
    case 4:
    case 8:
    case 16:
    case 24:
    case 32:
      return true;
    default:
      return false;
  }
}

}  // namespace

bool BmpDecoder::Fail(const char* message) {
  SetLastError(message);
  return false;
}

bool BmpDecoder::DecodeBmp(ImageFile* source) {
  if (source == nullptr) return Fail("Not a BMP");
  startPos = source->Tell();
  if (startPos < 0) startPos = 0;

  BYTE raw[14];
  if (source->Read(raw, sizeof raw, 1) == 0) return Fail("Not a BMP");
  fileHeader.bfType = LittleEndian16(raw);
  fileHeader.bfSize = LittleEndian32(raw + 2);
  fileHeader.bfReserved1 = LittleEndian16(raw + 6);
  fileHeader.bfReserved2 = LittleEndian16(raw + 8);
  fileHeader.bfOffBits = LittleEndian32(raw + 10);
  if (fileHeader.bfType != kBitmapMagic) {
    // A bare bitmap: the info header comes first and the pixels follow the colour table.
    fileHeader.bfOffBits = 0;
    source->Seek(startPos, SEEK_SET);
  }

  if (!ReadInfoHeader(source)) return Fail("Error reading BMP info");
  isCore = infoHeader.biSize == kCoreHeaderSize;
  DWORD height = static_cast<DWORD>(infoHeader.biHeight);
  if (infoHeader.biHeight < 0) {
    topDown = true;
    height = 0u - height;
  }
  if (!HasPixelReader(infoHeader.biBitCount)) return Fail("bit count not supported");
  if (infoHeader.biWidth == 0 || height == 0) return Fail("zero width or height");

  // A negative width turns into a size far above the limit, so Create refuses it.
  if (!Create(static_cast<DWORD>(infoHeader.biWidth), height, infoHeader.biBitCount)) {
    return Fail("Can't allocate memory");
  }
  header.biXPelsPerMeter = infoHeader.biXPelsPerMeter;
  header.biYPelsPerMeter = infoHeader.biYPelsPerMeter;
  std::memcpy(dib.get(), &header, sizeof header);

  ReadColourTable(source);
  if (!ReadPixels(source)) return false;
  if (topDown) FlipRows();
  return true;
}

bool BmpDecoder::ReadInfoHeader(ImageFile* source) {
  BYTE raw[kInfoHeaderSize];
  if (source->Read(raw, sizeof raw, 1) == 0) return false;
  BITMAPINFOHEADER& info = infoHeader;
  info = BITMAPINFOHEADER{};
  info.biSize = LittleEndian32(raw);
  if (info.biSize == kCoreHeaderSize) {
    info.biWidth = LittleEndian16(raw + 4);
    info.biHeight = LittleEndian16(raw + 6);
    info.biPlanes = LittleEndian16(raw + 8);
    info.biBitCount = LittleEndian16(raw + 10);
    source->Seek(static_cast<long>(kCoreHeaderSize) - static_cast<long>(kInfoHeaderSize), SEEK_CUR);
  } else {
    info.biWidth = LittleEndianSigned32(raw + 4);
    info.biHeight = LittleEndianSigned32(raw + 8);
    info.biPlanes = LittleEndian16(raw + 12);
    info.biBitCount = LittleEndian16(raw + 14);
    info.biCompression = LittleEndian32(raw + 16);
    info.biSizeImage = LittleEndian32(raw + 20);
    info.biXPelsPerMeter = LittleEndianSigned32(raw + 24);
    info.biYPelsPerMeter = LittleEndianSigned32(raw + 28);
    info.biClrUsed = LittleEndian32(raw + 32);
    info.biClrImportant = LittleEndian32(raw + 36);
    if (info.biSize == kOs2HeaderSize) {
      source->Seek(static_cast<long>(kOs2HeaderSize - kInfoHeaderSize), SEEK_CUR);
    } else if (info.biSize < kInfoHeaderSize) {
      return false;
    } else if (info.biSize > kInfoHeaderSize) {
      // Longer headers are taken only as plain uncompressed bitmaps whose pixel size is exact.
      if (!HasExactPixelSize(info) || info.biPlanes != 1 || info.biCompression != BI_RGB ||
          info.biClrUsed != 0) {
        return false;
      }
      SkipForward(source, info.biSize - kInfoHeaderSize);
    }
  }
  if (info.biClrUsed == 0 && info.biBitCount <= 8) info.biClrUsed = 1u << info.biBitCount;
  return true;
}

void BmpDecoder::ReadColourTable(ImageFile* source) {
  RGBQUAD* table = Palette();
  if (table == nullptr) return;
  const DWORD capacity = header.biClrUsed;
  const DWORD wanted = infoHeader.biClrUsed;
  const DWORD stored = wanted < capacity ? wanted : capacity;
  const DWORD entrySize = isCore ? 3 : 4;
  BYTE* bytes = reinterpret_cast<BYTE*>(table);
  source->Read(bytes, 1, static_cast<std::size_t>(stored) * entrySize);
  SkipForward(source, std::uint64_t{wanted - stored} * entrySize);

  if (isCore) {
    // Spread 3-byte entries to 4 bytes from the last down, so no entry is overwritten unread.
    for (DWORD i = capacity; i-- > 0;) {
      const BYTE blue = bytes[i * 3];
      const BYTE green = bytes[i * 3 + 1];
      const BYTE red = bytes[i * 3 + 2];
      table[i] = RGBQUAD{blue, green, red, 0};
    }
    return;
  }
  for (DWORD i = 0; i < capacity; ++i) table[i].rgbReserved = 0;
}

void BmpDecoder::SeekToBits(ImageFile* source) {
  if (fileHeader.bfOffBits == 0) return;
  SeekFromStart(source, static_cast<std::uint64_t>(startPos) + fileHeader.bfOffBits);
}

// Not one pixel byte in the file is refused; a file cut off after some keeps decoding, rest black.
bool BmpDecoder::ReadPixels(ImageFile* source) {
  const DWORD height = static_cast<DWORD>(GetHeight());
  bool hadData = false;
  switch (infoHeader.biBitCount) {
    case 1:
    case 4:
    case 8:
      SeekToBits(source);
      switch (infoHeader.biCompression) {
        case BI_RGB:
          hadData = source->Read(settings.pixels, 1, header.biSizeImage) > 0;
          break;
        case BI_RLE8:
          hadData =
              DecodeRle8(source, settings.pixels, header.biSizeImage, settings.stride, height);
          break;
        case BI_RLE4:
          hadData =
              DecodeRle4(source, settings.pixels, header.biSizeImage, settings.stride, height);
          break;
        default:
          return Fail("compression type not supported");
      }
      break;
    case 16:
      hadData = ReadBitFields16(source);
      break;
    case 24:
      if (infoHeader.biCompression != BI_RGB) return Fail("unknown compression");
      SeekToBits(source);
      hadData = source->Read(settings.pixels, 1, header.biSizeImage) > 0;
      break;
    default:  // 32 bits: DecodeBmp has refused every depth without a reader
      if (infoHeader.biCompression != BI_RGB && infoHeader.biCompression != BI_BITFIELDS) {
        return Fail("unknown compression");
      }
      std::unique_ptr<BYTE[]> row(new (std::nothrow)
                                      BYTE[static_cast<std::size_t>(GetWidth()) * 4]);
      if (!row) return Fail("can't allocate memory");
      SeekToBits(source);
      hadData = ReadPixels32(source, row.get());
      break;
  }
  return hadData || Fail("no pixel data");
}

bool BmpDecoder::ReadBitFields16(ImageFile* source) {
  BitFieldMasks masks{0x7C00, 0x03E0, 0x001F};
  if (infoHeader.biCompression == BI_BITFIELDS) {
    BYTE raw[12] = {};
    source->Read(raw, 1, sizeof raw);
    masks = BitFieldMasks{LittleEndian32(raw), LittleEndian32(raw + 4), LittleEndian32(raw + 8)};
  }
  SeekToBits(source);
  const DWORD width = static_cast<DWORD>(GetWidth());
  const DWORD height = static_cast<DWORD>(GetHeight());
  const std::size_t sourceStride = ((static_cast<std::size_t>(width) + 1) / 2) * 4;
  const std::size_t bytesRead = source->Read(settings.pixels, 1, sourceStride * height);
  // Rows the file did not supply are still zero and would widen to zero: leave them.
  const std::size_t rowsRead = (bytesRead + sourceStride - 1) / sourceStride;
  WidenBitFields16(settings.pixels, width, static_cast<DWORD>(rowsRead), sourceStride,
                   settings.stride, masks);
  return bytesRead > 0;
}

// Row by row through one row's buffer, so no allocation beside the image's own grows with the
// picture.
bool BmpDecoder::ReadPixels32(ImageFile* source, BYTE* fileRow) {
  const std::size_t width = static_cast<std::size_t>(GetWidth());
  const DWORD height = static_cast<DWORD>(GetHeight());
  bool hadData = false;
  for (DWORD row = 0; row < height; ++row) {
    const std::size_t bytesRead = source->Read(fileRow, 1, width * 4);
    hadData = hadData || bytesRead > 0;
    // The fourth byte is dropped and no masks apply: every file is read as blue, green, red, x.
    const BYTE* from = fileRow;
    BYTE* to = RowPointer(row);
    for (std::size_t column = 0; column < bytesRead / 4; ++column, from += 4, to += 3) {
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
    }
    if (bytesRead < width * 4) break;
  }
  return hadData;
}
