// The TGA decoder, the first one every button image meets. Pictures come out as 8-bit palette
// images when the file holds 8-bit data and as 24-bit images otherwise; the alpha of 32-bit files
// is kept in the image's alpha plane for soft edges.
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
  BYTE ReadRleRow(BYTE* dest, const TgaHeader& tga, ImageFile* source, DWORD width, DWORD fileRow,
                  BYTE pendingPacket);

  std::vector<BYTE> scratch;  // one row of file pixels
};
