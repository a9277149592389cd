// Where the Flash movie is looked for: the current directory, as the system gives it (with
// backslashes), joined with the movie's data path (with forward slashes). Named here, not in
// app/startup_files.h above, because ComposeMoviePath in flash/ joins it.
#pragma once

constexpr int kMoviePathSize = 256;
constexpr const char* kMovieSuffix = "/data2/interface/StartUp/loadmovie.swf";

// Writes directory + kMovieSuffix into `path` and returns true; when that would not fit in the
// buffer (a directory longer than 217 bytes), or without a directory, leaves `path` empty and
// returns false.
bool ComposeMoviePath(const char* directory, char (&path)[kMoviePathSize]);
