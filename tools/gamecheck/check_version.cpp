// Version.dat and the version label's look in ini/GameSetup.ini.
#include <cstdlib>
#include <cstring>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/settings_read.h"
#include "app/startup_files.h"
#include "app/version_file.h"
#include "tools/gamecheck/check_context.h"
#include "tools/gamecheck/check_text.h"
#include "tools/support/scratch_folder.h"

namespace {

constexpr const char* kVersionSection = "VersionPos";

bool HoldsControlBytes(const std::string& text) {
  for (unsigned char c : text) {
    if (c < 0x20 || c == 0x7F) return true;
  }
  return false;
}

// About how much room the label's text takes: the font's average width for each single byte and
// twice that for each double-byte character, as in the usual Chinese fonts. A height or width of
// 0 lets the system choose; this takes a common one.
PlaceRect LabelExtent(const VersionStyle& style, const std::string& text) {
  const int height = style.fontHeight != 0 ? std::abs(style.fontHeight) : 16;
  const int byteWidth = style.fontWidth > 0 ? style.fontWidth : (height + 1) / 2;
  const int width = static_cast<int>(text.size()) * byteWidth;
  return {style.x, style.y, style.x + width, style.y + height};
}

}  // namespace

void CheckVersionFile(GameCheck& check) {
  long long size = 0;
  const std::optional<std::string> source = ExistingFile(kVersionFile, &size);
  char text[kVersionTextBytes + 1] = {};
  bool read = false;
  if (source) {
    // Read under its own name, as the launcher reads it, whatever the letter case on disk.
    ScratchFolder folder;
    if (!folder.Ready()) throw std::runtime_error("cannot create a temporary folder");
    folder.Place(*source, kVersionFile);
    read = ReadVersionText(text);
  }
  if (!read) {
    check.report.Add(kVersionFile, "missing, so the label shows no version",
                     BoxText(kVersionOpenFailedBox, kVersionFile));
    check.report.Summary(kVersionFile, "missing");
    return;
  }
  check.versionText = text;
  const std::string shown = OnOneLine(text);
  if (check.versionText.size() == kVersionTextBytes) {
    check.report.Add(kVersionFile,
                     Printed("has no zero byte in its first %d bytes, so the label shows all %d "
                             "(\"%s\")%s",
                             static_cast<int>(kVersionTextBytes),
                             static_cast<int>(kVersionTextBytes), shown.c_str(),
                             size > static_cast<long long>(kVersionTextBytes)
                                 ? " and nothing of the rest of the file"
                                 : ""));
  } else if (check.versionText.empty()) {
    check.report.Add(kVersionFile, size == 0
                                       ? "is empty, so the label shows no version"
                                       : "begins with a zero byte, so the label shows no version");
  }
  if (HoldsControlBytes(check.versionText)) {
    check.report.Add(kVersionFile, Printed("the version \"%s\" holds a line end or another control "
                                           "byte, which the label shows as part of it",
                                           shown.c_str()));
  }
  check.report.Summary(kVersionFile,
                       Printed("\"%s\", %s bytes", shown.c_str(), std::to_string(size).c_str()));
}

void CheckVersionLabel(GameCheck& check) {
  const VersionStyle style = ReadVersionStyle();
  const bool present = ExistingFile(kGameSettingsFile).has_value();

  char face[1024] = {};
  ::GetPrivateProfileStringA(kVersionSection, "Font", "", face, sizeof face, kGameSettingsFile);
  if (std::strlen(face) >= sizeof style.face) {
    check.report.Add(
        kGameSettingsFile,
        Printed("the Font of [%s] is %s bytes long and the launcher reads only its "
                "first %d, \"%s\", which names no font",
                kVersionSection, std::to_string(std::strlen(face)).c_str(),
                static_cast<int>(sizeof style.face - 1), OnOneLine(style.face).c_str()));
  }
  for (const char* key : {"FontColorR", "FontColorG", "FontColorB"}) {
    const UINT value = ::GetPrivateProfileIntA(kVersionSection, key, 0, kGameSettingsFile);
    if (value > 255) {
      check.report.Add(kGameSettingsFile,
                       Printed("%s of [%s] is %d; only its low 8 bits count, giving %u", key,
                               kVersionSection, static_cast<int>(value), value & 0xFF));
    }
  }

  check.layout.versionText = kVersionLabelPrefix + check.versionText;
  const PlaceRect label = LabelExtent(style, check.layout.versionText);
  check.layout.versionLabel = label;
  if (check.skin) {
    const std::string where =
        Printed("the version label at (%d, %d), about %s in its font,", style.x, style.y,
                SizeText(label.right - label.left, label.bottom - label.top).c_str());
    if (!check.skin->Contains(label)) {
      check.report.AddPlaced(
          label, kGameSettingsFile,
          Printed("%s reaches outside the %s skin: that part is not shown", where.c_str(),
                  SizeText(check.skin->width, check.skin->height).c_str()));
    } else if (check.skin->ShapePixelsIn(label) < label.Area()) {
      check.report.AddPlaced(
          label, kGameSettingsFile,
          Printed("%s lies partly in the skin's cut-outs, where it is not shown", where.c_str()));
    }
  }
  check.report.Summary(
      kGameSettingsFile,
      Printed("%sversion label at (%d, %d), font \"%s\" %d x %d, colour (%u, %u, %u)",
              present ? "" : "missing: ", style.x, style.y, OnOneLine(style.face).c_str(),
              style.fontHeight, style.fontWidth, static_cast<unsigned>(GetRValue(style.color)),
              static_cast<unsigned>(GetGValue(style.color)),
              static_cast<unsigned>(GetBValue(style.color))));
}
