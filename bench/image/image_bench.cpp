// Decoding throughput of the launcher's decoders against stb_image, measured in the same run on
// the same bytes in memory: an 808 x 581 24-bit BMP, an 8-bit RLE8 BMP and a 32-bit run-length
// TGA. stb_image reads no RLE BMP, so the RLE8 file is set against stb decoding the same pixels
// stored plain. Prints the ratios after Google Benchmark's own table.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "image/cximage.h"
#include "image/image_stdio_file.h"
#include "bench/cpu_time_reporter.h"
#include "bench/image/picture_files.h"
#include "stb_image.h"

namespace {

const std::string& Picture(int which) {
  static const std::vector<std::string> pictures = {
      picture_files::Bmp24(), picture_files::Bmp8Rle(), picture_files::Bmp8Plain(),
      picture_files::Tga32Rle()};
  return pictures[static_cast<std::size_t>(which)];
}
enum { kBmp24, kBmp8Rle, kBmp8Plain, kTga32Rle };

void Ours(benchmark::State& state, int which, int type) {
  std::string bytes = Picture(which);
  for (auto _ : state) {
    std::FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
    CxImage image;
    {
      ImageStdioFile source(stream);
      if (!image.Decode(&source, type)) state.SkipWithError(image.GetLastError());
    }
    std::fclose(stream);
    benchmark::DoNotOptimize(image.GetDib());
  }
  state.SetItemsProcessed(state.iterations() * picture_files::kWidth * picture_files::kHeight);
}

void Stb(benchmark::State& state, int which) {
  const std::string& bytes = Picture(which);
  for (auto _ : state) {
    int width = 0, height = 0, channels = 0;
    stbi_uc* pixels =
        stbi_load_from_memory(reinterpret_cast<const stbi_uc*>(bytes.data()),
                              static_cast<int>(bytes.size()), &width, &height, &channels, 0);
    if (pixels == nullptr) {
      state.SkipWithError(stbi_failure_reason());
      break;
    }
    benchmark::DoNotOptimize(pixels);
    stbi_image_free(pixels);
  }
  state.SetItemsProcessed(state.iterations() * picture_files::kWidth * picture_files::kHeight);
}

void BM_Ours_Bmp24(benchmark::State& state) { Ours(state, kBmp24, ImageTypeBmp); }
void BM_Stb_Bmp24(benchmark::State& state) { Stb(state, kBmp24); }
void BM_Ours_Bmp8Rle(benchmark::State& state) { Ours(state, kBmp8Rle, ImageTypeBmp); }
void BM_Stb_Bmp8Rle(benchmark::State& state) { Stb(state, kBmp8Rle); }
void BM_Ours_Bmp8Plain(benchmark::State& state) { Ours(state, kBmp8Plain, ImageTypeBmp); }
void BM_Stb_Bmp8Plain(benchmark::State& state) { Stb(state, kBmp8Plain); }
void BM_Ours_Tga32Rle(benchmark::State& state) { Ours(state, kTga32Rle, ImageTypeTga); }
void BM_Stb_Tga32Rle(benchmark::State& state) { Stb(state, kTga32Rle); }
BENCHMARK(BM_Ours_Bmp24);
BENCHMARK(BM_Stb_Bmp24);
BENCHMARK(BM_Ours_Bmp8Rle);
BENCHMARK(BM_Stb_Bmp8Rle);
BENCHMARK(BM_Ours_Bmp8Plain);
BENCHMARK(BM_Stb_Bmp8Plain);
BENCHMARK(BM_Ours_Tga32Rle);
BENCHMARK(BM_Stb_Tga32Rle);

// Throughput of ours as a multiple of stb's (above 1: ours decodes faster).
void PrintThroughput(const CpuTimeReporter& times, const char* label, const std::string& ours,
                     const std::string& reference) {
  const double mine = times.CpuTime(ours), theirs = times.CpuTime(reference);
  if (mine <= 0 || theirs <= 0) {
    std::printf("  %-50s not measured\n", label);
    return;
  }
  std::printf("  %-50s %.2f  (ours %.0f us, stb_image %.0f us per picture)\n", label, theirs / mine,
              mine / 1000.0, theirs / 1000.0);
}

// The RLE8 file must decode to exactly the plain file's pixels, or its figure means nothing.
bool RleMatchesPlain() {
  CxImage decoded[2];
  const int files[2] = {kBmp8Rle, kBmp8Plain};
  for (int i = 0; i < 2; ++i) {
    std::string bytes = Picture(files[i]);
    std::FILE* stream = fmemopen(bytes.data(), bytes.size(), "rb");
    ImageStdioFile source(stream);
    decoded[i].Decode(&source, ImageTypeBmp);
    std::fclose(stream);
  }
  return decoded[0].IsValid() && decoded[0].TotalSize() == decoded[1].TotalSize() &&
         std::memcmp(decoded[0].GetDib(), decoded[1].GetDib(), decoded[0].TotalSize()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  CpuTimeReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  std::printf("\nDecoding throughput of ours against stb_image, measured in this run:\n");
  PrintThroughput(reporter, "808x581 24-bit BMP", "BM_Ours_Bmp24", "BM_Stb_Bmp24");
  PrintThroughput(reporter, "808x581 8-bit RLE8 BMP vs stb on the plain file", "BM_Ours_Bmp8Rle",
                  "BM_Stb_Bmp8Plain");
  PrintThroughput(reporter, "808x581 8-bit plain BMP", "BM_Ours_Bmp8Plain", "BM_Stb_Bmp8Plain");
  PrintThroughput(reporter, "808x581 32-bit RLE TGA", "BM_Ours_Tga32Rle", "BM_Stb_Tga32Rle");
  std::printf("  (the RLE8 and plain files decode to the same pixels: %s)\n",
              RleMatchesPlain() ? "yes" : "NO");
  if (reporter.Skipped("BM_Stb_Bmp8Rle"))
    std::printf("  (stb_image refused the RLE8 file itself)\n");
  benchmark::Shutdown();
  return 0;
}
