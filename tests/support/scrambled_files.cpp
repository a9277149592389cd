#include "tests/support/scrambled_files.h"

#include "data/scrambled_buffer.h"
#include "tests/support/test_support.h"

namespace testing_support {

std::string Scrambled(std::string text) {
  const ScrambledBuffer keys;
  keys.Scramble(reinterpret_cast<unsigned char*>(&text[0]), static_cast<int>(text.size()));
  return text;
}

std::string Descrambled(std::string bytes) {
  const ScrambledBuffer keys;
  keys.Descramble(reinterpret_cast<unsigned char*>(&bytes[0]), static_cast<int>(bytes.size()));
  return bytes;
}

void EditScrambledFile(const std::filesystem::path& path,
                       const std::function<void(std::string&)>& change) {
  std::string text = Descrambled(ReadFile(path));
  change(text);
  WriteFile(path, Scrambled(text));
}

}  // namespace testing_support
