#include "tools/gamecheck/game_picture.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/banner_file.h"
#include "app/startup_files.h"
#include "tools/gamecheck/check_text.h"

namespace {

constexpr int kCheckerSquare = 8;
constexpr Rgba kLegendBackground{32, 32, 32, 255};
constexpr Rgba kLegendText{235, 235, 235, 255};

// One byte a pixel of a `width` x `height` canvas: nonzero where `shape` shows its window.
std::vector<unsigned char> MaskOf(const SkinShape& shape, int width, int height) {
  std::vector<unsigned char> mask(static_cast<size_t>(width) * height, 0);
  for (int y = 0; y < std::min(shape.height, height); ++y) {
    for (const auto& run : shape.rows[static_cast<size_t>(y)]) {
      for (int x = std::max(run.first, 0); x < std::min(run.second, width); ++x) {
        mask[static_cast<size_t>(y) * width + x] = 1;
      }
    }
  }
  return mask;
}

Rgba PixelOf(const SkinPixels& pixels, int x, int y) {
  const COLORREF color = pixels.At(x, y);
  return {GetRValue(color), GetGValue(color), GetBValue(color), 255};
}

// The smallest rectangle around a shape's runs; empty when it has none.
PlaceRect BoundsOf(const SkinShape& shape) {
  PlaceRect bounds{shape.width, shape.height, 0, 0};
  for (int y = 0; y < shape.height; ++y) {
    for (const auto& run : shape.rows[static_cast<size_t>(y)]) {
      bounds = {std::min(bounds.left, run.first), std::min(bounds.top, y),
                std::max(bounds.right, run.second), std::max(bounds.bottom, y + 1)};
    }
  }
  return bounds;
}

// A place wholly off the canvas is shown as a sliver at the nearest edge, so that it is seen.
PlaceRect OntoCanvas(const PlaceRect& place, int width, int height) {
  constexpr int kSliver = 3;
  PlaceRect on{std::clamp(place.left, 0, std::max(width - kSliver, 0)),
               std::clamp(place.top, 0, std::max(height - kSliver, 0)),
               std::clamp(place.right, std::min(kSliver, width), width),
               std::clamp(place.bottom, std::min(kSliver, height), height)};
  if (on.right - on.left < kSliver) {
    on.left = std::min(on.left, std::max(width - kSliver, 0));
    on.right = on.left + kSliver;
  }
  if (on.bottom - on.top < kSliver) {
    on.top = std::min(on.top, std::max(height - kSliver, 0));
    on.bottom = on.top + kSliver;
  }
  return on;
}

// What the player sees of the two windows: the skin within its shape, the inside window beneath
// its cut-outs, and the desktop (a checkerboard) where neither is. Without a skin the launcher is
// an unshaped grey canvas; the inside panel is still drawn, to show where it lies.
void DrawBackgrounds(PictureCanvas& canvas, const GameLayout& layout,
                     const std::vector<unsigned char>& skinMask) {
  std::vector<unsigned char> insideMask;
  if (layout.inside) insideMask = MaskOf(layout.inside->shape, canvas.Width(), canvas.Height());
  for (int y = 0; y < canvas.Height(); ++y) {
    for (int x = 0; x < canvas.Width(); ++x) {
      const size_t at = static_cast<size_t>(y) * canvas.Width() + x;
      if (layout.skin && skinMask[at] != 0) {
        canvas.Set(x, y, PixelOf(layout.skin->pixels, x, y));
      } else if (!insideMask.empty() && insideMask[at] != 0) {
        canvas.Set(x, y, PixelOf(layout.inside->pixels, x, y));
      } else if (layout.skin) {
        const bool light = ((x / kCheckerSquare) + (y / kCheckerSquare)) % 2 == 0;
        canvas.Set(x, y, light ? kCheckerLight : kCheckerDark);
      }
    }
  }
}

// Swatches with their meaning, then the count of problems.
void DrawLegend(PictureCanvas& canvas, const GameLayout& layout, const GameReport& report,
                int top) {
  canvas.Fill({0, top, canvas.Width(), canvas.Height()}, kLegendBackground);
  struct Entry {
    Rgba color;
    const char* text;
  };
  const Entry entries[] = {{kCheckerDark, "cut out"},       {kInsideColor, "inside panel"},
                           {kMovieColor, "movie / banner"}, {kButtonColor, "button"},
                           {kLabelColor, "version label"},  {kProblemColor, "problem"}};
  int x = 6;
  for (const Entry& entry : entries) {
    canvas.Fill({x, top + 6, x + 12, top + 16}, entry.color);
    x += 16 + canvas.Text(x + 16, top + 7, entry.text, kLegendText) + 14;
  }
  int placed = 0;
  for (const Problem& problem : report.problems) placed += problem.place ? 1 : 0;
  const int errors = report.ErrorCount();
  const int warnings = report.WarningCount();
  std::string count = Printed("%d problem%s (%d error%s, %d warning%s), %d outlined in red",
                              errors + warnings, errors + warnings == 1 ? "" : "s", errors,
                              errors == 1 ? "" : "s", warnings, warnings == 1 ? "" : "s", placed);
  if (!layout.skin) count += "; the skin does not load: grey canvas";
  canvas.Text(6, top + 24, count, kLegendText);
}

}  // namespace

PictureCanvas DrawGamePicture(const GameLayout& layout, const GameReport& report) {
  const int width = layout.skin ? layout.skin->pixels.width : kCanvasWidth;
  const int height = layout.skin ? layout.skin->pixels.height : kCanvasHeight;
  PictureCanvas canvas(width, height + kLegendHeight, kNoSkinColor);
  // Without a skin the whole canvas is the (unshaped) window.
  const std::vector<unsigned char> skinMask =
      layout.skin ? MaskOf(layout.skin->shape, width, canvas.Height())
                  : std::vector<unsigned char>();
  DrawBackgrounds(canvas, layout, skinMask);

  // Art is drawn as the launcher draws it, within its window's shape.
  const PlaceRect movie{0, 0, kBannerWidth, kBannerHeight};
  if (layout.banner) {
    canvas.Blend(*layout.banner, 0, 0,
                 {0, 0, std::min(kBannerWidth, width), std::min(kBannerHeight, height)}, skinMask);
  }
  for (const LayoutButton& button : layout.buttons) {
    if (!button.place || !button.normal) continue;
    const PlaceRect& place = *button.place;
    const PlaceRect clip{place.left, place.top, std::min(place.right, width),
                         std::min(place.bottom, height)};
    canvas.Blend(*button.normal, place.left, place.top, clip, skinMask);
  }

  // Outlines over the art, and the problems' over everything else.
  if (layout.inside) {
    const PlaceRect bounds = BoundsOf(layout.inside->shape);
    if (bounds.Area() > 0) canvas.Outline(bounds, kInsideColor, 1);
  }
  canvas.Outline(movie, kMovieColor, 1);
  for (const LayoutButton& button : layout.buttons) {
    if (!button.place) continue;
    const PlaceRect place = OntoCanvas(*button.place, width, height);
    canvas.Outline(place, kButtonColor, 1);
    canvas.Text(place.left + 3, place.top + 3, button.name, kButtonColor);
  }
  if (layout.versionLabel) {
    const PlaceRect label = OntoCanvas(*layout.versionLabel, width, height);
    canvas.Outline(label, kLabelColor, 1);
    canvas.Text(label.left + 2, label.top + 3, layout.versionText, kLabelColor);
  }
  for (const Problem& problem : report.problems) {
    if (problem.place) canvas.Outline(OntoCanvas(*problem.place, width, height), kProblemColor, 2);
  }
  DrawLegend(canvas, layout, report, height);
  return canvas;
}
