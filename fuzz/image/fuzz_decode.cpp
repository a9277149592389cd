#include "fuzz_decode.h"

#include <cstdio>
#include <vector>

#include "image/alpha_blend.h"
#include "image/cximage.h"
#include "image/image_stdio_file.h"

void FuzzDecode(const std::uint8_t* data, std::size_t size, int type) {
  if (size == 0) return;
  // A stdio stream over the input, so the decoders read through the product's own ImageFile.
  std::FILE* stream = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
  if (stream == nullptr) return;
  CxImage image;
  {
    ImageStdioFile source(stream);
    image.Decode(&source, type);
  }
  std::fclose(stream);
  if (!image.IsValid()) return;
  // Walking a picture of many megapixels (or of no width and a billion rows) teaches the fuzzer
  // nothing new and stalls it.
  if (image.GetWidth() == 0 ||
      static_cast<unsigned long long>(image.GetWidth()) * image.GetHeight() > (1u << 16)) {
    return;
  }

  // Every pixel through the palette, and the blend of a corner of the image into a section the
  // way Draw does it; ASan checks that nothing reads outside the image's memory.
  unsigned checksum = 0;
  for (long row = 0; row < image.GetHeight(); ++row) {
    for (long x = 0; x < image.GetWidth(); ++x) {
      checksum += image.GetPixelColor(x, row).rgbGreen + image.GetAlphaAt(x, row);
    }
  }
  const DrawArea area = ClipDrawArea(0, 0, 64, 64, -3, -2, image.GetWidth(), image.GetHeight());
  std::vector<BYTE> section(static_cast<std::size_t>(SectionStride(area.Width())) * area.Height() + 1);
  BlendImageOver(image, -3, -2, area, section.data());
  image.FlipRows();
  image.MirrorColumns();
  if (checksum == 0xFFFFFFFFu) std::printf("%u\n", checksum);  // keeps the walk from being optimised out
}
