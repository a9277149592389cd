// What the stand-in Flash control reads of a movie file: whether it is a Flash movie at all, and
// for an uncompressed one its frame rate, background colour and first frame label.
#pragma once
#include <windows.h>

#include <string>

struct FlashMovie {
  bool playable = false;  // the file starts like a Flash movie
  double frameRate = 12;
  COLORREF background = RGB(16, 20, 48);
  std::wstring caption;  // the first frame label, empty when there is none
};

// Reads the movie at `path` (either slash); a missing or foreign file is not playable.
FlashMovie ReadFlashMovie(const std::wstring& path);
