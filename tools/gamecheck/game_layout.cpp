#include "tools/gamecheck/game_layout.h"

#include "image/cximage.h"

RgbaImage RgbaOf(const CxImage& image) {
  RgbaImage out;
  out.width = static_cast<int>(image.GetWidth());
  out.height = static_cast<int>(image.GetHeight());
  out.rgba.resize(static_cast<size_t>(out.width) * out.height * 4);
  unsigned char* to = out.rgba.data();
  for (int y = 0; y < out.height; ++y) {
    // Stored rows run bottom-up, the alpha plane's with them.
    const long stored = out.height - 1 - y;
    for (int x = 0; x < out.width; ++x) {
      const RGBQUAD color = image.GetPixelColor(x, stored);
      *to++ = color.rgbRed;
      *to++ = color.rgbGreen;
      *to++ = color.rgbBlue;
      *to++ = image.GetAlphaAt(x, stored);
    }
  }
  return out;
}

LayoutButton& GameLayout::Button(const std::string& name) {
  for (LayoutButton& button : buttons) {
    if (button.name == name) return button;
  }
  buttons.push_back({name, std::nullopt, std::nullopt});
  return buttons.back();
}
