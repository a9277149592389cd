#include "tools/playdat/file_scrambling.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <system_error>
#include <vector>

#include "compat/stdio_file.h"
#include "data/scrambled_buffer.h"

namespace {

// The key repeats every 128 bytes and the rotation every 8, so chunks of a multiple of 128 bytes
// can each be treated as if they started the file.
constexpr size_t kChunkSize = 512 * ScrambledBuffer::kKeyTableSize;

bool SameFile(const std::string& a, const std::string& b) {
  std::error_code ignored;
  return std::filesystem::equivalent(a, b, ignored);
}

bool Copy(std::FILE* in, std::FILE* out, ScrambleDirection direction, std::string* error) {
  const ScrambledBuffer keys;
  std::vector<unsigned char> chunk(kChunkSize);
  for (;;) {
    const size_t got = std::fread(chunk.data(), 1, chunk.size(), in);
    if (got > 0) {
      if (direction == ScrambleDirection::Scramble) {
        keys.Scramble(chunk.data(), static_cast<int>(got));
      } else {
        keys.Descramble(chunk.data(), static_cast<int>(got));
      }
      if (std::fwrite(chunk.data(), 1, got, out) != got) {
        *error = "cannot write the output";
        return false;
      }
    }
    if (got < chunk.size()) break;
  }
  if (std::ferror(in)) {
    *error = "cannot read the input";
    return false;
  }
  return true;
}

}  // namespace

bool TransformFile(const std::string& input, const std::string& output, ScrambleDirection direction,
                   std::string* error) {
  if (SameFile(input, output)) {
    *error = "input and output are the same file";
    return false;
  }
  UniqueStdioFile in(std::fopen(input.c_str(), "rb"));
  if (!in) {
    *error = "cannot open " + input;
    return false;
  }
  // The build writes straight into a game folder that may not have its sub-folder yet.
  std::error_code ignored;
  const std::filesystem::path parent = std::filesystem::path(output).parent_path();
  if (!parent.empty()) std::filesystem::create_directories(parent, ignored);
  UniqueStdioFile out(std::fopen(output.c_str(), "wb"));
  if (!out) {
    *error = "cannot create " + output;
    return false;
  }
  bool ok = Copy(in.get(), out.get(), direction, error);
  if (std::fclose(out.release()) != 0 && ok) {
    *error = "cannot write the output";
    ok = false;
  }
  if (!ok) {
    std::filesystem::remove(output, ignored);
    *error += " (" + output + ")";
  }
  return ok;
}
