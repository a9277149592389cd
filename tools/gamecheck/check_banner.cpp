// The operator's banner, read by the launcher's own rule in a scratch folder, so that the line the
// launcher logs for a file it cannot read is caught there word for word. A folder without one is
// not told about it: the banner is optional.
#include <optional>
#include <stdexcept>
#include <string>

#include "app/banner_file.h"
#include "app/startup_files.h"
#include "image/cximage.h"
#include "tools/gamecheck/check_context.h"
#include "tools/gamecheck/check_text.h"
#include "tools/support/scratch_folder.h"

void CheckBanner(GameCheck& check) {
  const std::optional<std::string> bmp = ExistingFile(kBannerBmpPath);
  const std::optional<std::string> tga = ExistingFile(kBannerTgaPath);
  if (!bmp && !tga) return;
  CxImage image;
  BannerState state = BannerState::kAbsent;
  std::string logged;
  {
    ScratchFolder folder;
    if (!folder.Ready()) throw std::runtime_error("cannot create a temporary folder");
    if (bmp) folder.Place(*bmp, kBannerBmpPath);
    if (tga) folder.Place(*tga, kBannerTgaPath);
    state = LoadBanner(image);
    logged = folder.LoggedText();
  }
  const char* shown = bmp ? kBannerBmpPath : kBannerTgaPath;
  if (state != BannerState::kLoaded) {
    check.report.Add(shown,
                     "cannot be read, so where there is no Flash movie its place shows the skin",
                     "", logged);
    check.report.Summary(shown, "cannot be read");
  } else {
    check.layout.banner = RgbaOf(image);
    const std::string size = SizeText(image.GetWidth(), image.GetHeight());
    const std::string place = SizeText(kBannerWidth, kBannerHeight);
    if (image.GetWidth() > kBannerWidth || image.GetHeight() > kBannerHeight) {
      check.report.AddPlaced(PlaceRect{0, 0, kBannerWidth, kBannerHeight}, shown,
                             Printed("is %s, larger than the Flash movie's %s place: only its "
                                     "top-left %s pixels are shown",
                                     size.c_str(), place.c_str(), place.c_str()));
    }
    check.report.Summary(shown,
                         Printed("%s, %d bits%s; shown where there is no Flash movie", size.c_str(),
                                 image.GetBpp(), image.HasAlpha() ? " with alpha" : ""));
  }
  if (bmp && tga) {
    check.report.Add(kBannerTgaPath,
                     Printed("is never shown: %s is there too, and the BMP wins", kBannerBmpPath));
  }
}
