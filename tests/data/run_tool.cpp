#include "tests/data/run_tool.h"

#include <algorithm>
#include <cstdlib>

#include "tests/support/test_support.h"

namespace data_test {

ToolRun RunTool(const std::string& program, const std::string& arguments) {
  testing_support::TempDir capture;
  const std::string out = capture / "out.txt";
  const std::string err = capture / "err.txt";
  const std::string command = program + " " + arguments + " >" + out + " 2>" + err;
  ToolRun run;
  run.exitCode = ExitCodeOf(std::system(command.c_str()));
  run.out = testing_support::ReadFile(out);
  run.err = testing_support::ReadFile(err);
  for (std::string* text : {&run.out, &run.err}) {
    text->erase(std::remove(text->begin(), text->end(), '\r'), text->end());
  }
  return run;
}

}  // namespace data_test
