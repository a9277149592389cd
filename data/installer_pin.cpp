#include "data/installer_pin.h"

#include <cstring>

namespace {

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

bool ParseSha256Hex(const char* text, unsigned char (&digest)[kSha256Size]) {
  if (text == nullptr || std::strlen(text) != 2 * kSha256Size) return false;
  unsigned char parsed[kSha256Size];
  for (int i = 0; i < kSha256Size; ++i) {
    const int high = HexValue(text[2 * i]);
    const int low = HexValue(text[2 * i + 1]);
    if (high < 0 || low < 0) return false;
    parsed[i] = static_cast<unsigned char>(high * 16 + low);
  }
  std::memcpy(digest, parsed, sizeof parsed);
  return true;
}

InstallerPin ReadInstallerPin(const DefinitionTable& table) {
  InstallerPin pin;
  if (table.Sections().empty()) return pin;
  const char* value = table.Sections().front()->GetValue(kInstallerPinKey, nullptr);
  if (value == nullptr) return pin;
  // An empty or mistyped value is not taken as "no pin": the operator asked for one.
  pin.state = ParseSha256Hex(value, pin.digest) ? InstallerPin::kValid : InstallerPin::kMalformed;
  return pin;
}
