// What gamecheck found in a game folder: one record per problem, in the order the launcher meets
// them, and a summary of every file it read.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tools/gamecheck/place_rect.h"

struct Problem {
  std::string file;                // as the launcher names it, relative to the game folder
  std::string message;             // what is wrong, and what comes of it
  std::string box;                 // the text of the error box the launcher shows, or empty
  std::string log;                 // the line it appends to debug.log (without the time), or empty
  std::optional<PlaceRect> place;  // where on the skin it is, for problems that have a place

  // Errors are the problems a player sees as an error box; everything else goes wrong silently.
  bool IsError() const { return !box.empty(); }
};

struct FileSummary {
  std::string file;
  std::string text;
  std::vector<std::string> details;  // further lines, for files with several entries
};

struct GameReport {
  std::vector<Problem> problems;
  std::vector<FileSummary> files;

  void Add(const std::string& file, const std::string& message, const std::string& box = "",
           const std::string& log = "") {
    problems.push_back({file, message, box, log, std::nullopt});
  }
  void AddPlaced(const PlaceRect& place, const std::string& file, const std::string& message) {
    problems.push_back({file, message, "", "", place});
  }
  FileSummary& Summary(const std::string& file, const std::string& text) {
    files.push_back({file, text, {}});
    return files.back();
  }
  int ErrorCount() const;
  int WarningCount() const;
};
