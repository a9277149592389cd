#include "fuzz_workdir.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace fuzz_data {
namespace {

// The folder the fuzzer started in, and a scratch folder removed when the process ends.
// Memory-backed when the system offers it: every input is written to a file and read back.
std::filesystem::path ScratchBase() {
  std::error_code error;
  if (std::filesystem::is_directory("/dev/shm", error)) return "/dev/shm";
  return std::filesystem::temp_directory_path();
}

struct Folders {
  Folders()
      : started(std::filesystem::current_path().string()),
        scratch((ScratchBase() / ("fuzz-data-" + std::to_string(getpid()))).string()) {
    std::filesystem::create_directories(scratch);
  }
  ~Folders() {
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
  }

  std::string started;
  std::string scratch;
};

const Folders& TheFolders() {
  static const Folders folders;
  return folders;
}

}  // namespace

InPrivateFolder::InPrivateFolder() {
  if (chdir(TheFolders().scratch.c_str()) != 0) Fail("cannot enter the private folder");
}

InPrivateFolder::~InPrivateFolder() {
  if (chdir(TheFolders().started.c_str()) != 0) Fail("cannot leave the private folder");
}

void WriteInput(const char* name, const std::uint8_t* data, std::size_t size) {
  std::FILE* file = std::fopen(name, "wb");
  if (file == nullptr) Fail("cannot write the input file");
  if (size > 0 && std::fwrite(data, 1, size, file) != size) Fail("cannot write the input file");
  std::fclose(file);
}

void Fail(const char* what) {
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}

}  // namespace fuzz_data
