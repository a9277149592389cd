#include "image/source_position.h"

#include <climits>
#include <cstdio>

#include "image/image_file.h"

void SeekFromStart(ImageFile* source, std::uint64_t offset) {
  if (offset > static_cast<std::uint64_t>(LONG_MAX)) {
    source->Seek(0, SEEK_END);
    return;
  }
  source->Seek(static_cast<long>(offset), SEEK_SET);
}

void SkipForward(ImageFile* source, std::uint64_t count) {
  if (count == 0) return;
  const long position = source->Tell();
  if (position < 0 || count > static_cast<std::uint64_t>(LONG_MAX - position)) {
    source->Seek(0, SEEK_END);
    return;
  }
  source->Seek(static_cast<long>(count), SEEK_CUR);
}
