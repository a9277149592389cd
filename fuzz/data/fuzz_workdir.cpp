#include "fuzz/data/fuzz_workdir.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "diag/diagnostics.h"

namespace fuzz_data {
namespace {

// Memory-backed when the system offers it: every input is written to a file and read back.
std::filesystem::path ScratchBase() {
  std::error_code error;
  if (std::filesystem::is_directory("/dev/shm", error)) return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

// The private folder, removed when the process ends.
struct Folder {
  Folder() : path(ScratchBase() / ("fuzz-data-" + std::to_string(getpid()))) {
    std::filesystem::create_directories(path);
    if (!diagnostics::SetLogFile((path / "debug.log").c_str())) Fail("cannot move the log");
  }
  ~Folder() {
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
  }

  std::filesystem::path path;
};

}  // namespace

std::string PrivatePath(const char* name) {
  static const Folder folder;
  return (folder.path / name).string();
}

void WriteInput(const std::string& path, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) Fail("cannot write the input file");
  if (size > 0 && std::fwrite(data, 1, size, file) != size) Fail("cannot write the input file");
  std::fclose(file);
}

void Fail(const char* what) {
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}

}  // namespace fuzz_data
