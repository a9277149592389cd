// gamecheck [--json] GAMEDIR: every complaint the launcher would make about a game folder.
//
// Exits 0 when the launcher would start there without a single error box, 1 when it would show
// one, and 2 when the folder cannot be read (or the command line is wrong).
#include <cstdio>
#include <cstring>
#include <string>

#include "tools/gamecheck/game_check.h"
#include "tools/gamecheck/report_writers.h"

namespace {

constexpr int kNoBox = 0;
constexpr int kBoxes = 1;
constexpr int kCannotRead = 2;

int Usage() {
  std::fputs("usage: gamecheck [--json] GAMEDIR\n", stderr);
  return kCannotRead;
}

}  // namespace

int main(int argc, char** argv) {
  bool json = false;
  const char* folder = nullptr;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--json") == 0) {
      json = true;
    } else if (folder == nullptr && argv[i][0] != '\0') {
      folder = argv[i];
    } else {
      return Usage();
    }
  }
  if (folder == nullptr) return Usage();

  GameReport report;
  std::string error;
  if (!CheckGameFolder(folder, report, error)) {
    std::fprintf(stderr, "gamecheck: cannot read %s: %s\n", folder, error.c_str());
    return kCannotRead;
  }
  if (json) {
    WriteJsonReport(report, stdout);
  } else {
    WriteTextReport(report, stdout);
  }
  return report.ErrorCount() > 0 ? kBoxes : kNoBox;
}
