#include "image/tga_decoder.h"

#include <cstdio>

#include "image/byte_order.h"
#include "image/image_file.h"

namespace {

constexpr BYTE kNoPendingPacket = 255;
constexpr BYTE kRightToLeft = 0x10;
constexpr BYTE kTopDown = 0x20;

// Colour-map entry sizes the format defines. Entries are still read as 3 bytes whatever the size
// (see ReadColourMap); a size outside these says the header is not a TGA colour map at all.
bool IsColourMapEntrySize(BYTE bits) {
  return bits == 15 || bits == 16 || bits == 24 || bits == 32;
}

DWORD FileBytesPerPixel(BYTE depth) {
  switch (depth) {
    case 8:
      return 1;
    case 15:
    case 16:
      return 2;
    case 24:
      return 3;
    default:
      return 4;
  }
}

// File pixel -> blue, green, red (8-bit data: the palette index in [0]) and alpha.
void ConvertPixel(const BYTE* from, BYTE depth, BYTE* to, BYTE& alpha) {
  switch (depth) {
    case 8:
      to[0] = from[0];
      return;
    case 15:
    case 16: {
      const WORD w = LittleEndian16(from);  // the top bit is an attribute, no colour
      to[0] = static_cast<BYTE>((w & 0x1F) << 3);
      to[1] = static_cast<BYTE>((w >> 2) & 0xF8);
      to[2] = static_cast<BYTE>((w >> 7) & 0xF8);
      return;
    }
    case 24:
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
      return;
    default:
      to[0] = from[0];
      to[1] = from[1];
      to[2] = from[2];
      alpha = from[3];
      return;
  }
}

}  // namespace

bool TgaDecoder::Fail(const char* message) {
  SetLastError(message);
  return false;
}

bool TgaDecoder::DecodeTga(ImageFile* source) {
  BYTE raw[18];
  if (source == nullptr || source->Read(raw, sizeof raw, 1) == 0) return Fail("Not a TGA");
  TgaHeader tga{};
  tga.idLength = raw[0];
  tga.colourMapType = raw[1];
  tga.imageType = raw[2];
  tga.colourMapFirst = LittleEndian16(raw + 3);
  tga.colourMapLength = LittleEndian16(raw + 5);
  tga.colourMapEntrySize = raw[7];
  tga.xOrigin = LittleEndian16(raw + 8);
  tga.yOrigin = LittleEndian16(raw + 10);
  tga.width = LittleEndian16(raw + 12);
  tga.height = LittleEndian16(raw + 14);
  tga.pixelDepth = raw[16];
  tga.descriptor = raw[17];

  bool compressed = false;
  switch (tga.imageType) {
    case 1:
    case 2:
    case 3:
      compressed = false;
      break;
    case 9:
    case 10:
    case 11:
      compressed = true;
      break;
    default:
      return Fail("Unknown TGA image type");
  }
  if (tga.width == 0 || tga.height == 0 || tga.pixelDepth == 0 || tga.colourMapLength > 256) {
    return Fail("bad TGA header");
  }
  const BYTE depth = tga.pixelDepth;
  if (depth != 8 && depth != 15 && depth != 16 && depth != 24 && depth != 32) {
    return Fail("bad TGA header");
  }
  const bool carriesColourMap = tga.colourMapType != 0 && tga.colourMapLength != 0;
  if (carriesColourMap && !IsColourMapEntrySize(tga.colourMapEntrySize)) {
    return Fail("bad TGA header");
  }
  if (tga.idLength != 0) source->Seek(tga.idLength, SEEK_CUR);

  Create(tga.width, tga.height, depth);
  // A 32-bit picture without its alpha plane would be drawn wrongly: treat that as a failed create.
  if (!dib || (depth == 32 && !CreateAlphaPlane())) {
    Destroy();
    return Fail("TGA Create failed");
  }
  if (tga.colourMapType != 0) ReadColourMap(source, tga);
  if (tga.imageType == 3 || tga.imageType == 11) FillGrayPalette();

  // Pixels a truncated file never supplies keep the zeroes Create put there: they come out black.
  scratch.assign(static_cast<std::size_t>(tga.width) * FileBytesPerPixel(depth), 0);
  const bool topDown = (tga.descriptor & kTopDown) != 0;
  BYTE pendingPacket = kNoPendingPacket;
  for (DWORD y = 0; y < tga.height; ++y) {
    if (source->Eof()) return Fail("corrupted TGA");
    BYTE* row = RowPointer(topDown ? tga.height - 1 - y : y);
    if (compressed) {
      pendingPacket = ReadRleRow(row, tga, source, tga.width, y, pendingPacket);
    } else {
      ReadRawPixels(row, tga, source, tga.width, y, 0);
    }
  }

  if (tga.descriptor & kRightToLeft) MirrorColumns();
  // Alpha values went in by file row; the pixel rows were already placed bottom-up.
  if (topDown && depth == 32) FlipAlphaRows();
  return true;
}

void TgaDecoder::ReadColourMap(ImageFile* source, const TgaHeader& tga) {
  // Beyond being one the format defines, the entry size in the header is not trusted: entries are
  // read as 3 bytes (blue, green, red), the way existing skin files are read.
  BYTE map[256 * 3] = {};
  source->Read(map, 1, static_cast<std::size_t>(tga.colourMapLength) * 3);
  for (DWORD i = 0; i < tga.colourMapLength; ++i) {
    SetPaletteEntry(static_cast<BYTE>(i), map[i * 3 + 2], map[i * 3 + 1], map[i * 3], 0);
  }
}

void TgaDecoder::ReadRawPixels(BYTE* dest, const TgaHeader& tga, ImageFile* source, DWORD count,
                               DWORD fileRow, DWORD firstColumn) {
  const BYTE depth = tga.pixelDepth;
  if (depth == 8 || depth == 24) {
    source->Read(dest, 1, static_cast<std::size_t>(count) * FileBytesPerPixel(depth));
    return;
  }
  // A short read converts only the whole pixels it delivered; the rest stay as they were.
  const DWORD fileBytes = FileBytesPerPixel(depth);
  const std::size_t pixelsRead =
      source->Read(scratch.data(), 1, std::size_t{count} * fileBytes) / fileBytes;
  const BYTE* from = scratch.data();
  for (std::size_t i = 0; i < pixelsRead; ++i, from += fileBytes, dest += 3) {
    BYTE alphaValue = 255;
    ConvertPixel(from, depth, dest, alphaValue);
    if (depth == 32)
      SetAlphaAt(static_cast<long>(firstColumn + i), static_cast<long>(fileRow), alphaValue);
  }
}

BYTE TgaDecoder::ReadRleRow(BYTE* dest, const TgaHeader& tga, ImageFile* source, DWORD width,
                            DWORD fileRow, BYTE pendingPacket) {
  const BYTE depth = tga.pixelDepth;
  const DWORD imageBytes = depth == 8 ? 1 : 3;
  DWORD x = 0;
  while (x < width) {
    BYTE packet;
    if (pendingPacket != kNoPendingPacket) {
      packet = pendingPacket;
      pendingPacket = kNoPendingPacket;
    } else if (source->Read(&packet, 1, 1) == 0) {
      break;  // out of data: the next row sees the end and reports it
    }

    DWORD count;
    if (packet & 0x80) {
      count = (packet & 0x7Fu) + 1;
      long resume = -1;
      if (x + count > width) {
        // A run may cross the end of the row. Its remainder is left as a packet for the next row,
        // and the stream is put back on the pixel value, which that packet reads again.
        const DWORD rest = x + count - width;
        pendingPacket = static_cast<BYTE>(0x80 + (rest - 1));
        resume = source->Tell();
        count = width - x;
      }
      BYTE value[4] = {};
      source->Read(value, 1, FileBytesPerPixel(depth));
      BYTE pixel[3] = {};
      BYTE alphaValue = 255;
      ConvertPixel(value, depth, pixel, alphaValue);
      BYTE* to = dest;
      for (DWORD i = 0; i < count; ++i, to += imageBytes) {
        for (DWORD b = 0; b < imageBytes; ++b) to[b] = pixel[b];
        if (depth == 32)
          SetAlphaAt(static_cast<long>(x + i), static_cast<long>(fileRow), alphaValue);
      }
      if (resume >= 0) source->Seek(resume, SEEK_SET);
    } else {
      count = packet + 1u;
      if (x + count > width) {
        // A raw packet cut by the row's end needs nothing kept: its other pixels are simply the
        // next bytes of the stream, read by the next row.
        pendingPacket = static_cast<BYTE>(x + count - width - 1);
        count = width - x;
      }
      ReadRawPixels(dest, tga, source, count, fileRow, x);
    }
    dest += static_cast<std::size_t>(count) * imageBytes;
    x += count;
  }
  return pendingPacket;
}
