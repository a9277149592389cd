// The programs the launcher relies on: the Flash control it installs at start-up, the check tool
// and the patcher its buttons start. The launcher looks for them in its own folder (the Flash
// control in the current directory); gamecheck takes both to be the game folder, where Play.exe
// lies and from where it is started.
#include <string>

#include "app/launch_paths.h"
#include "app/settings_read.h"
#include "app/startup_files.h"
#include "tools/gamecheck/check_context.h"
#include "tools/gamecheck/check_text.h"

void CheckFlashControl(GameCheck& check) {
  long long size = 0;
  if (!ExistingFile(kFlashControlFile, &size)) {
    check.report.Add(
        kFlashControlFile,
        "missing, so where no Flash Player 9 or newer is registered the Flash check has "
        "nothing to install and the movie stays empty");
    check.report.Summary(kFlashControlFile, "missing");
    return;
  }
  if (size == 0) {
    check.report.Add(kFlashControlFile,
                     "is empty, so the Flash check cannot register it and the movie stays empty "
                     "where no Flash Player 9 or newer is registered");
  }
  check.report.Summary(kFlashControlFile, "present, " + std::to_string(size) + " bytes");
}

void CheckCheckTool(GameCheck& check) {
  char name[kPathBufferSize];
  ReadCheckToolName(name);
  if (name[0] == '\0') {
    check.report.Add(
        kCheckToolFile,
        ExistingFile(kCheckToolFile)
            ? "names no check tool (FlashName in [Read]), so the CheckHorse button "
              "does nothing"
            : "missing, so no check tool is named and the CheckHorse button does nothing");
    check.report.Summary(kCheckToolFile, "no check tool named");
    return;
  }
  // The launcher appends the name to its folder and its trailing backslash.
  std::string relative = name;
  while (!relative.empty() && (relative[0] == '\\' || relative[0] == '/')) relative.erase(0, 1);
  const bool present = ExistingFile(relative).has_value();
  if (!present) {
    check.report.Add(kCheckToolFile,
                     Printed("names the check tool %s, which is not in the launcher's folder, so "
                             "the CheckHorse button starts nothing",
                             OnOneLine(name).c_str()));
  }
  check.report.Summary(kCheckToolFile, Printed("check tool %s, %s", OnOneLine(name).c_str(),
                                               present ? "present" : "missing"));
}

void CheckPatcher(GameCheck& check) {
  const std::string patcher = kPatcherName + 1;  // without the separator the launcher joins with
  const bool present = ExistingFile(patcher).has_value();
  if (!present) {
    check.report.Add(patcher,
                     "missing from the launcher's folder, so both start buttons close the launcher "
                     "and start nothing");
  }
  check.report.Summary(patcher, present ? "present" : "missing");
}
