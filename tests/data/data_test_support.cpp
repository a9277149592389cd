#include "tests/data/data_test_support.h"

#include <algorithm>

#include "tests/support/test_support.h"

namespace data_test {

std::string LoggedTexts() {
  std::string log = testing_support::ReadFile("debug.log");
  log.erase(std::remove(log.begin(), log.end(), '\r'), log.end());
  // Every record ends in " -- " and a ctime stamp such as "Mon Mar 02 14:05:09 2009\n".
  const size_t kStamp = 4 + 24;
  std::string texts;
  size_t start = 0;
  for (size_t i = 0; i + kStamp < log.size(); ++i) {
    if (log.compare(i, 4, " -- ") == 0 && log[i + kStamp] == '\n' && log[i + 4 + 13] == ':' &&
        log[i + 4 + 16] == ':') {
      texts += log.substr(start, i - start) + "\n";
      start = i + kStamp + 1;
      i = start - 1;
    }
  }
  return texts + log.substr(start);
}

}  // namespace data_test
