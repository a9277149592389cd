// libFuzzer target: the BMP decoder on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "fuzz_decode.h"
#include "image/cximage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzDecode(data, size, ImageTypeBmp);
  return 0;
}
