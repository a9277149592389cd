// The operator's own banner picture, shown at the Flash movie's place while the launcher has no
// movie (no Flash control can be had, or the movie could not be started): which file a game folder
// offers, and how it is read. The operator tools read it the same way.
#pragma once

#include "image/cximage.h"

// The movie's place, which the banner takes: the top-left 808 x 268 pixels of the client area.
// A larger picture is cut to it.
constexpr int kBannerWidth = 808;
constexpr int kBannerHeight = 268;

enum class BannerState {
  kAbsent,      // no banner file: the launcher looks as it does without one
  kLoaded,      // decoded into the image
  kUnreadable,  // a file is there but cannot be opened or decoded; one line in debug.log says so
};

// Loads the banner of the game folder (the current directory) into `image`: Banner.bmp when it is
// there, else Banner.tga, each tried with its own decoder first and then by its contents. An
// unreadable Banner.bmp is not replaced by Banner.tga: the rule stays "the BMP wins", which the
// log line and gamecheck then explain.
BannerState LoadBanner(CxImage& image);
