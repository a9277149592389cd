// Run-length encoded bitmap data (RLE8 and RLE4) unpacked into a pixel area.
#pragma once

#include "compat/platform.h"

class ImageFile;

// Both decode until the end-of-bitmap code or until the source runs dry, whichever comes first;
// whatever was decoded by then is kept, and pixels that deltas, early line ends or missing data
// skip keep the zeroes Create put there. `pixels` holds `size` bytes in rows of `stride` bytes,
// `height` rows counted from the first stored one. No byte at or past pixels + size is written.
void DecodeRle8(ImageFile* source, BYTE* pixels, DWORD size, DWORD stride, DWORD height);
void DecodeRle4(ImageFile* source, BYTE* pixels, DWORD size, DWORD stride, DWORD height);
