// Without the system's loader the launcher's own BMP decoder stands in, held to what the system
// accepts from a file: a bitmap that begins with its "BM" file header.
#include <cstdio>
#include <memory>

#include "compat/path_case.h"
#include "compat/stdio_file.h"
#include "image/cximage.h"
#include "image/image_stdio_file.h"
#include "tools/gamecheck/skin_pixels.h"

namespace {}  // namespace

bool LoadSkinPixels(const std::string& path, SkinPixels& pixels) {
  UniqueStdioFile stream(std::fopen(compat::FindPathIgnoringCase(path).c_str(), "rb"));
  if (!stream) return false;
  char signature[2] = {};
  if (std::fread(signature, 1, 2, stream.get()) != 2 || signature[0] != 'B' ||
      signature[1] != 'M') {
    return false;
  }
  std::rewind(stream.get());
  ImageStdioFile source(stream.get());
  CxImage image;
  if (!image.Decode(&source, ImageTypeBmp)) return false;
  pixels.width = static_cast<int>(image.GetWidth());
  pixels.height = static_cast<int>(image.GetHeight());
  pixels.colors.resize(static_cast<size_t>(pixels.width) * pixels.height);
  for (int y = 0; y < pixels.height; ++y) {
    // Stored rows run bottom-up.
    const long stored = pixels.height - 1 - y;
    for (int x = 0; x < pixels.width; ++x) {
      const RGBQUAD color = image.GetPixelColor(x, stored);
      pixels.colors[static_cast<size_t>(y) * pixels.width + x] =
          RGB(color.rgbRed, color.rgbGreen, color.rgbBlue);
    }
  }
  return true;
}
