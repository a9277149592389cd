// gamecheck [--json] [--picture OUT.png] GAMEDIR: every complaint the launcher would make about a
// game folder, and, when asked, a picture of where everything lies on its skin.
//
// Exits 0 when the launcher would start there without a single error box, 1 when it would show
// one, and 2 when the folder cannot be read, the picture cannot be written or the command line is
// wrong.
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/gamecheck/game_check.h"
#include "tools/gamecheck/game_picture.h"
#include "tools/gamecheck/picture_file.h"
#include "tools/gamecheck/report_writers.h"

namespace {

constexpr int kNoBox = 0;
constexpr int kBoxes = 1;
constexpr int kCannotRead = 2;

int Usage() {
  std::fputs("usage: gamecheck [--json] [--picture OUT.png] GAMEDIR\n", stderr);
  return kCannotRead;
}

}  // namespace

int main(int argc, char** argv) {
  bool json = false;
  const char* picture = nullptr;
  const char* folder = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--json") == 0) {
      json = true;
    } else if (std::strcmp(argv[i], "--picture") == 0 && picture == nullptr && i + 1 < argc &&
               argv[i + 1][0] != '\0') {
      picture = argv[++i];
    } else if (folder == nullptr && argv[i][0] != '\0') {
      folder = argv[i];
    } else {
      return Usage();
    }
  }
  if (folder == nullptr) return Usage();

  GameReport report;
  std::string error;
  GameLayout layout;
  if (!CheckGameFolder(folder, report, error, picture != nullptr ? &layout : nullptr)) {
    std::fprintf(stderr, "gamecheck: cannot read %s: %s\n", folder, error.c_str());
    return kCannotRead;
  }
  if (json) {
    WriteJsonReport(report, stdout);
  } else {
    WriteTextReport(report, stdout);
  }
  // The report is out before the picture is tried: a picture that cannot be written costs the
  // operator nothing of it.
  if (picture != nullptr) {
    std::fflush(stdout);
    if (!WritePicturePng(DrawGamePicture(layout, report), picture, error)) {
      std::fprintf(stderr, "gamecheck: no picture written: %s\n", error.c_str());
      return kCannotRead;
    }
  }
  return report.ErrorCount() > 0 ? kBoxes : kNoBox;
}
