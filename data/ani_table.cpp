#include "data/ani_table.h"

#include <cstdio>
#include <cstring>

#include "data/scan_stream.h"
#include "data/scan_text.h"
#include "diag/diagnostics.h"

namespace {

// Title lines are logged without their line end. The host runtime keeps the carriage return of a
// CR LF line that the Windows runtime's text mode drops, so both are removed to log the same text.
void StripLineEnd(char* line) {
  size_t length = std::strlen(line);
  if (length > 0 && line[length - 1] == '\n') line[--length] = '\0';
  if (length > 0 && line[length - 1] == '\r') line[--length] = '\0';
}

}  // namespace

AniTable::AniTable() = default;

AniTable::~AniTable() = default;

int AniTable::Load(const char* path) {
  if (path == nullptr) return 0;
  // A path the 260-byte field cannot hold is refused before opening (Windows could not open it).
  if (std::strlen(path) >= sizeof this->path) return 0;
  ScanStream stream(path);
  if (!stream.IsOpen()) return 0;

  char line[kLineSize];
  // A line longer than the buffer is read in pieces; each piece after the first is a line of its
  // own, which is ignored unless it starts with "[".
  while (stream.ReadLine(line, sizeof line)) {
    if (line[0] != '[') continue;
    StripLineEnd(line);

    char name[kNameSize];
    const TitleScan title = ScanTitle(line, name, sizeof name);
    if (title == TitleScan::None) continue;
    // A name of more than 259 bytes fails as a bad title: it would not fit the name field.
    if (title == TitleScan::NoBracket) {
      stream.Close();
      LogMessage("Error Title line %s in %s", line, path);
      return 0;
    }

    int count = 0;
    if (!stream.MatchLiteral("FrameAmount=") || !stream.ReadInt(&count)) {
      stream.Close();
      LogMessage("FrameAmount error in [%s] of %s", name, path);
      return 0;
    }
    stream.SkipSpace();
    // Remainder of signed division: 64 gives no frames, and neither does a negative count.
    count %= kFrameCountModulus;

    FrameList frames;
    for (int i = 0; i < count; ++i) {
      char pattern[kNameSize];
      std::snprintf(pattern, sizeof pattern, "Frame%d=%s\n", i, "%s");
      char literal[32];
      std::snprintf(literal, sizeof literal, "Frame%d=", i);
      // A frame path longer than 259 bytes fails here: cut, it would name another file.
      char frame[kPathSize];
      if (!stream.MatchLiteral(literal) || !stream.ReadToken(frame, sizeof frame)) {
        stream.Close();
        LogMessage("%s error in [%s] of %s", pattern, name, path);
        return 0;
      }
      stream.SkipSpace();
      frames.emplace_back(frame);
    }
    sections[name] = std::move(frames);
  }

  stream.Close();
  DebugTrace("total %d ani info found in %s", static_cast<int>(sections.size()), path);
  std::snprintf(this->path, sizeof this->path, "%s", path);
  return 1;
}

const FrameList* AniTable::Find(const char* name) const {
  if (name == nullptr) return nullptr;
  const auto found = sections.find(std::string(name));
  return found == sections.end() ? nullptr : &found->second;
}
