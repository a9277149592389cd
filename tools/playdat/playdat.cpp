// playdat: makes and checks the launcher's data files for the people who build game folders.
//
//   playdat scramble IN OUT        write IN in the scrambled format of ini/play.dat
//   playdat descramble IN OUT      turn a scrambled file back into text
//   playdat links [--plain] FILE   the ten link slots as the launcher fills them from FILE, and
//                                  the installer's pinned digest when the file names one
//   playdat ani FILE               the animation table as the launcher reads it from FILE
//
// Every command exits 0 on success and 1, with a message on standard error, on failure.
#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/startup_files.h"
#include "data/ani_table.h"
#include "data/definition_table.h"
#include "data/installer_pin.h"
#include "data/link_table.h"
#include "tools/playdat/file_scrambling.h"
#include "tools/support/scratch_log.h"

namespace {

int Usage() {
  std::fputs(
      "usage: playdat scramble IN OUT\n"
      "       playdat descramble IN OUT\n"
      "       playdat links [--plain] FILE\n"
      "       playdat ani FILE\n",
      stderr);
  return 1;
}

int Fail(const std::string& message) {
  std::fprintf(stderr, "playdat: %s\n", message.c_str());
  return 1;
}

int Transform(const std::vector<std::string>& args, ScrambleDirection direction) {
  if (args.size() != 2) return Usage();
  std::string error;
  if (!TransformFile(args[0], args[1], direction, &error)) return Fail(error);
  std::FILE* written = std::fopen(args[1].c_str(), "rb");
  const bool empty = written == nullptr || std::fgetc(written) == EOF;
  if (written != nullptr) std::fclose(written);
  if (empty && direction == ScrambleDirection::Scramble) {
    std::fprintf(stderr, "playdat: note: %s is empty, and the launcher cannot open an empty file\n",
                 args[1].c_str());
  }
  return 0;
}

int Links(const std::vector<std::string>& args) {
  bool plain = false;
  std::string file;
  for (const std::string& arg : args) {
    if (arg == "--plain") {
      plain = true;
    } else if (file.empty()) {
      file = arg;
    } else {
      return Usage();
    }
  }
  if (file.empty()) return Usage();

  LinkTable links;
  int loaded = 0;
  bool filled = false;
  std::optional<std::string> pin;  // the pin's value as written, when the first section has one
  std::string logged;
  {
    ScratchLog log;
    if (!log.Ready()) return Fail("cannot create a temporary log file");
    DefinitionTable table;
    loaded =
        table.Load(file.c_str(), plain ? ScrambledFile::ModePlain : ScrambledFile::ModeScrambled);
    if (loaded) filled = FillLinkTable(table, links);
    if (filled) {
      if (const char* value = table.Sections().front()->GetValue(kInstallerPinKey, nullptr)) {
        pin = value;
      }
    }
    logged = log.LoggedText();
  }
  if (!loaded) {
    std::fprintf(stderr, "playdat: %s: the launcher cannot load it as %s\n", file.c_str(),
                 kLinksPath);
    std::fprintf(stderr, "the launcher shows: error on open %s.\n", kLinksPath);
    if (!logged.empty()) std::fprintf(stderr, "the parser logs: %s\n", logged.c_str());
    return 1;
  }
  if (!filled) {
    std::fprintf(stderr,
                 "playdat: note: %s holds no section, so the launcher leaves every link empty\n",
                 file.c_str());
  }
  for (int slot = 0; slot < kLinkSlotCount; ++slot) {
    std::printf("%s=%s\n", kLinkKeys[slot], links.slots[slot]);
  }
  if (pin) {
    std::printf("%s=%s\n", kInstallerPinKey, pin->c_str());
    unsigned char digest[kSha256Size];
    if (!ParseSha256Hex(pin->c_str(), digest)) {
      std::fprintf(stderr,
                   "playdat: note: %s is not 64 hex digits, so the launcher refuses every "
                   "download of the Flash installer\n",
                   kInstallerPinKey);
    }
  }
  return 0;
}

int Ani(const std::vector<std::string>& args) {
  if (args.size() != 1) return Usage();
  AniTable table;
  int loaded = 0;
  std::string logged;
  {
    ScratchLog log;
    if (!log.Ready()) return Fail("cannot create a temporary log file");
    loaded = table.Load(args[0].c_str());
    logged = log.LoggedText();
  }
  // After a failure the sections read before it are still shown: the launcher keeps using them.
  for (const auto& section : table.Sections()) {
    std::printf("[%s]\n", section.first.c_str());
    for (const std::string& frame : section.second) std::printf("%s\n", frame.c_str());
  }
  if (!loaded) {
    std::fprintf(stderr, "playdat: %s: the launcher cannot load it as %s\n", args[0].c_str(),
                 kAniTablePath);
    std::fprintf(stderr,
                 "the launcher shows: Load data file failed! Please make sure the \"%s\" file is "
                 "under the current folder!\n",
                 kAniTablePath);
    if (!logged.empty()) std::fprintf(stderr, "the parser logs: %s\n", logged.c_str());
    return 1;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) return Usage();
  const std::string command = argv[1];
  const std::vector<std::string> args(argv + 2, argv + argc);
  if (command == "scramble") return Transform(args, ScrambleDirection::Scramble);
  if (command == "descramble") return Transform(args, ScrambleDirection::Descramble);
  if (command == "links") return Links(args);
  if (command == "ani") return Ani(args);
  return Usage();
}
