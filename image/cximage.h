// A decoded picture. It is kept in exactly the layout the system's DIB drawing reads (header,
// colour table and bottom-up rows in one block), so drawing needs no conversion; soft-edged
// pictures carry an alpha plane beside it.
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "compat/platform.h"

class ImageFile;

// Format tags for Load and Decode.
enum ImageType {
  ImageTypeUnknown = 0,  // guessed: BMP, whose signature rules a file out, before TGA
  ImageTypeBmp = 1,
  ImageTypeTga = 2,
};

// The largest block Create hands out (header, colour table and pixels): room for a 4096 x 4096
// 24-bit picture, where an 808 x 581 skin needs 1.4 MB. A header asking for more is corrupt or
// hostile and is refused rather than attempted in a 32-bit process.
constexpr std::uint32_t CXIMAGE_MAX_MEMORY = 64u * 1024u * 1024u;

// Owned heap memory released with free: blocks come from calloc so new rows start zeroed.
struct FreeBlock {
  void operator()(void* block) const { std::free(block); }
};
using HeapBlock = std::unique_ptr<BYTE[], FreeBlock>;

// What a decoder takes over from the image it decodes for, and hands back with the picture.
struct ImageSettings {
  DWORD stride;         // bytes per pixel row, a multiple of 4
  BYTE* pixels;         // row 0 (the bottom line) inside the dib block
  char lastError[256];  // text of the last failure
  DWORD memoryCeiling;  // largest block Create hands out; 0 stands for CXIMAGE_MAX_MEMORY
};

class CxImage {
 public:
  CxImage();
  virtual ~CxImage();
  CxImage(const CxImage&) = delete;
  CxImage& operator=(const CxImage&) = delete;

  // Frees the pixels and the alpha plane. Always true.
  bool Destroy();
  // A new zero-filled image of 1, 4, 8 or 24 bits per pixel (other depths are rounded up, above 8
  // to 24). Null, with the image empty, when the block would exceed the memory ceiling or cannot
  // be allocated.
  BYTE* Create(DWORD width, DWORD height, DWORD bpp);
  // Lowers the largest block Create hands out, here and in the decoders that adopt this image's
  // settings; 0 (the default) and values above CXIMAGE_MAX_MEMORY mean CXIMAGE_MAX_MEMORY, which
  // no setting can raise. A fuzzer that sets a small ceiling pays nothing for headers that claim
  // huge pictures.
  void SetMemoryCeiling(DWORD bytes) { settings.memoryCeiling = bytes; }
  DWORD GetMemoryCeiling() const;

  // Decodes the file at `path`, with the decoder `type` names and, should it refuse the file, by
  // guessing from the contents. When both fail, lastError keeps the named decoder's reason,
  // which says more than the guess's.
  bool Load(const char* path, int type);
  // Decodes from `source`, positioned at the start of the image data.
  bool Decode(ImageFile* source, int type);

  // Moves a decoded picture, alpha plane included, out of a decoder into this image without
  // copying the pixels.
  bool TakeOver(CxImage& other);
  // Makes this image an independent copy of `other`, alpha plane included. False, leaving this
  // image empty, when the memory cannot be had.
  bool Copy(const CxImage& other);
  // Lets a fresh decoder start from this image's settings; an image that holds a picture keeps
  // its own.
  void AdoptSettings(const CxImage& other);

  // Start of stored row `row` (0 is the bottom line); null past the last row or when empty.
  BYTE* RowPointer(DWORD row) const;
  RGBQUAD* Palette() const;
  DWORD PaletteSize() const;
  DWORD TotalSize() const;
  void SetPalette(const RGBQUAD* entries, DWORD count);
  void SetPaletteEntry(BYTE index, BYTE r, BYTE g, BYTE b, BYTE a);
  // Grey ramp from black to white over the whole colour table.
  void FillGrayPalette();
  bool ContainsPoint(long x, long y) const;

  // Adds an opaque alpha plane unless there is one; false only when it cannot be allocated.
  bool CreateAlphaPlane();
  // `y` counts stored rows, like the pixel rows (0 is the bottom line).
  void SetAlphaAt(long x, long y, BYTE a);
  bool FlipAlphaRows();
  bool MirrorAlphaColumns();
  // Reverse the row order, or the pixels within each row (8 and 24 bits), alpha included.
  bool FlipRows();
  bool MirrorColumns();

  // Draws the image with its top-left pixel at (x, y); a negative size stands for the image's
  // own. Images with an alpha plane are blended over what the context shows. 1 when it drew (or
  // tried to), 0 when it did nothing. Windows builds only.
  int Draw(HDC hdc, long x, long y, long width = -1, long height = -1);

  // Read access for callers and tools. An empty image reports 0 for its sizes.
  bool IsValid() const { return dib != nullptr; }
  long GetWidth() const { return dib ? header.biWidth : 0; }
  long GetHeight() const { return dib ? header.biHeight : 0; }
  WORD GetBpp() const { return dib ? header.biBitCount : 0; }
  DWORD GetStride() const { return settings.stride; }
  const BITMAPINFOHEADER& GetHeader() const { return header; }
  const BYTE* GetDib() const { return dib.get(); }
  bool HasAlpha() const { return alpha != nullptr; }
  // The alpha plane: width × height bytes, rows in stored order, or null.
  const BYTE* GetAlphaPlane() const { return alpha.get(); }
  // Opacity of a stored pixel: 255 without an alpha plane or outside the image.
  BYTE GetAlphaAt(long x, long y) const;
  // Colour of a stored pixel with the palette resolved (reserved byte 0); black outside.
  RGBQUAD GetPixelColor(long x, long y) const;
  const char* GetLastError() const { return settings.lastError; }

 protected:
  // Copies `text` into lastError, cut to fit.
  void SetLastError(const char* text);

  HeapBlock dib;
  BITMAPINFOHEADER header;
  ImageSettings settings;
  HeapBlock alpha;

 private:
  template <class Decoder>
  bool DecodeWith(ImageFile* source);
};
