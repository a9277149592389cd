// The system's own bitmap loader, as the launcher's windows call it; the colours are those the
// system reports for the loaded bitmap's pixels.
#include <windows.h>

#include "compat/windows/gdi_handles.h"
#include "tools/gamecheck/skin_pixels.h"

bool LoadSkinPixels(const std::string& path, SkinPixels& pixels) {
  const UniqueGdiObject<HBITMAP> bitmap(static_cast<HBITMAP>(::LoadImageA(
      ::GetModuleHandleA(nullptr), path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE)));
  if (!bitmap) return false;
  BITMAP info{};
  bool read = ::GetObjectA(bitmap.get(), sizeof info, &info) == sizeof info;
  if (read) {
    pixels.width = info.bmWidth;
    pixels.height = info.bmHeight;
    pixels.colors.assign(static_cast<size_t>(info.bmWidth) * info.bmHeight, 0);
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = info.bmWidth;
    format.bmiHeader.biHeight = -info.bmHeight;  // top row first
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> rows(pixels.colors.size());
    const UniqueClientDc screen = GetClientDc(nullptr);
    read = info.bmHeight == 0 ||
           ::GetDIBits(screen.get(), bitmap.get(), 0, static_cast<UINT>(info.bmHeight), rows.data(),
                       &format, DIB_RGB_COLORS) == info.bmHeight;
    for (size_t i = 0; i < rows.size(); ++i) {
      pixels.colors[i] = RGB(rows[i].rgbRed, rows[i].rgbGreen, rows[i].rgbBlue);
    }
  }
  return read;
}
