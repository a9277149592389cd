// Run-length encoded bitmap data (RLE8 and RLE4) unpacked into a pixel area.
#pragma once

#include "compat/platform.h"

class ImageFile;

// Both decode until the end-of-bitmap code, until a run would begin beyond the last row, or until
// the source runs dry, whichever comes first; whatever was decoded by then is kept, and pixels that
// deltas, early line ends or missing data skip keep the zeroes Create put there. `pixels` holds
// `size` bytes in rows of `stride` bytes, `height` rows counted from the first stored one. No byte
// at or past pixels + size is written. False when the source held no code at all.
bool DecodeRle8(ImageFile* source, BYTE* pixels, DWORD size, DWORD stride, DWORD height);
bool DecodeRle4(ImageFile* source, BYTE* pixels, DWORD size, DWORD stride, DWORD height);
