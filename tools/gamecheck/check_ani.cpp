// ani/play.ani, loaded by the launcher's own parser in a scratch folder, so that what it logs is
// caught there and not added to the game folder's debug.log.
#include <optional>
#include <stdexcept>
#include <string>

#include "app/startup_files.h"
#include "tools/gamecheck/check_context.h"
#include "tools/gamecheck/check_text.h"
#include "tools/support/scratch_folder.h"

void CheckAniTable(GameCheck& check) {
  const std::optional<std::string> source = ExistingFile(kAniTablePath);
  int loaded = 0;
  std::string logged;
  {
    ScratchFolder folder;
    if (!folder.Ready()) throw std::runtime_error("cannot create a temporary folder");
    if (source) folder.Place(*source, kAniTablePath);
    loaded = check.ani.Load(kAniTablePath);
    logged = folder.LoggedText();
  }
  const std::string sections = std::to_string(check.ani.Sections().size()) + " sections";
  if (loaded) {
    check.report.Summary(kAniTablePath, sections);
    return;
  }
  std::string what = !source          ? "missing"
                     : logged.empty() ? "cannot be read"
                                      : "stops at a syntax error; the sections before it are kept";
  check.report.Add(kAniTablePath,
                   what + ", so the buttons whose sections were not read show no image",
                   BoxText(kAniLoadFailedBox), logged);
  check.report.Summary(kAniTablePath, source ? sections + " read before the error" : "missing");
}
