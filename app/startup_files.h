// What the launcher dialog reads as it starts (relative to the current directory), how it reads
// the skin, and the texts of the error boxes it shows when a file cannot be read. The operator
// tools report these same texts.
#pragma once

#include "compat/platform.h"

constexpr const char* kAniTablePath = "ani/play.ani";
constexpr const char* kSkinPath = "data2/interface/StartUp/OutSideStartBG.bmp";
constexpr const char* kLinksPath = "ini/play.dat";
// Installed by the start-up Flash check when no usable Flash control is registered.
constexpr const char* kFlashControlFile = "flash.ocx";

// Pixels of the skin in this colour are cut out of the window.
constexpr COLORREF kSkinKey = RGB(255, 0, 255);
// The memory canvas the skin is composed into; only this much of a larger skin is ever painted.
constexpr int kCanvasWidth = 808;
constexpr int kCanvasHeight = 581;

constexpr const char* kAniLoadFailedBox =
    "Load data file failed! Please make sure the \"ani/play.ani\" file is under the current "
    "folder!";
constexpr const char* kSkinLoadFailedBox =
    "Load image failed! Please make sure the \"data2/interface/StartUp/OutSideStartBG.bmp\" file "
    "path is correct!";
// Formats: with kLinksPath, with kVersionFile, and with the path of a button image.
constexpr const char* kLinksOpenFailedBox = "error on open %s.";
constexpr const char* kVersionOpenFailedBox = "Error on open %s.";
constexpr const char* kButtonImageFailedBox = "Load image failed! Make sure the path \"%s\" image is OK! ";
