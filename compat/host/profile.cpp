// The system's profile (INI) reading on the host: file names, sections and keys match without
// regard to letter case; names and values lose their surrounding blanks, and a value its matching
// quotes; only the first section of a name is searched, and the first key of a name in it.
#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "compat/ascii_case.h"
#include "compat/path_case.h"
#include "compat/platform.h"

namespace {

// The blanks the system trims, with the end-of-file mark some editors leave.
bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' || c == 0x1A;
}

std::string Trimmed(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

struct ProfileKey {
  std::string name;
  std::optional<std::string> value;  // none for a line without "="
};

struct ProfileSection {
  std::string name;
  std::vector<ProfileKey> keys;
};

// Lines end at a carriage return, a line feed or both. Lines before the first title belong to a
// section without a name; a "[" line without "]" is no title and is read as a key line.
std::vector<ProfileSection> Parse(const std::string& text) {
  std::vector<ProfileSection> sections(1);
  size_t next = 0;
  // A UTF-8 byte-order mark is not part of the first line.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) next = 3;
  while (next < text.size()) {
    size_t end = next;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    const std::string line = Trimmed(text.substr(next, end - next));
    next = end;
    while (next < text.size() && (text[next] == '\n' || text[next] == '\r')) ++next;
    if (line.empty()) continue;

    if (line[0] == '[') {
      const size_t close = line.find(']', 1);
      if (close != std::string::npos) {
        sections.push_back({line.substr(1, close - 1), {}});
        continue;
      }
    }
    ProfileKey key;
    const size_t equals = line.find('=');
    if (equals == std::string::npos) {
      key.name = line;
    } else {
      key.name = Trimmed(line.substr(0, equals));
      key.value = Trimmed(line.substr(equals + 1));
    }
    sections.back().keys.push_back(std::move(key));
  }
  return sections;
}

std::optional<std::string> ReadFile(const char* file) {
  std::ifstream in(compat::FindPathIgnoringCase(file), std::ios::binary);
  if (!in) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The value of `key` in the first section named `section`, or none.
std::optional<std::string> Lookup(const char* section, const char* key, const char* file) {
  const std::optional<std::string> text = ReadFile(file);
  if (!text) return std::nullopt;
  const std::string wantedSection = Trimmed(section);
  const std::string wantedKey = Trimmed(key);
  for (const ProfileSection& candidate : Parse(*text)) {
    if (!compat::EqualIgnoringCase(candidate.name, wantedSection)) continue;
    for (const ProfileKey& entry : candidate.keys) {
      if (compat::EqualIgnoringCase(entry.name, wantedKey)) return entry.value;
    }
    return std::nullopt;
  }
  return std::nullopt;
}

// Copies `value` into the buffer, cut to size - 1 bytes, without a pair of matching quotes around
// it. A cut value still loses its last byte when it began with a quote, as the system's does.
DWORD CopyValue(const std::string& value, char* buffer, DWORD size) {
  std::string text = value;
  bool quoted = false;
  if (text.size() > 1 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0]) {
    text.erase(0, 1);
    quoted = true;
  }
  const size_t copied = std::min<size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), copied);
  buffer[copied] = '\0';
  size_t length = std::strlen(buffer);
  if (quoted && size >= text.size() && length > 0) buffer[--length] = '\0';
  return static_cast<DWORD>(length);
}

}  // namespace

// Listing sections or keys (a null section or key) is not needed here; it gives an empty text.
DWORD GetPrivateProfileStringA(const char* section, const char* key, const char* def, char* buffer,
                               DWORD size, const char* file) {
  if (buffer == nullptr || size == 0) return 0;
  buffer[0] = '\0';
  if (section == nullptr || key == nullptr || file == nullptr) return 0;
  std::string fallback = def != nullptr ? def : "";
  while (fallback.size() > 1 && fallback.back() == ' ') fallback.pop_back();
  const std::optional<std::string> value = Lookup(section, key, file);
  return CopyValue(value ? *value : fallback, buffer, size);
}

UINT GetPrivateProfileIntA(const char* section, const char* key, int def, const char* file) {
  char text[30];
  if (GetPrivateProfileStringA(section, key, "", text, sizeof text, file) == 0) {
    return static_cast<UINT>(def);
  }
  // Blanks, a sign, then digits; "0x", "0o" and "0b" choose another base. Reading stops at the
  // first byte that is no digit of the base, and the sum wraps like the system's 32-bit one.
  const char* p = text;
  while (*p != '\0' && static_cast<unsigned char>(*p) <= ' ') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  unsigned base = 10;
  if (p[0] == '0' && (p[1] == 'x' || p[1] == 'o' || p[1] == 'b')) {
    base = p[1] == 'x' ? 16 : p[1] == 'o' ? 8 : 2;
    p += 2;
  }
  UINT total = 0;
  for (; *p != '\0'; ++p) {
    unsigned digit;
    if (*p >= '0' && *p <= '9')
      digit = static_cast<unsigned>(*p - '0');
    else if (*p >= 'a' && *p <= 'z')
      digit = static_cast<unsigned>(*p - 'a' + 10);
    else if (*p >= 'A' && *p <= 'Z')
      digit = static_cast<unsigned>(*p - 'A' + 10);
    else
      break;
    if (digit >= base) break;
    total = total * base + digit;
  }
  return negative ? 0u - total : total;
}
