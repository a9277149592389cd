// The background of the inside window, which lies beneath the launcher and shows through the
// skin's cut-outs: its file (relative to the current directory), the colour cut out of it, and
// the error box shown when it cannot be loaded.
#pragma once

#include "compat/platform.h"

constexpr const char* kInsideSkinPath = "data2/interface/StartUp/InsideStartBG.bmp";
constexpr COLORREF kInsideSkinKey = RGB(255, 255, 255);
// Worded as the launcher's own skin box is.
constexpr const char* kInsideSkinLoadFailedBox =
    "Load image failed! Please make sure the \"data2/interface/StartUp/InsideStartBG.bmp\" file "
    "path is correct!";
