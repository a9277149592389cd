// The stand-in Flash control's picture of a playing movie: a banner in the movie's background
// colour with drifting stars, a wandering glow, a light sweeping across, the movie's caption and
// a running progress line, all moving with the frame number.
#pragma once
#include <windows.h>

#include "testbed/controls/flash_movie.h"

// Draws frame `frame` of `movie` over `area` of `dc`; a movie that cannot play shows black.
void DrawBanner(HDC dc, const RECT& area, const FlashMovie& movie, const wchar_t* movieName,
                unsigned frame);
