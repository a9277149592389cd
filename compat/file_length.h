// Length of an open stream's file, as the runtime's _filelength reports it.
#pragma once
#include <cstdio>

namespace compat {
// Bytes in the file behind `stream`, or -1 when it cannot be told.
long FileLength(std::FILE* stream);
}  // namespace compat
