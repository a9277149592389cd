#include "app/window_skin.h"

#include "framework/gdi.h"
#include "skin/bitmap_file.h"
#include "skin/window_region.h"

HBITMAP LoadWindowSkin(CWnd& window, const char* path, COLORREF key) {
  HBITMAP bitmap = LoadBitmapFile(path);
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
