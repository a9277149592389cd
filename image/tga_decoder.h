// Truevision TGA files: colour-mapped, true-colour and grey-scale, uncompressed or run-length
// encoded, 8/15/16/24/32 bits per pixel, in any of the four storage orders. 8-bit data gives an
// 8-bit palette image, everything else a 24-bit image; 32-bit data also gives an alpha plane.
#pragma once

#include <vector>

#include "compat/platform.h"
#include "image/cximage.h"

class ImageFile;

// The 18-byte file header.
struct TgaHeader {
  BYTE idLength;
  BYTE colourMapType;
  BYTE imageType;
  WORD colourMapFirst;
  WORD colourMapLength;
  BYTE colourMapEntrySize;
  WORD xOrigin;
  WORD yOrigin;
  WORD width;
  WORD height;
  BYTE pixelDepth;
  BYTE descriptor;
};

class TgaDecoder : public CxImage {
 public:
  // Decodes from `source`, positioned at the header, into this object. On failure lastError
  // holds the reason.
  bool DecodeTga(ImageFile* source);

 private:
  bool Fail(const char* message);
  void ReadColourMap(ImageFile* source, const TgaHeader& tga);
  // Reads `count` pixels into `dest`, the first of them at image column `firstColumn`.
  void ReadRawPixels(BYTE* dest, const TgaHeader& tga, ImageFile* source, DWORD count,
                     DWORD fileRow, DWORD firstColumn);
  // Fills one row from run-length packets; returns the packet header that did not fit into the
  // row (255: none), which the next row starts with.
  BYTE ReadRleRow(BYTE* dest, const TgaHeader& tga, ImageFile* source, DWORD width,
                  DWORD fileRow, BYTE pendingPacket);

  std::vector<BYTE> scratch;  // one row of file pixels
};
