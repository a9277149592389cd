#include <sys/wait.h>

#include "tests/data/run_tool.h"

namespace data_test {

int ExitCodeOf(int systemResult) {
  return WIFEXITED(systemResult) ? WEXITSTATUS(systemResult) : -1;
}

}  // namespace data_test
