// libFuzzer target: arbitrary bytes decoded as the product decodes an image of unknown type (the
// BMP decoder, then the TGA decoder) under the product's own 64 MiB ceiling. Slower than the
// single-decoder targets, whose ceiling is small; this one keeps the real limit covered.
#include <cstddef>
#include <cstdint>

#include "fuzz/image/fuzz_decode.h"
#include "image/cximage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzDecode(data, size, ImageTypeUnknown, CXIMAGE_MAX_MEMORY);
  return 0;
}
