// The launcher's settings files on its windows: button places, and the one setting it writes.
#pragma once
#include <windows.h>

#include "app/settings_read.h"

class CWnd;

// Moves and sizes `window` to x, y, w, h of `section` in ini/PlayGui.ini (each 0 when missing),
// in its parent's client coordinates, repainting. Does nothing without a section name.
void PlaceFromLayout(CWnd* window, const char* section);

// Writes "GraphicDetail" = value in section "GameDefinition" of ini/GameSetup.ini.
void WriteGraphicDetail(const char* value);
