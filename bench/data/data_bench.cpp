// Descrambling throughput as a ratio against memcpy of the same buffer, and the time to load a
// 1 MB link-definitions file as a ratio against reading the same file raw, each pair measured in
// the same run. Prints the ratios after Google Benchmark's own table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/cpu_time_reporter.h"
#include "data/definition_table.h"

namespace {

std::vector<unsigned char> Bytes(size_t size) {
  std::vector<unsigned char> bytes(size);
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<unsigned char>(i * 131 + (i >> 9));
  return bytes;
}

void BM_Memcpy(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0));
  const std::vector<unsigned char> source = Bytes(size);
  std::vector<unsigned char> target(size);
  for (auto _ : state) {
    std::memcpy(target.data(), source.data(), size);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
}

void BM_Descramble(benchmark::State& state) {
  const size_t size = static_cast<size_t>(state.range(0));
  std::vector<unsigned char> bytes = Bytes(size);
  const ScrambledBuffer keys;
  for (auto _ : state) {
    keys.Descramble(bytes.data(), static_cast<int>(size));
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
}

// A scrambled definitions file of about 1 MB: sections of ten link keys each, as the launcher's.
const std::string& DefinitionsFile() {
  static const std::string path = [] {
    const std::string file =
        (std::filesystem::temp_directory_path() / "bench_data_play.dat").string();
    std::string text = "; generated for the benchmark\r\n";
    const char* keys[] = {"Page",     "Regist",   "Pay",      "System",    "Gm",
                          "MainLink", "ExitLink", "ShopLink", "FlashHttp", "FlashHttpHand"};
    for (int section = 0; text.size() < (1u << 20); ++section) {
      text += "[Links" + std::to_string(section) + "]\r\n";
      for (const char* key : keys) {
        text += std::string(key) + "=http://127.0.0.1:8631/pages/" + std::to_string(section) + "/" +
                key + ".html?from=launcher\r\n";
      }
    }
    text.resize(1u << 20);
    ScrambledBuffer keysTable;
    keysTable.Scramble(reinterpret_cast<unsigned char*>(&text[0]), static_cast<int>(text.size()));
    std::FILE* out = std::fopen(file.c_str(), "wb");
    std::fwrite(text.data(), 1, text.size(), out);
    std::fclose(out);
    return file;
  }();
  return path;
}

void BM_ReadFileRaw(benchmark::State& state) {
  const std::string& path = DefinitionsFile();
  std::vector<char> block(1u << 20);
  for (auto _ : state) {
    std::FILE* in = std::fopen(path.c_str(), "rb");
    benchmark::DoNotOptimize(std::fread(block.data(), 1, block.size(), in));
    std::fclose(in);
  }
}

void BM_LoadDefinitions(benchmark::State& state) {
  const std::string& path = DefinitionsFile();
  size_t sections = 0;
  for (auto _ : state) {
    DefinitionTable table;
    if (table.Load(path.c_str(), ScrambledFile::ModeScrambled) != 1)
      state.SkipWithError("load failed");
    sections = table.Sections().size();
  }
  state.counters["sections"] = static_cast<double>(sections);
}

BENCHMARK(BM_Memcpy)->Arg(4 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Descramble)->Arg(4 << 10)->Arg(1 << 20)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadFileRaw)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_LoadDefinitions)->Unit(benchmark::kMicrosecond);

// Measured / reference, in CPU time per iteration.
void PrintRatio(const CpuTimeReporter& times, const char* label, const std::string& measured,
                const std::string& reference) {
  const double m = times.CpuTime(measured), r = times.CpuTime(reference);
  if (m <= 0 || r <= 0) return;
  std::printf("%-44s %8.2f  (%s / %s)\n", label, m / r, measured.c_str(), reference.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  CpuTimeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nRatios of CPU time per iteration, measured in this run:\n");
  PrintRatio(reporter, "descramble 4 KiB vs memcpy 4 KiB", "BM_Descramble/4096", "BM_Memcpy/4096");
  PrintRatio(reporter, "descramble 1 MiB vs memcpy 1 MiB", "BM_Descramble/1048576",
             "BM_Memcpy/1048576");
  PrintRatio(reporter, "load 1 MB definitions vs raw read of it", "BM_LoadDefinitions",
             "BM_ReadFileRaw");
  std::error_code ignored;
  std::filesystem::remove(DefinitionsFile(), ignored);
  benchmark::Shutdown();
  return 0;
}
