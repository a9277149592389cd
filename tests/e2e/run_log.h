// The records the stand-in programs append to their logs: one line per run, fields split by tabs
// (command line, current directory, and for the patcher "GraphicDetail=<value>").
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace e2e {

using RunRecord = std::vector<std::string>;

// Every complete (CR LF ended) record of the log; none when it does not exist.
std::vector<RunRecord> ReadRunLog(const std::filesystem::path& log);
// Waits until the log holds at least `count` records; the records then found.
std::vector<RunRecord> WaitForRunRecords(const std::filesystem::path& log, size_t count,
                                         unsigned timeoutMs = 10000);

}  // namespace e2e
