// What the launcher reads from its small INI files, always through the system's profile
// functions. The files are named in app/startup_files.h; names match without regard to case.
#pragma once

#include "app/launch_paths.h"
#include "compat/platform.h"

// A button's place in the dialog's client area: x, y, w, h of its section in ini/PlayGui.ini,
// each 0 when missing.
struct LayoutPlace {
  int x;
  int y;
  int w;
  int h;
};
LayoutPlace ReadLayoutPlace(const char* section);

// Place and look of the version label: section "VersionPos" of ini/GameSetup.ini.
struct VersionStyle {
  int x;
  int y;
  char face[64];  // at most 63 bytes
  COLORREF color;
  int fontHeight;
  int fontWidth;
};
VersionStyle ReadVersionStyle();

// "FlashName" of section "Read" in ini/Startgame.ini, empty when missing.
void ReadCheckToolName(char (&name)[kPathBufferSize]);
