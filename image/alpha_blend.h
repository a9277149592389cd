// The arithmetic of drawing an image with an alpha plane, kept free of the platform so that it
// is tested on every build: clipping to the clip box and blending into a 24-bit off-screen copy.
#pragma once

#include "compat/platform.h"

class CxImage;

// One channel of an image pixel of opacity `alpha` over `background`. Divides by 256, not 255:
// white at alpha 128 over white gives 254. Alpha 0 keeps the background, 255 the image.
inline BYTE BlendChannel(BYTE image, BYTE background, BYTE alpha) {
  if (alpha == 0) return background;
  if (alpha == 255) return image;
  return static_cast<BYTE>((image * alpha + background * (255 - alpha)) >> 8);
}

// The part of the destination rectangle (x, y, width, height) that lies in the clip box, in the
// context's coordinates. Never of negative size.
struct DrawArea {
  long xmin;
  long ymin;
  long xmax;
  long ymax;
  long Width() const { return xmax - xmin; }
  long Height() const { return ymax - ymin; }
};

DrawArea ClipDrawArea(long left, long top, long right, long bottom, long x, long y, long width,
                      long height);

// Row stride of a 24-bit device-independent bitmap `width` pixels wide.
DWORD SectionStride(long width);

// Blends the image, drawn with its top-left pixel at (x, y), over `section`: a bottom-up 24-bit
// copy of `area` (its row 0 is the area's bottom line). Does nothing for an area that does not
// lie within the image.
void BlendImageOver(const CxImage& image, long x, long y, const DrawArea& area, BYTE* section);
