// The picture of a game folder's layout: the skin as the player sees it, with the key colour's
// cut-outs as a light checkerboard, the inside panel beneath them, the banner or the movie's
// place, the buttons, the version label, every problem that has a place outlined in red, and a
// legend strip below.
#pragma once

#include "tools/gamecheck/game_layout.h"
#include "tools/gamecheck/game_report.h"
#include "tools/gamecheck/picture_canvas.h"

// The strip under the skin.
constexpr int kLegendHeight = 40;

// Outlines and fills; no other part of the picture is drawn in pure red.
constexpr Rgba kProblemColor{255, 0, 0, 255};
constexpr Rgba kInsideColor{64, 128, 255, 255};
constexpr Rgba kMovieColor{255, 160, 0, 255};
constexpr Rgba kButtonColor{0, 210, 90, 255};
constexpr Rgba kLabelColor{0, 220, 220, 255};
constexpr Rgba kCheckerLight{240, 240, 240, 255};
constexpr Rgba kCheckerDark{208, 208, 208, 255};
// The canvas when the skin cannot be loaded.
constexpr Rgba kNoSkinColor{128, 128, 128, 255};

// As large as the skin (the launcher's canvas when it does not load) plus the legend.
PictureCanvas DrawGamePicture(const GameLayout& layout, const GameReport& report);
