#include "image/image_file.h"

bool ImageFile::PutByte(unsigned char c) { return Write(&c, 1, 1) == 1; }
