// Fuzz targets write each input to a file, since the parsers read files, and the parsers log as
// they meet faults. Both go to a private folder of the process, removed when it ends; the folder
// the fuzzer was started from (whose relative corpus paths must keep working) is left alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzz_data {

// The path of `name` in the private folder. The first call also sends the log there.
std::string PrivatePath(const char* name);

// Writes the bytes to `path`, replacing it.
void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size);

// Stops the process loudly: a libFuzzer finding.
[[noreturn]] void Fail(const char* what);

}  // namespace fuzz_data
