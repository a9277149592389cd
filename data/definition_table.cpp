#include "data/definition_table.h"

#include <cstring>

#include "data/clean_line.h"
#include "data/scan_text.h"
#include "diag/diagnostics.h"

namespace {

// Copies at most size - 1 bytes of [begin, begin + length) and terminates the copy.
void CopyBounded(char* destination, int size, const char* begin, size_t length) {
  const size_t room = static_cast<size_t>(size - 1);
  const size_t count = length < room ? length : room;
  std::memcpy(destination, begin, count);
  destination[count] = '\0';
}

}  // namespace

const char* DefinitionSection::GetValue(const char* key, const char* def) const {
  if (key == nullptr) return def;
  const auto found = values.find(std::string(key));
  return found == values.end() ? def : found->second.c_str();
}

DefinitionTable::DefinitionTable() = default;

DefinitionTable::~DefinitionTable() { DefinitionTable::Close(); }

void DefinitionTable::Close() {
  ScrambledFile::Close();
  sections.clear();
}

int DefinitionTable::Load(const char* path, int mode) {
  if (Open(path, mode) == 0) return 0;

  DefinitionSection* current = nullptr;
  char line[kLineSize];
  char name[kNameSize];
  char value[kValueSize];
  bool insideLongLine = false;

  for (;;) {
    int length = ReadLine(line, kLineSize);
    if (length <= 0) return 1;
    const bool endsLine = line[length - 1] == '\n';
    // A scrambled-mode piece that fills the whole buffer has no terminator: drop its last byte.
    if (length >= kLineSize) {
      length = kLineSize - 1;
      line[length] = '\0';
    }
    // The rest of a line too long for the buffer is dropped, so an over-long value is cut rather
    // than its tail read as a line of its own.
    if (insideLongLine) {
      insideLongLine = !endsLine;
      continue;
    }
    insideLongLine = !endsLine && length >= kLineSize - 1;

    if (CleanLine(line) == 0) continue;

    const TitleScan title = ScanTitle(line, name, sizeof name);
    // A title field of more than 259 bytes cannot be held, so it fails like a bad title.
    if (title == TitleScan::NoBracket) {
      LogMessage("Error Title  %s in %s", line, path);
      return 0;
    }
    if (title == TitleScan::Named) {
      sections.push_back(std::make_unique<DefinitionSection>(name));
      current = sections.back().get();
      continue;
    }

    if (current == nullptr) continue;
    const char* equals = std::strchr(line, '=');
    if (equals == nullptr) continue;
    // Keys over 259 bytes and values over 1023 bytes are cut to fit their buffers.
    std::memset(name, 0, sizeof name);
    CopyBounded(name, sizeof name, line, static_cast<size_t>(equals - line));
    CopyBounded(value, sizeof value, equals + 1, std::strlen(equals + 1));
    current->SetValue(name, value);
  }
}
