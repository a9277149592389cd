// libFuzzer target: the TGA decoder on arbitrary bytes,
// under the small memory ceiling of the fast targets.
#include <cstddef>
#include <cstdint>

#include "fuzz/image/fuzz_decode.h"
#include "image/cximage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzDecode(data, size, ImageTypeTga, kFuzzMemoryCeiling);
  return 0;
}
