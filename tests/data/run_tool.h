// Runs one of the built command-line tools and captures what it printed.
#pragma once

#include <string>

namespace data_test {

struct ToolRun {
  int exitCode = -1;
  std::string out;  // standard output, carriage returns removed
  std::string err;  // standard error, carriage returns removed
};

// Runs `program` with `arguments` (already quoted as the shell needs; paths without blanks need
// nothing) in the current directory.
ToolRun RunTool(const std::string& program, const std::string& arguments);

// The exit code inside a result of std::system.
int ExitCodeOf(int systemResult);

}  // namespace data_test
