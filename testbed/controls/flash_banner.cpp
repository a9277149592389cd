#include "testbed/controls/flash_banner.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cwchar>
#include <vector>

#include "compat/windows/gdi_handles.h"

namespace {

struct Colour {
  double r, g, b;
};

Colour FromRef(COLORREF c) {
  return {double(GetRValue(c)), double(GetGValue(c)), double(GetBValue(c))};
}

Colour Mix(const Colour& a, const Colour& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

unsigned char Clamp(double v) {
  return static_cast<unsigned char>(std::min(255.0, std::max(0.0, v)));
}

// The sky, glow and sweep, computed per pixel into a 32-bit top-down buffer. The glow is
// separable (a product of a column and a row factor), so a frame costs little more than a fill.
void PaintSky(unsigned char* pixels, int width, int height, COLORREF background, unsigned frame) {
  const Colour base = FromRef(background);
  const Colour top = Mix(base, {0, 0, 0}, 0.45);
  const Colour horizon = Mix(base, {214, 120, 80}, 0.45);
  const Colour glowColour{255, 214, 150};
  const double glowX = width * (0.5 + 0.35 * std::sin(frame * 0.045));
  const double glowY = height * (0.55 + 0.1 * std::cos(frame * 0.07));
  const double glowRadius = height * 0.9;
  const double sweep = std::fmod(frame * 16.0, width + 500.0) - 250.0;
  std::vector<float> glowColumn(static_cast<size_t>(width));
  for (int x = 0; x < width; ++x) {
    const double dx = (x - glowX) / glowRadius;
    glowColumn[static_cast<size_t>(x)] = static_cast<float>(0.4 * std::exp(-dx * dx * 3.0));
  }
  for (int y = 0; y < height; ++y) {
    const Colour row = Mix(top, horizon, std::pow(static_cast<double>(y) / height, 1.4));
    const double dy = (y - glowY) / glowRadius;
    const float glowRow = static_cast<float>(std::exp(-dy * dy * 3.0));
    const float r = static_cast<float>(row.r), g = static_cast<float>(row.g),
                b = static_cast<float>(row.b);
    const float gr = static_cast<float>(glowColour.r) - r,
                gg = static_cast<float>(glowColour.g) - g,
                gb = static_cast<float>(glowColour.b) - b;
    const float bandCentre = static_cast<float>(sweep - y * 0.5);
    unsigned char* out = pixels + static_cast<size_t>(y) * width * 4;
    for (int x = 0; x < width; ++x, out += 4) {
      const float glow = glowColumn[static_cast<size_t>(x)] * glowRow;
      float cr = r + gr * glow, cg = g + gg * glow, cb = b + gb * glow;
      const float distance = std::fabs(static_cast<float>(x) - bandCentre);
      if (distance < 70.0f) {
        const float band = (1.0f - distance / 70.0f) * 0.22f;
        cr += (255.0f - cr) * band;
        cg += (255.0f - cg) * band;
        cb += (255.0f - cb) * band;
      }
      out[0] = static_cast<unsigned char>(std::min(255.0f, cb));
      out[1] = static_cast<unsigned char>(std::min(255.0f, cg));
      out[2] = static_cast<unsigned char>(std::min(255.0f, cr));
      out[3] = 0;
    }
  }
  // Stars drift to the left at three speeds and twinkle.
  unsigned seed = 20261029;
  for (int i = 0; i < 90; ++i) {
    seed = seed * 1103515245u + 12345u;
    const int x0 = static_cast<int>((seed >> 8) % static_cast<unsigned>(width));
    seed = seed * 1103515245u + 12345u;
    const int y = static_cast<int>((seed >> 8) % static_cast<unsigned>(height * 2 / 3));
    const int speed = 1 + i % 3;
    const int x = ((x0 - static_cast<int>(frame) * speed) % width + width) % width;
    const double light = 0.55 + 0.45 * std::sin(frame * 0.35 + i * 1.7);
    for (int py = y; py < std::min(height, y + 2); ++py) {
      for (int px = x; px < std::min(width, x + 2); ++px) {
        unsigned char* out = pixels + (static_cast<size_t>(py) * width + px) * 4;
        for (int channel = 0; channel < 3; ++channel) {
          out[channel] = Clamp(out[channel] + (255 - out[channel]) * light);
        }
      }
    }
  }
}

void DrawCaption(HDC dc, const RECT& area, const wchar_t* text, int height, COLORREF colour,
                 int top) {
  const UniqueGdiObject<HFONT> font(::CreateFontW(
      height, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
      CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_SWISS, L"SimSun"));
  const GdiSelection selected(dc, font.get());
  ::SetBkMode(dc, TRANSPARENT);
  RECT line{area.left, top, area.right, top + height + 8};
  RECT shadow = line;
  ::OffsetRect(&shadow, 2, 2);
  ::SetTextColor(dc, RGB(20, 8, 0));
  ::DrawTextW(dc, text, -1, &shadow, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
  ::SetTextColor(dc, colour);
  ::DrawTextW(dc, text, -1, &line, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX);
}

}  // namespace

void DrawBanner(HDC dc, const RECT& area, const FlashMovie& movie, const wchar_t* movieName,
                unsigned frame) {
  const int width = area.right - area.left, height = area.bottom - area.top;
  if (width <= 0 || height <= 0) return;
  if (!movie.playable) {
    ::FillRect(dc, &area, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    return;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  void* bits = nullptr;
  {
    const UniqueGdiObject<HBITMAP> sky(
        ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!sky) return;
    PaintSky(static_cast<unsigned char*>(bits), width, height, movie.background, frame);
    const UniqueMemoryDc memory(::CreateCompatibleDC(dc));
    const GdiSelection selected(memory.get(), sky.get());
    ::BitBlt(dc, area.left, area.top, width, height, memory.get(), 0, 0, SRCCOPY);
  }

  const wchar_t* caption = movie.caption.empty() ? movieName : movie.caption.c_str();
  DrawCaption(dc, area, caption, height / 6, RGB(255, 214, 120), area.top + height * 2 / 5);
  wchar_t status[64];
  std::swprintf(status, 64, L"Flash stand-in \x25B6 frame %u", frame);
  RECT corner{area.left + 10, area.bottom - 26, area.right, area.bottom};
  {
    const UniqueGdiObject<HFONT> small(::CreateFontW(
        13, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"SimSun"));
    const GdiSelection selected(dc, small.get());
    ::SetTextColor(dc, RGB(200, 190, 170));
    ::DrawTextW(dc, status, -1, &corner, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX);
  }
  // A progress line running along the bottom edge, one lap every few seconds.
  const int run = static_cast<int>(frame * 9 % static_cast<unsigned>(width + 1));
  RECT progress{area.left, area.bottom - 4, area.left + run, area.bottom};
  const UniqueGdiObject<HBRUSH> gold(::CreateSolidBrush(RGB(242, 196, 106)));
  ::FillRect(dc, &progress, gold.get());
}
