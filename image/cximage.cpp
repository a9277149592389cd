#include "image/cximage.h"

#include <cstring>

namespace {

constexpr DWORD kHeaderSize = sizeof(BITMAPINFOHEADER);
constexpr std::uint64_t kLargestSide = 0x7FFFFFFF;  // sizes must fit the header's signed fields

DWORD NormalisedDepth(DWORD bpp) {
  if (bpp <= 1) return 1;
  if (bpp <= 4) return 4;
  if (bpp <= 8) return 8;
  return 24;
}

}  // namespace

CxImage::CxImage() : header{}, settings{} {}

CxImage::~CxImage() { Destroy(); }

bool CxImage::Destroy() {
  alpha.reset();
  dib.reset();
  return true;
}

BYTE* CxImage::Create(DWORD width, DWORD height, DWORD bpp) {
  Destroy();
  bpp = NormalisedDepth(bpp);

  const std::uint64_t stride = ((std::uint64_t{width} * bpp + 31) >> 5) * 4;
  const DWORD colours = bpp == 24 ? 0 : (1u << bpp);
  const std::uint64_t total =
      kHeaderSize + std::uint64_t{colours} * sizeof(RGBQUAD) + stride * height;
  if (width > kLargestSide || height > kLargestSide || total > GetMemoryCeiling()) {
    SetLastError("CXIMAGE_MAX_MEMORY exceeded");
    return nullptr;
  }

  settings.stride = static_cast<DWORD>(stride);
  header.biSize = kHeaderSize;
  header.biWidth = static_cast<LONG>(width);
  header.biHeight = static_cast<LONG>(height);
  header.biPlanes = 1;
  header.biBitCount = static_cast<WORD>(bpp);
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(stride * height);
  header.biClrUsed = colours;
  header.biClrImportant = 0;

  // Rows a decoder never writes (RLE skips, short files) stay black rather than holding
  // whatever the heap had: calloc zeroes the colour table and the pixels.
  dib.reset(static_cast<BYTE*>(std::calloc(TotalSize(), 1)));
  if (!dib) {
    SetLastError("CxImage::Create can't allocate memory");
    return nullptr;
  }
  std::memcpy(dib.get(), &header, kHeaderSize);
  settings.pixels = RowPointer(0);
  return dib.get();
}

DWORD CxImage::GetMemoryCeiling() const {
  const DWORD ceiling = settings.memoryCeiling;
  return ceiling == 0 || ceiling > CXIMAGE_MAX_MEMORY ? CXIMAGE_MAX_MEMORY : ceiling;
}

bool CxImage::TakeOver(CxImage& other) {
  if (&other == this) return true;
  Destroy();
  header = other.header;
  settings = other.settings;
  dib = std::move(other.dib);
  alpha = std::move(other.alpha);
  other.header = BITMAPINFOHEADER{};
  other.settings = ImageSettings{};
  return true;
}

bool CxImage::Copy(const CxImage& other) {
  if (&other == this) return true;
  Destroy();
  header = other.header;
  settings = other.settings;
  settings.pixels = nullptr;
  if (!other.dib) return true;
  dib.reset(static_cast<BYTE*>(std::malloc(other.TotalSize())));
  if (other.alpha) {
    const std::size_t size =
        static_cast<std::size_t>(GetWidth()) * static_cast<std::size_t>(GetHeight());
    alpha.reset(static_cast<BYTE*>(std::malloc(size > 0 ? size : 1)));
    if (alpha) std::memcpy(alpha.get(), other.alpha.get(), size);
  }
  if (!dib || (other.alpha && !alpha)) {
    Destroy();
    SetLastError("CxImage::Copy can't allocate memory");
    return false;
  }
  std::memcpy(dib.get(), other.dib.get(), other.TotalSize());
  settings.pixels = RowPointer(0);
  return true;
}

void CxImage::AdoptSettings(const CxImage& other) {
  if (!dib) settings = other.settings;
}

BYTE* CxImage::RowPointer(DWORD row) const {
  if (!dib) return nullptr;
  BYTE* start = dib.get() + header.biSize + PaletteSize();
  if (row == 0) return start;
  if (row >= static_cast<DWORD>(header.biHeight)) return nullptr;
  return start + static_cast<std::size_t>(row) * settings.stride;
}

RGBQUAD* CxImage::Palette() const {
  if (!dib || header.biClrUsed == 0) return nullptr;
  return reinterpret_cast<RGBQUAD*>(dib.get() + kHeaderSize);
}

DWORD CxImage::PaletteSize() const { return header.biClrUsed * sizeof(RGBQUAD); }

DWORD CxImage::TotalSize() const { return header.biSize + header.biSizeImage + PaletteSize(); }

void CxImage::SetPalette(const RGBQUAD* entries, DWORD count) {
  RGBQUAD* table = Palette();
  if (entries == nullptr || table == nullptr) return;
  const std::uint64_t bytes = std::uint64_t{count} * sizeof(RGBQUAD);
  std::memmove(table, entries,
               bytes < PaletteSize() ? static_cast<std::size_t>(bytes) : PaletteSize());
}

void CxImage::SetPaletteEntry(BYTE index, BYTE r, BYTE g, BYTE b, BYTE a) {
  RGBQUAD* table = Palette();
  if (table == nullptr || index >= header.biClrUsed) return;
  table[index].rgbBlue = b;
  table[index].rgbGreen = g;
  table[index].rgbRed = r;
  table[index].rgbReserved = a;
}

void CxImage::FillGrayPalette() {
  RGBQUAD* table = Palette();
  const DWORD entries = header.biClrUsed;
  if (table == nullptr || entries < 2) return;
  const DWORD step = 255 / (entries - 1);
  for (DWORD i = 0; i < entries; ++i) {
    const BYTE level = static_cast<BYTE>(step * i);
    table[i].rgbBlue = level;
    table[i].rgbGreen = level;
    table[i].rgbRed = level;
  }
}

bool CxImage::ContainsPoint(long x, long y) const {
  return x >= 0 && y >= 0 && x < GetWidth() && y < GetHeight();
}

bool CxImage::CreateAlphaPlane() {
  if (alpha) return true;
  if (!dib) return false;
  const std::size_t size =
      static_cast<std::size_t>(GetWidth()) * static_cast<std::size_t>(GetHeight());
  alpha.reset(static_cast<BYTE*>(std::malloc(size > 0 ? size : 1)));
  if (!alpha) return false;
  std::memset(alpha.get(), 255, size);
  return true;
}

void CxImage::SetAlphaAt(long x, long y, BYTE a) {
  if (!alpha || !ContainsPoint(x, y)) return;
  alpha[static_cast<std::size_t>(x) +
        static_cast<std::size_t>(y) * static_cast<std::size_t>(GetWidth())] = a;
}

BYTE CxImage::GetAlphaAt(long x, long y) const {
  if (!alpha || !ContainsPoint(x, y)) return 255;
  return alpha[static_cast<std::size_t>(x) +
               static_cast<std::size_t>(y) * static_cast<std::size_t>(GetWidth())];
}

RGBQUAD CxImage::GetPixelColor(long x, long y) const {
  RGBQUAD colour{};
  if (!ContainsPoint(x, y)) return colour;
  const BYTE* row = RowPointer(static_cast<DWORD>(y));
  const std::size_t column = static_cast<std::size_t>(x);
  const RGBQUAD* table = Palette();
  switch (header.biBitCount) {
    case 24:
      colour.rgbBlue = row[column * 3];
      colour.rgbGreen = row[column * 3 + 1];
      colour.rgbRed = row[column * 3 + 2];
      return colour;
    case 8:
      colour = table[row[column]];
      break;
    case 4:
      colour = table[(row[column / 2] >> ((column & 1) ? 0 : 4)) & 0x0F];
      break;
    default:
      colour = table[(row[column / 8] >> (7 - column % 8)) & 1];
      break;
  }
  colour.rgbReserved = 0;
  return colour;
}

void CxImage::SetLastError(const char* text) {
  if (text == settings.lastError) return;
  if (text == nullptr) text = "";
  std::strncpy(settings.lastError, text, sizeof settings.lastError - 1);
  settings.lastError[sizeof settings.lastError - 1] = '\0';
}
