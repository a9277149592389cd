// The two window backgrounds: the launcher's skin, cut by magenta, and the inside window's, cut
// by white. Each is loaded as the windows load it and scanned into runs as their shapes are.
#include <optional>
#include <string>
#include <utility>

#include "app/startup_files.h"
#include "tools/gamecheck/check_context.h"
#include "tools/gamecheck/check_text.h"
#include "tools/gamecheck/skin_pixels.h"
#include "tools/gamecheck/skin_shape.h"

namespace {

struct Background {
  const char* path;
  COLORREF key;
  const char* keyName;
  const char* window;    // how the report names the window
  const char* unloaded;  // what becomes of the window without its background
  const char* boxFormat;
};

std::optional<LayoutBackground> CheckBackground(GameReport& report, const Background& background) {
  SkinPixels pixels;
  if (!LoadSkinPixels(background.path, pixels)) {
    const char* what = ExistingFile(background.path) ? "cannot be loaded as a bitmap" : "missing";
    report.Add(background.path, Printed("%s, so %s", what, background.unloaded),
               BoxText(background.boxFormat));
    report.Summary(background.path, what);
    return std::nullopt;
  }
  SkinShape shape = ShapeOf(pixels, background.key);
  const long long all = static_cast<long long>(shape.width) * shape.height;
  const std::string size = SizeText(shape.width, shape.height);
  if (shape.shapePixels == all && all > 0) {
    report.Add(background.path,
               Printed("holds no %s pixel, so nothing is cut out: %s is a plain %s rectangle",
                       background.keyName, background.window, size.c_str()));
  } else if (shape.shapePixels == 0) {
    report.Add(background.path, Printed("is %s all over, so %s shows nothing", background.keyName,
                                        background.window));
  }
  report.Summary(background.path,
                 Printed("%s, %s runs, %.1f%% inside the shape", size.c_str(),
                         std::to_string(shape.runCount).c_str(), shape.Share() * 100.0));
  return LayoutBackground{std::move(pixels), std::move(shape)};
}

}  // namespace

void CheckSkin(GameCheck& check) {
  const Background skin{kSkinPath,
                        kSkinKey,
                        "magenta (255, 0, 255)",
                        "the launcher",
                        "the launcher keeps its template's size, unshaped and blank",
                        kSkinLoadFailedBox};
  check.layout.skin = CheckBackground(check.report, skin);
  if (check.layout.skin) check.skin = check.layout.skin->shape;
  if (check.skin && (check.skin->width > kCanvasWidth || check.skin->height > kCanvasHeight)) {
    check.report.Add(kSkinPath, Printed("is %s, larger than the %s canvas: only its top-left %s "
                                        "pixels are ever painted",
                                        SizeText(check.skin->width, check.skin->height).c_str(),
                                        SizeText(kCanvasWidth, kCanvasHeight).c_str(),
                                        SizeText(kCanvasWidth, kCanvasHeight).c_str()));
  }
}

void CheckInsideSkin(GameCheck& check) {
  const Background inside{kInsideSkinPath,
                          kInsideSkinKey,
                          "white (255, 255, 255)",
                          "the inside window",
                          "the inside window beneath the launcher is neither painted nor shaped",
                          kInsideSkinLoadFailedBox};
  check.layout.inside = CheckBackground(check.report, inside);
}
