// The Windows runtime's system() returns the program's exit code itself.
#include "tests/data/run_tool.h"

namespace data_test {

int ExitCodeOf(int systemResult) { return systemResult; }

}  // namespace data_test
