#include "compat/file_length.h"

#ifdef _WIN32
#include <io.h>
#else
#include <sys/stat.h>
#endif

namespace compat {

long FileLength(std::FILE* stream) {
  if (stream == nullptr) return -1;
#ifdef _WIN32
  return _filelength(_fileno(stream));
#else
  struct stat info {};
  if (fstat(fileno(stream), &info) != 0) return -1;
  return static_cast<long>(info.st_size);
#endif
}

}  // namespace compat
