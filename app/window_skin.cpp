#include "app/window_skin.h"

#include "framework/gdi.h"
#include "framework/win_app.h"
#include "skin/window_region.h"

HBITMAP LoadWindowSkin(CWnd& window, const char* path, COLORREF key) {
  HBITMAP bitmap = static_cast<HBITMAP>(
      ::LoadImageA(AfxGetInstanceHandle(), path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (bitmap == nullptr) return nullptr;
  CRect rect;
  window.GetWindowRect(&rect);
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof info, &info);
  window.MoveWindow(rect.left, rect.top, info.bmWidth, info.bmHeight, TRUE);
  CPaintDC paint(&window);
  ShapeWindowFromBitmap(paint, bitmap, key);
  return bitmap;
}
