#include "app/banner_file.h"

#include <cerrno>
#include <cstdio>
#include <memory>

#include "app/startup_files.h"
#include "compat/stdio_file.h"
#include "diag/diagnostics.h"

namespace {

struct BannerFile {
  const char* path;
  int type;
};
// In the order they are looked for.
constexpr BannerFile kBannerFiles[] = {{kBannerBmpPath, ImageTypeBmp},
                                       {kBannerTgaPath, ImageTypeTga}};

// Whether `path` is there at all. A file that is there but cannot be opened (locked, no access)
// still counts: the operator meant it to show, and is told why it does not.
bool Present(const char* path, bool* opens) {
  errno = 0;
  UniqueStdioFile stream(std::fopen(path, "rb"));
  *opens = stream != nullptr;
  return *opens || errno != ENOENT;
}

}  // namespace

BannerState LoadBanner(CxImage& image) {
  for (const BannerFile& file : kBannerFiles) {
    bool opens = false;
    if (!Present(file.path, &opens)) continue;
    if (opens && image.Load(file.path, file.type)) return BannerState::kLoaded;
    const char* reason = image.GetLastError();
    LogMessage("Banner picture %s not shown: %s", file.path,
               opens && reason[0] != '\0' ? reason : "cannot be opened");
    return BannerState::kUnreadable;
  }
  return BannerState::kAbsent;
}
