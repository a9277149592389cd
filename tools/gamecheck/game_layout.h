// Where things are on the launcher's skin, gathered by the checks as they read the folder, for
// the picture of it: the two backgrounds with their shapes, the banner, each button's place and
// normal image, and the version label.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/gamecheck/place_rect.h"
#include "tools/gamecheck/skin_pixels.h"
#include "tools/gamecheck/skin_shape.h"

class CxImage;

// Decoded pixels, top row first, four bytes each (red, green, blue, alpha).
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<unsigned char> rgba;
};

// The image as it is drawn: rows top first, alpha 255 where it has no alpha plane.
RgbaImage RgbaOf(const CxImage& image);

// A window background as its window loads it, and the shape cut from it.
struct LayoutBackground {
  SkinPixels pixels;
  SkinShape shape;
};

struct LayoutButton {
  std::string name;
  std::optional<PlaceRect> place;   // none when ini/PlayGui.ini gives it no size
  std::optional<RgbaImage> normal;  // its normal state image, when that loads
};

struct GameLayout {
  std::optional<LayoutBackground> skin;
  std::optional<LayoutBackground> inside;  // lies at the skin's top-left corner
  std::optional<RgbaImage> banner;
  std::vector<LayoutButton> buttons;
  std::optional<PlaceRect> versionLabel;
  std::string versionText;  // as the label shows it, prefix included

  // The entry of button `name`, added on first use.
  LayoutButton& Button(const std::string& name);
};
