// Readers of the game's art files written for the tests alone, so that what the launcher shows is
// compared with the files themselves and not with what the launcher's own decoders made of them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const Rgba& other) const {
    return r == other.r && g == other.g && b == other.b && a == other.a;
  }
};

// A raster, top row first.
struct Raster {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;
  const Rgba& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  Rgba& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
};

// An uncompressed 24-bit BMP (bottom-up or top-down); an empty raster for anything else.
Raster ReadBmp24(const std::filesystem::path& file);
// A TGA of type 2 (true colour) or 10 (run-length true colour), 24 or 32 bits, either row order.
Raster ReadTga(const std::filesystem::path& file);
// BMP or TGA by the file's extension.
Raster ReadArt(const std::filesystem::path& file);

// The part of `raster` at (x, y) of size width × height (must lie inside).
Raster Crop(const Raster& raster, int x, int y, int width, int height);

// `image` drawn over `under` (of at least the image's size) with its alpha: each channel
// image × alpha + under × (255 − alpha), divided by 255 and rounded; opaque where alpha is 255.
Raster BlendOver(const Raster& image, const Raster& under);

// How two rasters of one size differ: pixels with a channel apart by more than `tolerance`.
struct RasterDifference {
  int count = 0;
  std::string first;  // "(x, y) actual r,g,b expected r,g,b" of the first such pixel
};
RasterDifference Compare(const Raster& actual, const Raster& expected, int tolerance);

// The same, where a pixel passes when it is near the pixel of either `expected` or `alternative`.
RasterDifference CompareEither(const Raster& actual, const Raster& expected,
                               const Raster& alternative, int tolerance);

// The same, only over the pixels where `image` is opaque (alpha 255), which any drawing of the
// image must show exactly whatever lay beneath.
RasterDifference CompareOpaque(const Raster& shown, const Raster& image);

// Writes `raster` as a bottom-up 24-bit BMP (alpha dropped).
std::string EncodeBmp24(const Raster& raster);

}  // namespace e2e
