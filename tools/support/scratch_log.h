// A private log file for the parsers while a tool checks a data file: what they log about it is
// read back from there, and nothing is left in the caller's folder.
#pragma once

#include <filesystem>
#include <string>

class ScratchLog {
 public:
  // Creates a private folder under the temporary directory and sends the log's records to a file
  // in it.
  ScratchLog();
  // Sends the records back to debug.log and removes the folder with everything in it.
  ~ScratchLog();
  ScratchLog(const ScratchLog&) = delete;
  ScratchLog& operator=(const ScratchLog&) = delete;

  bool Ready() const { return !file_.empty(); }
  // The private folder that holds the log (empty when none could be made).
  const std::filesystem::path& folder() const { return folder_; }

  // What the parsers logged, without the record's time stamp.
  std::string LoggedText() const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path file_;
};
