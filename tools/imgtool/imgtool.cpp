#include "tools/imgtool/imgtool.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "compat/stdio_file.h"
#include "image/cximage.h"
#include "image/image_stdio_file.h"
#include "tools/imgtool/pam_writer.h"

namespace {

constexpr int kDone = 0;
constexpr int kFailed = 1;
constexpr int kUsage = 2;

const char kUsageText[] =
    "usage: imgtool info [--type auto|bmp|tga|button] FILE\n"
    "       imgtool decode [--type auto|bmp|tga|button] FILE OUT.pam\n"
    "  auto    automatic detection (BMP first, then TGA); the default\n"
    "  bmp     the BMP decoder alone\n"
    "  tga     the TGA decoder alone\n"
    "  button  as a skin button loads its images: TGA first, then automatic detection\n";

enum class LoadMode { Auto, Bmp, Tga, Button };

bool ParseMode(const char* name, LoadMode& mode) {
  if (std::strcmp(name, "auto") == 0)
    mode = LoadMode::Auto;
  else if (std::strcmp(name, "bmp") == 0)
    mode = LoadMode::Bmp;
  else if (std::strcmp(name, "tga") == 0)
    mode = LoadMode::Tga;
  else if (std::strcmp(name, "button") == 0)
    mode = LoadMode::Button;
  else
    return false;
  return true;
}

// Loads `path` the way `mode` says; false with the decoder's message in the image on failure.
bool LoadImage(CxImage& image, const char* path, LoadMode mode) {
  switch (mode) {
    case LoadMode::Auto:
      return image.Load(path, ImageTypeUnknown);
    case LoadMode::Button:
      return image.Load(path, ImageTypeTga);
    case LoadMode::Bmp:
    case LoadMode::Tga: {
      UniqueStdioFile stream(std::fopen(path, "rb"));
      if (!stream) return false;
      ImageStdioFile source(stream.get());
      return image.Decode(&source, mode == LoadMode::Bmp ? ImageTypeBmp : ImageTypeTga);
    }
  }
  return false;
}

// The most pixels imgtool writes: those of the largest 24-bit picture the decoders make. Palette
// pictures may hold many more in the same memory (a 1-bit one 24 times as many), and each PAM
// pixel takes 3 or 4 bytes, so without this a cut-off file of a few kilobytes could ask for
// gigabytes of output.
constexpr std::uint64_t kLargestWrittenPixels = CXIMAGE_MAX_MEMORY / 3;

bool CanOpen(const char* path) {
  UniqueStdioFile stream(std::fopen(path, "rb"));
  return stream != nullptr;
}

}  // namespace

int RunImgtool(int argc, const char* const argv[], std::ostream& out, std::ostream& err) {
  if (argc < 2) {
    err << kUsageText;
    return kUsage;
  }
  const std::string command = argv[1];
  if (command != "info" && command != "decode") {
    err << kUsageText;
    return kUsage;
  }

  LoadMode mode = LoadMode::Auto;
  int next = 2;
  if (next < argc && std::strcmp(argv[next], "--type") == 0) {
    if (next + 1 >= argc || !ParseMode(argv[next + 1], mode)) {
      err << kUsageText;
      return kUsage;
    }
    next += 2;
  }
  const int operands = command == "info" ? 1 : 2;
  if (argc - next != operands) {
    err << kUsageText;
    return kUsage;
  }
  const char* path = argv[next];

  // Load itself says nothing about a file it cannot open.
  if (!CanOpen(path)) {
    err << "imgtool: cannot open " << path << "\n";
    return kFailed;
  }
  CxImage image;
  if (!LoadImage(image, path, mode)) {
    err << image.GetLastError() << "\n";
    return kFailed;
  }

  if (command == "info") {
    out << image.GetWidth() << "x" << image.GetHeight() << " bpp=" << image.GetBpp()
        << " alpha=" << (image.HasAlpha() ? "yes" : "no") << "\n";
    return kDone;
  }

  const char* target = argv[next + 1];
  const std::uint64_t pixels =
      static_cast<std::uint64_t>(image.GetWidth()) * static_cast<std::uint64_t>(image.GetHeight());
  if (pixels > kLargestWrittenPixels) {
    err << "imgtool: " << image.GetWidth() << "x" << image.GetHeight()
        << " is too large to write (at most " << kLargestWrittenPixels << " pixels)\n";
    return kFailed;
  }
  const std::string pam = EncodePam(image);
  std::ofstream file(target, std::ios::binary | std::ios::trunc);
  file.write(pam.data(), static_cast<std::streamsize>(pam.size()));
  file.close();
  if (!file) {
    err << "imgtool: cannot write " << target << "\n";
    return kFailed;
  }
  return kDone;
}
