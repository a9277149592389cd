// Arbitrary bytes as link definitions, read scrambled (the bytes are the descrambled text) and
// plain: no crash, no sanitizer report, keys and values within their buffers, and both modes
// giving the same sections for every text without NUL bytes (fgets stops at none of them).
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "data/definition_table.h"
#include "data/link_table.h"
#include "fuzz/data/fuzz_workdir.h"

namespace {

void CheckLimits(const DefinitionTable& table) {
  for (const auto& section : table.Sections()) {
    if (!section) fuzz_data::Fail("null section");
    if (section->Name().size() >= DefinitionTable::kNameSize) fuzz_data::Fail("long section name");
    for (const auto& [key, value] : section->Values()) {
      if (key.size() >= DefinitionTable::kNameSize || key.find('=') != std::string::npos) {
        fuzz_data::Fail("bad key stored");
      }
      if (value.size() >= DefinitionTable::kValueSize || value.find('\n') != std::string::npos) {
        fuzz_data::Fail("bad value stored");
      }
    }
  }
  LinkTable links;
  FillLinkTable(table, links);
  for (const auto& slot : links.slots) {
    if (std::memchr(slot, '\0', sizeof slot) == nullptr) fuzz_data::Fail("unterminated link slot");
  }
}

bool SameSections(const DefinitionTable& a, const DefinitionTable& b) {
  if (a.Sections().size() != b.Sections().size()) return false;
  for (size_t i = 0; i < a.Sections().size(); ++i) {
    if (a.Sections()[i]->Name() != b.Sections()[i]->Name()) return false;
    if (a.Sections()[i]->Values() != b.Sections()[i]->Values()) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string scrambledInput = fuzz_data::PrivatePath("play.dat");
  static const std::string plainInput = fuzz_data::PrivatePath("play.txt");
  std::vector<std::uint8_t> scrambled(data, data + size);
  const ScrambledBuffer keys;
  keys.Scramble(scrambled.data(), static_cast<int>(scrambled.size()));
  fuzz_data::WriteInput(scrambledInput, scrambled.data(), scrambled.size());
  fuzz_data::WriteInput(plainInput, data, size);

  DefinitionTable fromScrambled;
  const int scrambledResult =
      fromScrambled.Load(scrambledInput.c_str(), ScrambledFile::ModeScrambled);
  CheckLimits(fromScrambled);
  DefinitionTable fromPlain;
  const int plainResult = fromPlain.Load(plainInput.c_str(), ScrambledFile::ModePlain);
  CheckLimits(fromPlain);

  if (size > 0 && std::memchr(data, '\0', size) == nullptr) {
    if (scrambledResult != plainResult || !SameSections(fromScrambled, fromPlain)) {
      fuzz_data::Fail("scrambled and plain reading disagree");
    }
  }
  return 0;
}
