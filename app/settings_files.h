// The small INI files the launcher reads and writes, always through the system's profile
// functions. Paths are relative to the current directory; names match without regard to case.
#pragma once
#include <windows.h>

#include "app/launch_paths.h"

class CWnd;

constexpr const char* kLayoutFile = "ini/PlayGui.ini";
constexpr const char* kVersionStyleFile = "ini/GameSetUp.ini";
constexpr const char* kGameSettingsFile = "ini/GameSetup.ini";
constexpr const char* kCheckToolFile = "ini/Startgame.ini";

// Moves and sizes `window` to x, y, w, h of `section` in ini/PlayGui.ini (each 0 when missing),
// in its parent's client coordinates, repainting. Does nothing without a section name.
void PlaceFromLayout(CWnd* window, const char* section);

// Place and look of the version label: section "VersionPos" of ini/GameSetUp.ini.
struct VersionStyle {
  int x;
  int y;
  char face[64];  // at most 63 bytes
  COLORREF color;
  int fontHeight;
  int fontWidth;
};
VersionStyle ReadVersionStyle();

// Writes "GraphicDetail" = value in section "GameDefinition" of ini/GameSetup.ini.
void WriteGraphicDetail(const char* value);

// "FlashName" of section "Read" in ini/Startgame.ini, empty when missing.
void ReadCheckToolName(char (&name)[kPathBufferSize]);
