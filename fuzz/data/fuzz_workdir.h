// Fuzz targets write their input to a file, and the parsers log to debug.log in the current
// directory; both happen in a private folder, not in the folder the fuzzer was started from
// (whose relative corpus paths must keep working).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz_data {

// The current directory is the process's private folder while this object lives.
class InPrivateFolder {
 public:
  InPrivateFolder();
  ~InPrivateFolder();
  InPrivateFolder(const InPrivateFolder&) = delete;
  InPrivateFolder& operator=(const InPrivateFolder&) = delete;
};

// Writes the bytes to `name` in the current directory, replacing it.
void WriteInput(const char* name, const std::uint8_t* data, std::size_t size);

// Stops the process loudly: a libFuzzer finding.
[[noreturn]] void Fail(const char* what);

}  // namespace fuzz_data
