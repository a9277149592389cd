// PNG encoding, by stb_image_write.
#pragma once

#include <vector>

// Appends the PNG of `width` x `height` RGBA pixels (rows top first) to `png`.
bool EncodePng(const unsigned char* rgba, int width, int height, std::vector<unsigned char>& png);
