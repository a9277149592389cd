// How long the window shape takes for the launcher's skin under this system, against a plain
// SetWindowRgn of a rectangle on the same window as the reference, both measured in one run.
//   shape_timing SKIN.bmp [RUNS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "skin/window_region.h"

namespace {

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

double Milliseconds(const LARGE_INTEGER& start, const LARGE_INTEGER& end) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: shape_timing SKIN.bmp [RUNS]\n");
    return 2;
  }
  const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  HBITMAP bitmap =
      static_cast<HBITMAP>(::LoadImageA(nullptr, argv[1], IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
  if (bitmap == nullptr) {
    std::fprintf(stderr, "shape_timing: cannot load %s\n", argv[1]);
    return 1;
  }
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof info, &info);
  HWND window = ::CreateWindowExA(0, "STATIC", "shape", WS_POPUP | WS_VISIBLE, 0, 0, info.bmWidth,
                                  info.bmHeight, nullptr, nullptr, nullptr, nullptr);
  std::vector<double> shape, rectangle;
  for (int run = 0; run < runs; ++run) {
    HDC dc = ::GetDC(window);
    LARGE_INTEGER start, end;
    ::QueryPerformanceCounter(&start);
    ShapeWindowFromBitmap(dc, bitmap, RGB(255, 0, 255));
    ::QueryPerformanceCounter(&end);
    shape.push_back(Milliseconds(start, end));

    ::QueryPerformanceCounter(&start);
    ::SetWindowRgn(window, ::CreateRectRgn(0, 0, info.bmWidth, info.bmHeight), TRUE);
    ::QueryPerformanceCounter(&end);
    rectangle.push_back(Milliseconds(start, end));
    ::ReleaseDC(window, dc);
  }
  const double shapeMs = Median(shape), rectangleMs = Median(rectangle);
  std::printf("ShapeWindowFromBitmap %ldx%ld: median %.1f ms over %d runs\n", info.bmWidth,
              info.bmHeight, shapeMs, runs);
  std::printf("reference SetWindowRgn(rectangle): median %.3f ms; ratio %.0fx\n", rectangleMs,
              rectangleMs > 0 ? shapeMs / rectangleMs : 0.0);
  ::DestroyWindow(window);
  ::DeleteObject(bitmap);
  return 0;
}
