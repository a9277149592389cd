#include "skin/window_region.h"

#include <algorithm>
#include <vector>

#include "framework/gdi.h"
#include "skin/run_scanner.h"

namespace {

// Pixels are read in bands of at most this many bytes, so a huge bitmap never needs a whole copy
// of itself in memory.
constexpr size_t kBandBytes = 256 * 1024;

// The runs of a shape as one-pixel-high rectangles. They come row by row from the top, left to
// right, never overlapping: the order in which a region keeps its rectangles, so the region can
// be made from all of them at once instead of one union per run.
class ShapeRuns {
 public:
  void Add(int x0, int x1, int y) { rects_.push_back(RECT{x0, y, x1, y + 1}); }

  // A new region holding every run. Should the system refuse to make it in one call, the runs
  // are joined one at a time; a union that fails leaves the region as far as it got.
  HRGN CreateRegion() const {
    if (HRGN region = CreateInOneCall()) return region;
    CRgn shape;
    shape.CreateRectRgn(0, 0, 0, 0);
    for (const RECT& run : rects_) {
      CRgn single;
      single.CreateRectRgn(run.left, run.top, run.right, run.bottom);
      ::CombineRgn(shape, shape, single, RGN_OR);
    }
    return static_cast<HRGN>(shape.Detach());
  }

 private:
  HRGN CreateInOneCall() const {
    std::vector<char> data(sizeof(RGNDATAHEADER) + rects_.size() * sizeof(RECT));
    auto* region = reinterpret_cast<RGNDATA*>(data.data());
    region->rdh.dwSize = sizeof(RGNDATAHEADER);
    region->rdh.iType = RDH_RECTANGLES;
    region->rdh.nCount = static_cast<DWORD>(rects_.size());
    region->rdh.nRgnSize = static_cast<DWORD>(rects_.size() * sizeof(RECT));
    region->rdh.rcBound = RECT{0, 0, 0, 0};
    if (!rects_.empty()) {
      RECT& bounds = region->rdh.rcBound;
      bounds =
          RECT{rects_.front().left, rects_.front().top, rects_.front().right, rects_.back().bottom};
      for (const RECT& run : rects_) {
        bounds.left = std::min(bounds.left, run.left);
        bounds.right = std::max(bounds.right, run.right);
      }
      std::copy(rects_.begin(), rects_.end(), reinterpret_cast<RECT*>(region->Buffer));
    }
    return ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), region);
  }

  std::vector<RECT> rects_;
};

// A pixel read back as 32-bit blue, green, red and an unused byte, as the colour value the
// system reports for it.
COLORREF ColourOf(DWORD bgrx) { return RGB((bgrx >> 16) & 0xFF, (bgrx >> 8) & 0xFF, bgrx & 0xFF); }

// Finds the runs from copies of the bitmap's rows widened to 32 bits, a band at a time. Only where
// the copies hold exactly the colours a query of each pixel reports: a DIB section of any format
// (a paletted one's rows widen through its own colour table), and other bitmaps of 24 and 32 bits
// per pixel. False when the format is another or the rows cannot be copied.
bool ScanCopiedRows(HDC dc, HBITMAP bitmap, const BITMAP& info, bool section, COLORREF key,
                    ShapeRuns& runs) {
  if (!section && info.bmBitsPixel != 24 && info.bmBitsPixel != 32) return false;
  const int width = info.bmWidth;
  const int height = info.bmHeight;
  if (width <= 0 || height <= 0) return true;
  const size_t rowPixels = static_cast<size_t>(width);
  const int bandRows = static_cast<int>(std::max<size_t>(1, kBandBytes / (rowPixels * 4)));
  std::vector<DWORD> band(rowPixels * static_cast<size_t>(std::min(bandRows, height)));

  BITMAPINFO request{};
  request.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  request.bmiHeader.biWidth = width;
  request.bmiHeader.biHeight = height;  // bottom-up: scan line 0 is the bottom row
  request.bmiHeader.biPlanes = 1;
  request.bmiHeader.biBitCount = 32;
  request.bmiHeader.biCompression = BI_RGB;

  ShapeRuns found;
  for (int top = 0; top < height; top += bandRows) {
    const int rows = std::min(bandRows, height - top);
    const UINT firstScan = static_cast<UINT>(height - (top + rows));
    if (::GetDIBits(dc, bitmap, firstScan, static_cast<UINT>(rows), band.data(), &request,
                    DIB_RGB_COLORS) != rows) {
      return false;
    }
    // In the band the lowest row comes first.
    skin::ScanShapeRuns(
        width, rows, key,
        [&](int x, int y) {
          return ColourOf(band[static_cast<size_t>(rows - 1 - y) * rowPixels + x]);
        },
        [&](int x0, int x1, int y) { found.Add(x0, x1, top + y); });
  }
  runs = std::move(found);
  return true;
}

// Finds the runs by querying one pixel at a time: the way for every other pixel format.
void ScanPixelByPixel(HDC dc, HBITMAP bitmap, const BITMAP& info, COLORREF key, ShapeRuns& runs) {
  CDC memory;
  memory.Attach(::CreateCompatibleDC(dc));
  HGDIOBJ previous = memory.SelectObject(bitmap);
  skin::ScanShapeRuns(
      info.bmWidth, info.bmHeight, key, [&](int x, int y) { return ::GetPixel(memory, x, y); },
      [&](int x0, int x1, int y) { runs.Add(x0, x1, y); });
  if (previous != nullptr) memory.SelectObject(previous);
}

}  // namespace

bool ShapeWindowFromBitmap(HDC dc, HBITMAP bitmap, COLORREF key) {
  DIBSECTION section{};
  const int described = ::GetObjectA(bitmap, sizeof section, &section);
  const BITMAP& info = section.dsBm;
  const bool sized = described == sizeof(BITMAP) || described == sizeof(DIBSECTION);
  HWND window = ::WindowFromDC(dc);
  // With no readable size there is nothing to scan: the window keeps the shape it had.
  if (sized) {
    ShapeRuns runs;
    if (!ScanCopiedRows(dc, bitmap, info, described == sizeof(DIBSECTION), key, runs)) {
      ScanPixelByPixel(dc, bitmap, info, key, runs);
    }
    // From here the region belongs to the window system.
    ::SetWindowRgn(window, runs.CreateRegion(), TRUE);
  }
  ::SetForegroundWindow(window);
  return true;
}
