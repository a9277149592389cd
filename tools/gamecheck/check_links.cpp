// ini/play.dat: descrambled and parsed by the launcher's own reader in a scratch folder, then the
// ten link slots filled from its first section as the launcher fills them.
#include <cctype>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/startup_files.h"
#include "tools/gamecheck/check_context.h"
#include "tools/gamecheck/check_text.h"
#include "compat/ascii_case.h"
#include "data/definition_table.h"
#include "data/installer_pin.h"
#include "net/parsed_url.h"
#include "tools/support/scratch_folder.h"

namespace {

// What an empty slot leads to; null for the slots the launcher fills but never uses.
const char* EmptySlotConsequence(int slot) {
  switch (slot) {
    case kSlotPage:
      return "the inside window shows no page";
    case kSlotRegist:
      return "the Register button opens nothing";
    case kSlotMainLink:
      return "the OfficialNet button opens nothing";
    case kSlotExitLink:
      return "nothing opens as the player leaves through Exit";
    case kSlotShopLink:
      return "the shop button opens nothing";
    case kSlotFlashHttp:
      return "the Flash player cannot be downloaded";
    case kSlotFlashHttpHand:
      return "no page opens for installing Flash by hand";
    default:
      return nullptr;
  }
}

enum class LinkKind { Web, File, AbsoluteFile };

// A link with a scheme ("http://", "mailto:") goes to its program; any other names a file, found
// from the current directory unless it starts at a drive or a root.
LinkKind KindOf(const std::string& link) {
  if (link.empty()) return LinkKind::File;
  if (link.find("://") != std::string::npos) return LinkKind::Web;
  const size_t colon = link.find(':');
  if (colon != std::string::npos && colon >= 2) {
    bool scheme = std::isalpha(static_cast<unsigned char>(link[0])) != 0;
    for (size_t i = 1; i < colon; ++i) {
      const unsigned char c = static_cast<unsigned char>(link[i]);
      scheme = scheme && (std::isalnum(c) || c == '+' || c == '-' || c == '.');
    }
    if (scheme) return LinkKind::Web;
  }
  if (colon == 1 || link[0] == '\\' || link[0] == '/') return LinkKind::AbsoluteFile;
  return LinkKind::File;
}

// A key of the section that a person would take for `key`: the same but for blanks or case.
std::string NearMiss(const DefinitionSection& section, const char* key) {
  for (const auto& entry : section.Values()) {
    std::string trimmed = entry.first;
    while (!trimmed.empty() && (trimmed.back() == ' ' || trimmed.back() == '\t'))
      trimmed.pop_back();
    while (!trimmed.empty() && (trimmed[0] == ' ' || trimmed[0] == '\t')) trimmed.erase(0, 1);
    if (entry.first != key && compat::EqualIgnoringCase(trimmed, key)) {
      return Printed(" (the section has \"%s\", but blanks and letter case count)",
                     OnOneLine(entry.first).c_str());
    }
  }
  return "";
}

struct LoadedLinks {
  bool found = false;
  long long size = 0;
  int loaded = 0;
  std::string logged;
  bool readsAsPlainText = false;
  std::string lastLine;  // when the file ends inside a line
};

// The last piece the reader hands out, when it does not end with a line feed.
std::string UnfinishedLastLine() {
  ScrambledFile reader;
  if (!reader.Open(kLinksPath, ScrambledFile::ModeScrambled)) return "";
  char line[DefinitionTable::kLineSize];
  std::string last;
  while (reader.ReadLine(line, sizeof line) > 0) {
    last.assign(line, strnlen(line, sizeof line));
  }
  return !last.empty() && last.back() != '\n' ? last : "";
}

LoadedLinks LoadLinks(DefinitionTable& table) {
  LoadedLinks result;
  const std::optional<std::string> source = ExistingFile(kLinksPath, &result.size);
  result.found = source.has_value();
  ScratchFolder folder;
  if (!folder.Ready()) throw std::runtime_error("cannot create a temporary folder");
  if (source) folder.Place(*source, kLinksPath);
  result.loaded = table.Load(kLinksPath, ScrambledFile::ModeScrambled);
  result.logged = folder.LoggedText();
  if (result.loaded) result.lastLine = UnfinishedLastLine();
  if (!result.loaded || table.Sections().empty()) {
    DefinitionTable plain;
    result.readsAsPlainText =
        plain.Load(kLinksPath, ScrambledFile::ModePlain) && !plain.Sections().empty();
  }
  return result;
}

}  // namespace

void CheckLinks(GameCheck& check) {
  DefinitionTable table;
  const LoadedLinks file = LoadLinks(table);
  const std::string plainHint = file.readsAsPlainText
                                    ? " (it reads as plain text: it must be stored scrambled, for "
                                      "example by playdat scramble)"
                                    : "";
  if (!file.loaded) {
    const std::string what = !file.found            ? "missing"
                             : file.size == 0       ? "empty, and an empty file cannot be opened"
                             : !file.logged.empty() ? "has a bad title line, which fails the load"
                                                    : "cannot be read";
    check.report.Add(kLinksPath, what + ", so every link stays empty" + plainHint,
                     BoxText(kLinksOpenFailedBox, kLinksPath), file.logged);
    check.report.Summary(kLinksPath, file.found ? "not loaded" : "missing");
    return;
  }
  if (!FillLinkTable(table, check.links)) {
    check.report.Add(kLinksPath, "holds no section, so every link stays empty" + plainHint);
    check.report.Summary(kLinksPath, "no section");
    return;
  }
  const DefinitionSection& first = *table.Sections().front();
  const std::string sectionName = OnOneLine(first.Name());
  if (!file.lastLine.empty()) {
    std::string tail = file.lastLine;
    if (tail.size() > 60) tail = "..." + tail.substr(tail.size() - 60);
    check.report.Add(kLinksPath, Printed("ends inside a line (\"%s\"): if the file was cut short, "
                                         "what that line holds is cut too",
                                         OnOneLine(tail).c_str()));
  }

  FileSummary& summary = check.report.Summary(
      kLinksPath, Printed("%s section%s; the launcher reads the first, [%s]",
                          std::to_string(table.Sections().size()).c_str(),
                          table.Sections().size() == 1 ? "" : "s", sectionName.c_str()));
  for (int slot = 0; slot < kLinkSlotCount; ++slot) {
    const char* key = kLinkKeys[slot];
    const char* value = first.GetValue(key, nullptr);
    const std::string link = check.links.slots[slot];
    const char* consequence = EmptySlotConsequence(slot);
    if (value == nullptr) {
      summary.details.push_back(Printed("%s is absent", key));
    } else {
      std::string detail = std::string(key) + "=" + OnOneLine(link);
      if (std::strlen(value) >= kLinkSlotSize) detail += "  (cut to 255 bytes)";
      if (consequence == nullptr) detail += "  (not used by the launcher)";
      summary.details.push_back(detail);
    }
    if (consequence == nullptr) continue;

    if (value == nullptr || value[0] == '\0') {
      check.report.Add(kLinksPath,
                       Printed("%s %s link in the first section [%s], so %s%s",
                               value == nullptr ? "no" : "an empty", key, sectionName.c_str(),
                               consequence, NearMiss(first, key).c_str()));
      continue;
    }
    if (std::strlen(value) >= kLinkSlotSize) {
      check.report.Add(kLinksPath, Printed("the %s link is %s bytes long and the launcher keeps "
                                           "only its first 255",
                                           key, std::to_string(std::strlen(value)).c_str()));
    }
    if (slot == kSlotFlashHttp) {
      const std::optional<ParsedUrl> url = SplitUrl(link);
      if (!url) {
        check.report.Add(kLinksPath, Printed("FlashHttp \"%s\" cannot be split into host, port and "
                                             "path, so %s",
                                             OnOneLine(link).c_str(), consequence));
      } else if (url->port < 1) {
        check.report.Add(kLinksPath,
                         Printed("FlashHttp \"%s\" names port %d, to which no connection "
                                 "is made, so %s",
                                 OnOneLine(link).c_str(), url->port, consequence));
      } else {
        summary.details.back() +=
            Printed("  (host %s, port %d, path %s)", OnOneLine(url->host).c_str(), url->port,
                    OnOneLine(url->path).c_str());
      }
      continue;
    }
    switch (KindOf(link)) {
      case LinkKind::Web:
        break;
      case LinkKind::AbsoluteFile:
        summary.details.back() += "  (a file outside the game folder, not checked)";
        break;
      case LinkKind::File:
        if (ExistingFile(link)) {
          summary.details.back() += "  (file present)";
        } else {
          summary.details.back() += "  (file missing)";
          check.report.Add(kLinksPath, Printed("the %s link %s names a file missing from the game "
                                               "folder, so %s",
                                               key, OnOneLine(link).c_str(), consequence));
        }
        break;
    }
  }

  if (const char* pin = first.GetValue(kInstallerPinKey, nullptr)) {
    unsigned char digest[kSha256Size];
    if (ParseSha256Hex(pin, digest)) {
      summary.details.push_back(Printed("%s=%s", kInstallerPinKey, pin));
    } else {
      summary.details.push_back(
          Printed("%s=%s  (malformed)", kInstallerPinKey, OnOneLine(pin).c_str()));
      check.report.Add(kLinksPath,
                       Printed("%s \"%s\" is not 64 hex digits, so the launcher refuses "
                               "every download of the Flash player",
                               kInstallerPinKey, OnOneLine(pin).c_str()));
    }
  }
}
