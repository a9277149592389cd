// The seven skin buttons: the state images each loads through the launcher's own rule and
// decoders, and the places ini/PlayGui.ini gives them on the skin.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/button_skins.h"
#include "app/settings_read.h"
#include "app/startup_files.h"
#include "compat/stdio_file.h"
#include "tools/gamecheck/check_context.h"
#include "tools/gamecheck/check_text.h"
#include "image/cximage.h"
#include "image/image_stdio_file.h"

namespace {

// The BMP decoder's own complaint about a file, for a report that names both decoders'.
std::string BmpComplaint(const std::string& path) {
  UniqueStdioFile stream(std::fopen(path.c_str(), "rb"));
  if (!stream) return "cannot be opened";
  ImageStdioFile source(stream.get());
  CxImage image;
  return image.Decode(&source, ImageTypeBmp) ? "" : image.GetLastError();
}

PlaceRect RectOf(const LayoutPlace& place) {
  return {place.x, place.y, place.x + place.w, place.y + place.h};
}

std::string PlaceText(const LayoutPlace& place) {
  return Printed("(%d, %d) %s", place.x, place.y, SizeText(place.w, place.h).c_str());
}

}  // namespace

void CheckButtonImages(GameCheck& check) {
  int buttonsWithImages = 0;
  int statesLoaded = 0;
  int statesTried = 0;
  for (const ButtonSkin& skin : kButtonSkins) {
    const FrameList* frames = ButtonFrames(check.ani, skin.skinName);
    if (frames == nullptr) {
      check.report.Add(kAniTablePath,
                       Printed(check.ani.Find(skin.skinName) != nullptr
                                   ? "[%s] lists no frames, so button %s shows no image (its click "
                                     "still acts)"
                                   : "has no [%s] section, so button %s shows no image (its click "
                                     "still acts)",
                               skin.skinName, skin.skinName));
      continue;
    }
    ++buttonsWithImages;
    const LayoutPlace place = ReadLayoutPlace(skin.layoutSection);
    std::set<std::string> sizeReported;
    for (const ButtonStateFrame& state : kButtonStates) {
      ++statesTried;
      const char* path = StateImagePath(*frames, state.frame);
      const std::string role = Printed("the %s image of button %s", state.stateName, skin.skinName);
      const std::string box = BoxText(kButtonImageFailedBox, path);
      const std::optional<std::string> file = ExistingFile(path);
      if (!file) {
        check.report.Add(path, "missing; it is " + role, box);
        continue;
      }
      CxImage image;
      if (!LoadButtonImage(image, file->c_str())) {
        const std::string tga = image.GetLastError();
        check.report.Add(path,
                         Printed("decodes neither as TGA (\"%s\") nor as BMP (\"%s\"); it is %s",
                                 tga.c_str(), BmpComplaint(*file).c_str(), role.c_str()),
                         box);
        continue;
      }
      ++statesLoaded;
      if (state.frame == 0) check.layout.Button(skin.skinName).normal = RgbaOf(image);
      // Drawn at its own size from the button's top-left corner, clipped by the button.
      const bool tooLarge =
          place.w > 0 && place.h > 0 && (image.GetWidth() > place.w || image.GetHeight() > place.h);
      if (tooLarge && sizeReported.insert(path).second) {
        check.report.AddPlaced(RectOf(place), path,
                               Printed("is %s, larger than the %s place of button %s in %s: only "
                                       "its top-left %s shows",
                                       SizeText(image.GetWidth(), image.GetHeight()).c_str(),
                                       SizeText(place.w, place.h).c_str(), skin.skinName,
                                       kLayoutFile, SizeText(place.w, place.h).c_str()));
      }
    }
  }
  for (FileSummary& summary : check.report.files) {
    if (summary.file != kAniTablePath) continue;
    summary.text += Printed("; %d of %d buttons with images, %d of %d state images load",
                            buttonsWithImages, kButtonCount, statesLoaded, statesTried);
  }
}

void CheckLayout(GameCheck& check) {
  if (!ExistingFile(kLayoutFile)) {
    check.report.Add(kLayoutFile,
                     "missing, so every button is placed at (0, 0) with size 0 x 0: "
                     "no button can be seen or clicked");
    check.report.Summary(kLayoutFile, "missing");
    return;
  }
  struct Placed {
    const ButtonSkin* skin;
    PlaceRect rect;
  };
  std::vector<Placed> placed;
  for (const ButtonSkin& skin : kButtonSkins) {
    const LayoutPlace place = ReadLayoutPlace(skin.layoutSection);
    const char* section = skin.layoutSection;
    if (place.w <= 0 || place.h <= 0) {
      std::string hint;
      if (std::string(section) != skin.skinName && ReadLayoutPlace(skin.skinName).w > 0) {
        hint = Printed(" (a [%s] section is there, but this button reads [%s])", skin.skinName,
                       section);
      }
      check.report.Add(kLayoutFile, Printed("[%s] gives button %s no size (%s), so it cannot be "
                                            "seen or clicked%s",
                                            section, skin.skinName,
                                            SizeText(place.w, place.h).c_str(), hint.c_str()));
      continue;
    }
    const PlaceRect rect = RectOf(place);
    placed.push_back({&skin, rect});
    check.layout.Button(skin.skinName).place = rect;
    if (!check.skin) continue;
    if (!check.skin->Contains(rect)) {
      check.report.AddPlaced(rect, kLayoutFile,
                             Printed("[%s] places button %s at %s, reaching outside the %s "
                                     "skin: that part is not shown",
                                     section, skin.skinName, PlaceText(place).c_str(),
                                     SizeText(check.skin->width, check.skin->height).c_str()));
      continue;
    }
    const long long shown = check.skin->ShapePixelsIn(rect);
    if (shown < rect.Area()) {
      check.report.AddPlaced(
          rect, kLayoutFile,
          Printed(
              "[%s] places button %s at %s, where %.1f%% of it lies in the skin's "
              "cut-outs and is not shown",
              section, skin.skinName, PlaceText(place).c_str(),
              100.0 * static_cast<double>(rect.Area() - shown) / static_cast<double>(rect.Area())));
    }
  }
  for (size_t i = 0; i < placed.size(); ++i) {
    for (size_t j = i + 1; j < placed.size(); ++j) {
      const PlaceRect& a = placed[i].rect;
      const PlaceRect& b = placed[j].rect;
      const PlaceRect common{std::max(a.left, b.left), std::max(a.top, b.top),
                             std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
      if (common.Area() == 0) continue;
      check.report.AddPlaced(
          common, kLayoutFile,
          Printed("buttons %s and %s overlap in %s at (%d, %d): a click there can run both",
                  placed[i].skin->skinName, placed[j].skin->skinName,
                  SizeText(common.right - common.left, common.bottom - common.top).c_str(),
                  common.left, common.top));
    }
  }
  check.report.Summary(
      kLayoutFile,
      Printed("%d of %d buttons placed%s", static_cast<int>(placed.size()), kButtonCount,
              check.skin ? "" : " (not checked against the skin, which does not load)"));
}
