// An RGBA canvas for gamecheck's picture, drawn with integer arithmetic only, so that every build
// of the tool paints the same bytes.
#pragma once

#include <string>
#include <vector>

#include "tools/gamecheck/game_layout.h"
#include "tools/gamecheck/place_rect.h"

struct Rgba {
  unsigned char r;
  unsigned char g;
  unsigned char b;
  unsigned char a;
};

class PictureCanvas {
 public:
  PictureCanvas(int width, int height, Rgba fill);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Rows top first, four bytes a pixel.
  const std::vector<unsigned char>& Pixels() const { return pixels_; }
  Rgba At(int x, int y) const;

  void Set(int x, int y, Rgba color);
  // Everything is clipped to the canvas.
  void Fill(const PlaceRect& rect, Rgba color);
  void Outline(const PlaceRect& rect, Rgba color, int thickness);
  // `image` blended by its alpha with its top-left pixel at (x, y), only within `clip` and where
  // `shown` (one byte a canvas pixel, nonzero where shown; empty: everywhere) allows.
  void Blend(const RgbaImage& image, int x, int y, const PlaceRect& clip,
             const std::vector<unsigned char>& shown);
  // Printable ASCII in stb_easy_font's small letters, its top-left at (x, y), on a dark backing so
  // that it reads over any art; other bytes show as '?'. Returns the width it took.
  int Text(int x, int y, const std::string& text, Rgba color);

 private:
  int width_;
  int height_;
  std::vector<unsigned char> pixels_;
};
