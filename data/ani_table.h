// The launcher's table of image sequences: section name -> ordered list of image paths.
#pragma once

#include <map>
#include <string>
#include <vector>

// Entry i is the path of frame i of a section.
using FrameList = std::vector<std::string>;

class AniTable {
 public:
  // Section names and frame paths are at most 259 bytes, as is the path given to Load.
  static constexpr int kNameSize = 260;
  static constexpr int kPathSize = 260;
  static constexpr int kLineSize = 1024;
  // Frame counts are taken modulo this, keeping the sign of the count.
  static constexpr int kFrameCountModulus = 64;

  AniTable();
  virtual ~AniTable();

  // Adds the sections of the file at `path` to the table (a section already present gets the new
  // list). Returns 1 when the whole file was read; 0 when it cannot be opened or a section is
  // malformed, in which case the sections read before it stay in the table.
  int Load(const char* path);

  // The list stored under exactly `name` (case matters), or null.
  const FrameList* Find(const char* name) const;

  const std::map<std::string, FrameList>& Sections() const { return sections; }
  // The path of the last Load that reached the end of its file; empty before that.
  const char* Path() const { return path; }

 private:
  std::map<std::string, FrameList> sections;
  char path[kPathSize] = {};
};
