// Windows bitmap files (and bare bitmap headers) of 1, 4, 8, 16, 24 or 32 bits per pixel,
// uncompressed, RLE8, RLE4 or bit fields, decoded into a bottom-up image of 1, 4, 8 or 24 bits per
// pixel. Other depths, empty pictures and files without pixel data are refused.
#pragma once

#include "compat/platform.h"
#include "image/cximage.h"

class ImageFile;

class BmpDecoder : public CxImage {
 public:
  // Decodes from `source`, positioned where the bitmap starts, into this object. On failure
  // lastError holds the reason.
  bool DecodeBmp(ImageFile* source);

 private:
  bool Fail(const char* message);
  // Reads the info header in any of its stored forms as a 40-byte header and leaves the source
  // at the first byte after it.
  bool ReadInfoHeader(ImageFile* source);
  void ReadColourTable(ImageFile* source);
  // False, with the reason, when the pixels cannot be read or the file holds none.
  bool ReadPixels(ImageFile* source);
  void SeekToBits(ImageFile* source);
  // Each reads the pixels of its depth and tells whether the file held any of them.
  bool ReadBitFields16(ImageFile* source);
  bool ReadPixels32(ImageFile* source, BYTE* fileRow);

  long startPos = 0;
  BITMAPFILEHEADER fileHeader{};
  BITMAPINFOHEADER infoHeader{};
  bool isCore = false;
  bool topDown = false;
};
