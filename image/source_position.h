// Seeks that stay valid whatever a file header claims: targets beyond what a long can address
// go to the end of the source, where every later read simply comes up empty.
#pragma once

#include <cstdint>

class ImageFile;

void SeekFromStart(ImageFile* source, std::uint64_t offset);
void SkipForward(ImageFile* source, std::uint64_t count);
