// Arbitrary bytes as an animation table: no crash, no sanitizer report, and every stored name and
// path within the limits and the grammar the launcher relies on.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "compat/host_sinks.h"
#include "data/ani_table.h"
#include "fuzz/data/fuzz_workdir.h"

namespace {

bool HoldsBlank(const std::string& text) {
  for (char c : text) {
    if (c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r') return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string input = fuzz_data::PrivatePath("play.ani");
  fuzz_data::WriteInput(input, data, size);
  AniTable table;
  const int result = table.Load(input.c_str());
  if (result != 0 && std::strcmp(table.Path(), input.c_str()) != 0)
    fuzz_data::Fail("path not kept");
  for (const auto& [name, frames] : table.Sections()) {
    if (name.size() >= AniTable::kNameSize || name.find(']') != std::string::npos ||
        HoldsBlank(name)) {
      fuzz_data::Fail("bad section name stored");
    }
    if (frames.size() >= static_cast<size_t>(AniTable::kFrameCountModulus))
      fuzz_data::Fail("too many frames");
    for (const std::string& frame : frames) {
      if (frame.size() >= AniTable::kPathSize || HoldsBlank(frame))
        fuzz_data::Fail("bad frame path");
    }
    if (table.Find(name.c_str()) != &frames) fuzz_data::Fail("Find misses a stored section");
  }
  // The success trace would otherwise pile up in the host's recorded debugger output.
  compat::DebugOutput().clear();
  return 0;
}
