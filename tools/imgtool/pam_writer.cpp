#include "tools/imgtool/pam_writer.h"

#include "image/cximage.h"

std::string EncodePam(const CxImage& image) {
  if (!image.IsValid()) return std::string();
  const long width = image.GetWidth();
  const long height = image.GetHeight();
  const bool withAlpha = image.HasAlpha();
  std::string pam = "P7\nWIDTH " + std::to_string(width) + "\nHEIGHT " + std::to_string(height) +
                    "\nDEPTH " + (withAlpha ? "4" : "3") + "\nMAXVAL 255\nTUPLTYPE " +
                    (withAlpha ? "RGB_ALPHA" : "RGB") + "\nENDHDR\n";
  pam.reserve(pam.size() + static_cast<std::size_t>(width) * height * (withAlpha ? 4 : 3));
  // Stored rows are bottom-up; PAM starts with the top row.
  for (long row = width > 0 ? height - 1 : -1; row >= 0; --row) {
    for (long column = 0; column < width; ++column) {
      const RGBQUAD colour = image.GetPixelColor(column, row);
      pam += static_cast<char>(colour.rgbRed);
      pam += static_cast<char>(colour.rgbGreen);
      pam += static_cast<char>(colour.rgbBlue);
      if (withAlpha) pam += static_cast<char>(image.GetAlphaAt(column, row));
    }
  }
  return pam;
}
