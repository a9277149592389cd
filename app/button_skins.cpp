#include "app/button_skins.h"

#include "data/link_table.h"
#include "image/cximage.h"

// "DataOptim", a name the launcher also knows, has no button here and nothing to do.
const ButtonSkin kButtonSkins[kButtonCount] = {
    {"Exit", "Exit", kSlotExitLink, ButtonAction::kExit},
    {"CheckHorse", "CheckHorse", kNoLink, ButtonAction::kCheckTool},
    {"OfficialNet", "OfficialNet", kSlotMainLink, ButtonAction::kOpenLink},
    {"Register", "Register", kSlotRegist, ButtonAction::kOpenLink},
    {"StanEnt", "StanEnt", kNoLink, ButtonAction::kStartStandard},
    {"HiClearEnt", "HiClearEnt", kNoLink, ButtonAction::kStartHighClarity},
    // The shop's layout section is not its skin name.
    {"ShoppingMall", "Shop", kSlotShopLink, ButtonAction::kOpenLink},
};

const ButtonStateFrame kButtonStates[kButtonStateCount] = {
    {"normal", 0}, {"pressed", 1}, {"hover", 2}, {"disabled", 3}};

const FrameList* ButtonFrames(const AniTable& table, const char* skinName) {
  const FrameList* frames = table.Find(skinName);
  // A section without frame paths has no image to show: it is treated like a missing section.
  if (frames == nullptr || frames->empty()) return nullptr;
  return frames;
}

const char* StateImagePath(const FrameList& frames, size_t frame) {
  return frames[frame % frames.size()].c_str();
}

bool LoadButtonImage(CxImage& image, const char* path) { return image.Load(path, ImageTypeTga); }
