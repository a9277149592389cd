// A throw-away game folder in which a data file is loaded exactly as the launcher loads it: under
// the launcher's relative name, with the current directory there, so every text the parsers log
// or trace names the file as the launcher would. Nothing is left behind in the caller's folder.
#pragma once

#include <filesystem>
#include <string>

#include "tools/support/scratch_log.h"

class ScratchFolder {
 public:
  // Creates a private folder under the temporary directory and makes it the current directory.
  ScratchFolder();
  // Restores the previous current directory and removes the folder with everything in it.
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  bool Ready() const { return !folder_.empty(); }

  // Copies `source` (relative to the previous current directory) to `relativeName` here. A source
  // that cannot be copied is simply absent, as a missing file is to the launcher.
  void Place(const std::string& source, const char* relativeName);

  // What the parsers logged while the folder was current, without the record's time stamp.
  std::string LoggedText() const { return log_.LoggedText(); }

 private:
  ScratchLog log_;  // the private folder, and the log sent there
  std::filesystem::path previous_;
  std::filesystem::path folder_;
};
