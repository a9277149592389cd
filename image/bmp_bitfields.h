// 16-bit bit-field pixels widened to 24-bit blue, green, red.
#pragma once

#include <cstddef>

#include "compat/platform.h"

struct BitFieldMasks {
  DWORD red;
  DWORD green;
  DWORD blue;
};

// One 8-bit channel of a 16-bit pixel value: the bits under the mask, moved so that the mask's
// highest set bit lands on bit 7, cut to 8 bits. 5-5-5 and 5-6-5 masks give value << 3 (or << 2
// for 6-bit green); unusual masks (2-3-1, 8-8-0, 3-10-3) still give a sound value.
BYTE BitFieldChannel(DWORD value, DWORD mask);

// Converts `height` rows of 16-bit pixels, each row `sourceStride` bytes, lying at the start of
// `pixels`, into 24-bit rows of `stride` bytes in the same buffer. Works from the last pixel
// backwards, so the wider result never overwrites pixels not yet read.
void WidenBitFields16(BYTE* pixels, DWORD width, DWORD height, std::size_t sourceStride,
                      std::size_t stride, const BitFieldMasks& masks);
