#include "flash/movie_path.h"

#include <cstdio>
#include <cstring>

bool ComposeMoviePath(const char* directory, char (&path)[kMoviePathSize]) {
  path[0] = '\0';
  if (directory == nullptr) return false;
  // A path that does not fit is refused whole: a cut one would name some other file.
  if (std::strlen(directory) + std::strlen(kMovieSuffix) >= sizeof path) return false;
  std::snprintf(path, sizeof path, "%s%s", directory, kMovieSuffix);
  return true;
}
