// Sections of key and value text read from a (usually scrambled) definitions file.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "data/scrambled_file.h"

class DefinitionSection {
 public:
  explicit DefinitionSection(std::string name) : name(std::move(name)) {}

  // The value stored under exactly `key` (an empty text for an empty value), or `def` when the key
  // is null or absent. The text lives as long as the section.
  const char* GetValue(const char* key, const char* def) const;

  // Adds the pair, or replaces the value of a key already present.
  void SetValue(const std::string& key, const std::string& value) { values[key] = value; }

  const std::string& Name() const { return name; }
  const std::map<std::string, std::string>& Values() const { return values; }

 private:
  std::string name;
  std::map<std::string, std::string> values;
};

class DefinitionTable : public ScrambledFile {
 public:
  static constexpr int kLineSize = 2048;
  static constexpr int kNameSize = 260;
  static constexpr int kValueSize = 1024;

  DefinitionTable();
  ~DefinitionTable() override;

  // Closes the file, then drops every section.
  void Close() override;

  // Appends the sections of the file at `path`, opened in `mode` (ModePlain or ModeScrambled).
  // Returns 1 when the file was read to its end; 0 when it cannot be opened or holds a bad title
  // line (logged), in which case the sections before it stay. The file stays open until Close.
  int Load(const char* path, int mode);

  // One record per title line, in file order; never a null entry.
  const std::vector<std::unique_ptr<DefinitionSection>>& Sections() const { return sections; }

 private:
  std::vector<std::unique_ptr<DefinitionSection>> sections;
};
