// gamecheck's picture as a PNG file.
#pragma once

#include <string>

#include "tools/gamecheck/picture_canvas.h"

// Encodes `canvas` in memory, writes it beside `path` under a temporary name and puts it in
// place, so that `path` is either the whole picture or untouched. False, with the reason in
// `error`, when it cannot be written.
bool WritePicturePng(const PictureCanvas& canvas, const std::string& path, std::string& error);
