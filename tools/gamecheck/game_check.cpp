#include "tools/gamecheck/game_check.h"

#include <exception>
#include <utility>

#include "tools/gamecheck/check_context.h"
#include "tools/gamecheck/folder_access.h"

int GameReport::ErrorCount() const {
  int count = 0;
  for (const Problem& problem : problems) count += problem.IsError() ? 1 : 0;
  return count;
}

int GameReport::WarningCount() const { return static_cast<int>(problems.size()) - ErrorCount(); }

namespace {

// Makes the game folder the current directory, as it is for the launcher started there.
class InFolder {
 public:
  explicit InFolder(const std::string& folder)
      : previous_(folder_access::CurrentDirectory()),
        entered_(!previous_.empty() && folder_access::ChangeDirectory(folder)) {}
  ~InFolder() {
    if (entered_) folder_access::ChangeDirectory(previous_);
  }
  InFolder(const InFolder&) = delete;
  InFolder& operator=(const InFolder&) = delete;
  bool Entered() const { return entered_; }

 private:
  std::string previous_;
  bool entered_;
};

}  // namespace

bool CheckGameFolder(const std::string& folder, GameReport& report, std::string& error,
                     GameLayout* layout) {
  if (!folder_access::IsDirectory(folder)) {
    error = "not a folder";
    return false;
  }
  InFolder here(folder);
  if (!here.Entered()) {
    error = "cannot enter it";
    return false;
  }
  try {
    GameCheck check(report);
    CheckFlashControl(check);
    CheckAniTable(check);
    CheckSkin(check);
    CheckLinks(check);
    CheckButtonImages(check);
    CheckLayout(check);
    CheckBanner(check);
    CheckInsideSkin(check);
    CheckVersionFile(check);
    CheckVersionLabel(check);
    CheckCheckTool(check);
    CheckPatcher(check);
    if (layout != nullptr) *layout = std::move(check.layout);
  } catch (const std::exception& failure) {
    report = GameReport();
    error = failure.what();
    return false;
  }
  return true;
}
