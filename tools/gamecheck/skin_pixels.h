// A skin bitmap's pixels as the launcher sees them once the system has loaded the file.
#pragma once

#include <string>
#include <vector>

#include "compat/platform.h"

struct SkinPixels {
  int width = 0;
  int height = 0;
  std::vector<COLORREF> colors;  // row by row from the top, left to right

  COLORREF At(int x, int y) const { return colors[static_cast<size_t>(y) * width + x]; }
};

// Loads the bitmap file at `path` (relative to the current directory) the way the launcher's
// windows load their backgrounds. False when the launcher could not load it either.
bool LoadSkinPixels(const std::string& path, SkinPixels& pixels);
