#include "skin/window_region.h"

#include "framework/gdi.h"
#include "skin/run_scanner.h"

bool ShapeWindowFromBitmap(HDC dc, HBITMAP bitmap, COLORREF key) {
  CDC memory;
  memory.Attach(::CreateCompatibleDC(dc));
  HGDIOBJ previous = memory.SelectObject(bitmap);

  CRgn shape;
  shape.CreateRectRgn(0, 0, 0, 0);

  BITMAP info{};
  const bool sized = ::GetObjectA(bitmap, sizeof info, &info) == sizeof info;
  if (sized) {
    skin::ScanShapeRuns(
        info.bmWidth, info.bmHeight, key,
        [&](int x, int y) { return ::GetPixel(memory, x, y); },
        [&](int x0, int x1, int y) {
          CRgn run;
          run.CreateRectRgn(x0, y, x1, y + 1);
          ::CombineRgn(shape, shape, run, RGN_OR);
        });
  }
  if (previous != nullptr) memory.SelectObject(previous);

  HWND window = ::WindowFromDC(dc);
  // With no readable size there is nothing to scan: the window keeps the shape it had.
  if (sized) {
    // From here the region belongs to the window system.
    ::SetWindowRgn(window, static_cast<HRGN>(shape.Detach()), TRUE);
  }
  ::SetForegroundWindow(window);
  return true;
}
