#include "fuzz/image/fuzz_decode.h"

#include <cstdio>
#include <vector>

#include "image/alpha_blend.h"
#include "image/cximage.h"
#include "image/image_stdio_file.h"

void FuzzDecode(const std::uint8_t* data, std::size_t size, int type, DWORD memoryCeiling) {
  if (size == 0) return;
  // A stdio stream over the input, so the decoders read through the product's own ImageFile.
  std::FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (stream == nullptr) return;
  CxImage image;
  image.SetMemoryCeiling(memoryCeiling);
  {
    ImageStdioFile source(stream);
    image.Decode(&source, type);
  }
  std::fclose(stream);
  if (!image.IsValid()) return;
  // Walking a picture of many megapixels (or of no width and a billion rows) teaches the fuzzer
  // nothing new and stalls it.
  const unsigned long long pixels =
      static_cast<unsigned long long>(image.GetWidth()) * image.GetHeight();
  if (image.GetWidth() == 0 || pixels > (1u << 16)) return;

  // Pixels through the palette, and the blend of a corner of the image into a section the way
  // Draw does it; ASan checks that nothing reads outside the image's memory. Small pictures are
  // walked whole; of larger ones the 32 pixels at each end of the first and last 32 rows, which
  // reach both ends of the rows and of the block at a fraction of the cost.
  const long width = image.GetWidth();
  const long height = image.GetHeight();
  const long edge = pixels <= (1u << 12) ? height + width : 32;
  unsigned checksum = 0;
  for (long row = 0; row < height; ++row) {
    if (row == edge && height - edge > row) row = height - edge;
    for (long x = 0; x < width; ++x) {
      if (x == edge && width - edge > x) x = width - edge;
      checksum += image.GetPixelColor(x, row).rgbGreen + image.GetAlphaAt(x, row);
    }
  }
  const DrawArea area = ClipDrawArea(0, 0, 64, 64, -3, -2, image.GetWidth(), image.GetHeight());
  std::vector<BYTE> section(static_cast<std::size_t>(SectionStride(area.Width())) * area.Height() +
                            1);
  BlendImageOver(image, -3, -2, area, section.data());
  image.FlipRows();
  image.MirrorColumns();
  if (checksum == 0xFFFFFFFFu)
    std::printf("%u\n", checksum);  // keeps the walk from being optimised out
}
