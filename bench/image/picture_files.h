// The pictures the image benchmark decodes, generated in memory: the launcher's skin size
// (808 x 581) as a 24-bit BMP, an 8-bit BMP (RLE8 and plain) and a 32-bit run-length TGA.
#pragma once

#include <string>

namespace picture_files {

constexpr int kWidth = 808;
constexpr int kHeight = 581;

// Smooth gradients with a little noise, as photographic skin art has.
std::string Bmp24();
// Flat bands and lines of a 256-colour palette, as drawn button art has; the RLE8 file and the
// plain 8-bit file hold the same pixels.
std::string Bmp8Rle();
std::string Bmp8Plain();
// A 32-bit picture with an alpha edge, run-length encoded as a paint program writes it.
std::string Tga32Rle();

}  // namespace picture_files
