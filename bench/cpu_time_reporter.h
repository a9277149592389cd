// Google Benchmark's console table, keeping each run's CPU time per iteration as well, so a
// benchmark program can print ratios of two benchmarks measured in the same run. CPU time rather
// than real time: on a shared machine the real time also counts other people's work.
#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

class CpuTimeReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      cpu_[run.benchmark_name()] = run.error_occurred ? kSkipped : run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  // In the benchmark's own time unit; 0 when `name` did not run or skipped itself.
  double CpuTime(const std::string& name) const {
    const auto found = cpu_.find(name);
    return found == cpu_.end() || found->second < 0 ? 0.0 : found->second;
  }
  bool Skipped(const std::string& name) const {
    const auto found = cpu_.find(name);
    return found != cpu_.end() && found->second < 0;
  }

 private:
  static constexpr double kSkipped = -1.0;
  std::map<std::string, double> cpu_;
};
