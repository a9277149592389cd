// A decoded image as a PAM file (Netpbm's arbitrary map), which every common viewer opens.
#pragma once

#include <string>

class CxImage;

// The PAM bytes: RGB_ALPHA when the image has an alpha plane, RGB otherwise; palettes expanded;
// top row first. Empty for an empty image.
std::string EncodePam(const CxImage& image);
