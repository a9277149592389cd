// Drawing an image onto a device context: opaque images in one DIB call, images with an alpha
// plane blended over a single read-back of the visible destination.
#include <windows.h>

#include "compat/windows/gdi_handles.h"
#include "image/alpha_blend.h"
#include "image/cximage.h"

namespace {

int BlendOnto(HDC dc, const CxImage& image, long x, long y) {
  RECT clip{};
  GetClipBox(dc, &clip);
  const DrawArea area = ClipDrawArea(clip.left, clip.top, clip.right, clip.bottom, x, y,
                                     image.GetWidth(), image.GetHeight());
  const long w = area.Width();
  const long h = area.Height();

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;

  const UniqueMemoryDc memory(CreateCompatibleDC(dc));
  void* bits = nullptr;
  // An area outside the clip box has no size, the section is not made, and nothing is drawn.
  const UniqueGdiObject<HBITMAP> section(
      w > 0 && h > 0 ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr);
  if (!memory || !section || bits == nullptr) return 1;

  const GdiSelection selected(memory.get(), section.get());
  BitBlt(memory.get(), 0, 0, w, h, dc, area.xmin, area.ymin, SRCCOPY);
  GdiFlush();  // the section's memory must hold the copy before it is read
  BlendImageOver(image, x, y, area, static_cast<BYTE*>(bits));
  SetDIBitsToDevice(dc, area.xmin, area.ymin, w, h, 0, 0, 0, h, bits, &info, DIB_RGB_COLORS);
  return 1;
}

}  // namespace

int CxImage::Draw(HDC hdc, long x, long y, long width, long height) {
  if (!dib || hdc == nullptr || width == 0 || height == 0) return 0;
  if (width < 0) width = GetWidth();
  if (height < 0) height = GetHeight();
  // Images are drawn at their own size only; scaling is never asked for and is refused.
  if (width != GetWidth() || height != GetHeight()) return 0;

  if (!alpha) {
    SetStretchBltMode(hdc, COLORONCOLOR);
    SetDIBitsToDevice(hdc, x, y, width, height, 0, 0, 0, height, RowPointer(0),
                      reinterpret_cast<const BITMAPINFO*>(dib.get()), DIB_RGB_COLORS);
    return 1;
  }
  return BlendOnto(hdc, *this, x, y);
}
