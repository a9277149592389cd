// The owner of a C stream from std::fopen: closed once, by its last owner. Where the result of
// closing matters (a file being written), release() it and close it by hand.
#pragma once

#include <cstdio>
#include <memory>

struct StdioFileCloser {
  void operator()(std::FILE* stream) const { std::fclose(stream); }
};
using UniqueStdioFile = std::unique_ptr<std::FILE, StdioFileCloser>;
