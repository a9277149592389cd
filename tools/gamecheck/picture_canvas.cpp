#include "tools/gamecheck/picture_canvas.h"

#include <algorithm>

#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#endif
#include <stb_easy_font.h>
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif

namespace {

constexpr Rgba kTextBacking{0, 0, 0, 255};

// One vertex of stb_easy_font's quads: x, y, z and a colour.
struct FontVertex {
  float x;
  float y;
  float z;
  unsigned char color[4];
};

unsigned char Mix(unsigned char over, unsigned char under, unsigned alpha) {
  return static_cast<unsigned char>((over * alpha + under * (255u - alpha) + 127u) / 255u);
}

}  // namespace

PictureCanvas::PictureCanvas(int width, int height, Rgba fill)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  pixels_.resize(static_cast<size_t>(width_) * height_ * 4);
  for (size_t i = 0; i < pixels_.size(); i += 4) {
    pixels_[i] = fill.r;
    pixels_[i + 1] = fill.g;
    pixels_[i + 2] = fill.b;
    pixels_[i + 3] = fill.a;
  }
}

Rgba PictureCanvas::At(int x, int y) const {
  const unsigned char* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
  return {p[0], p[1], p[2], p[3]};
}

void PictureCanvas::Set(int x, int y, Rgba color) {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
  unsigned char* p = &pixels_[(static_cast<size_t>(y) * width_ + x) * 4];
  p[0] = color.r;
  p[1] = color.g;
  p[2] = color.b;
  p[3] = color.a;
}

void PictureCanvas::Fill(const PlaceRect& rect, Rgba color) {
  const int left = std::max(rect.left, 0);
  const int right = std::min(rect.right, width_);
  for (int y = std::max(rect.top, 0); y < std::min(rect.bottom, height_); ++y) {
    for (int x = left; x < right; ++x) Set(x, y, color);
  }
}

void PictureCanvas::Outline(const PlaceRect& rect, Rgba color, int thickness) {
  const int t =
      std::min({thickness, (rect.right - rect.left + 1) / 2, (rect.bottom - rect.top + 1) / 2});
  if (t <= 0) return;
  Fill({rect.left, rect.top, rect.right, rect.top + t}, color);
  Fill({rect.left, rect.bottom - t, rect.right, rect.bottom}, color);
  Fill({rect.left, rect.top, rect.left + t, rect.bottom}, color);
  Fill({rect.right - t, rect.top, rect.right, rect.bottom}, color);
}

void PictureCanvas::Blend(const RgbaImage& image, int x, int y, const PlaceRect& clip,
                          const std::vector<unsigned char>& shown) {
  const int top = std::max({y, clip.top, 0});
  const int bottom = std::min({y + image.height, clip.bottom, height_});
  const int left = std::max({x, clip.left, 0});
  const int right = std::min({x + image.width, clip.right, width_});
  for (int cy = top; cy < bottom; ++cy) {
    for (int cx = left; cx < right; ++cx) {
      const size_t at = static_cast<size_t>(cy) * width_ + cx;
      if (!shown.empty() && shown[at] == 0) continue;
      const unsigned char* from =
          &image.rgba[(static_cast<size_t>(cy - y) * image.width + (cx - x)) * 4];
      unsigned char* to = &pixels_[at * 4];
      for (int c = 0; c < 3; ++c) to[c] = Mix(from[c], to[c], from[3]);
    }
  }
}

int PictureCanvas::Text(int x, int y, const std::string& text, Rgba color) {
  std::string printable = text;
  for (char& c : printable) {
    if (c < 32 || c > 126) c = '?';
  }
  // At most a few dozen quads a letter, 4 vertices each.
  std::vector<FontVertex> vertices(printable.size() * 4 * 40 + 4);
  const int quads = stb_easy_font_print(0, 0, printable.data(), nullptr, vertices.data(),
                                        static_cast<int>(vertices.size() * sizeof(FontVertex)));
  const int width = stb_easy_font_width(printable.data());
  const int height = stb_easy_font_height(printable.data());
  Fill({x - 1, y - 1, x + width + 1, y + height + 1}, kTextBacking);
  // The letters' corners fall on whole pixels.
  for (int q = 0; q < quads; ++q) {
    const FontVertex& first = vertices[static_cast<size_t>(q) * 4];
    const FontVertex& third = vertices[static_cast<size_t>(q) * 4 + 2];
    Fill({x + static_cast<int>(first.x), y + static_cast<int>(first.y),
          x + static_cast<int>(third.x), y + static_cast<int>(third.y)},
         color);
  }
  return width;
}
