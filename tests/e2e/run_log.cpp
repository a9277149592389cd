#include "tests/e2e/run_log.h"

#include "tests/e2e/launcher_process.h"
#include "tests/support/test_support.h"

namespace e2e {

std::vector<RunRecord> ReadRunLog(const std::filesystem::path& log) {
  const std::string text = testing_support::ReadFile(log);
  std::vector<RunRecord> records;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    RunRecord record;
    const std::string line = text.substr(start, end - start);
    size_t field = 0;
    for (size_t tab; (tab = line.find('\t', field)) != std::string::npos; field = tab + 1) {
      record.push_back(line.substr(field, tab - field));
    }
    record.push_back(line.substr(field));
    records.push_back(record);
  }
  return records;
}

std::vector<RunRecord> WaitForRunRecords(const std::filesystem::path& log, size_t count,
                                         unsigned timeoutMs) {
  std::vector<RunRecord> records;
  WaitFor(
      [&] {
        records = ReadRunLog(log);
        return records.size() >= count;
      },
      timeoutMs);
  return records;
}

}  // namespace e2e
