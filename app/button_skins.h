// The launcher's seven skin buttons and the rule by which a button picks its four state images
// from the animation table.
#pragma once

#include "data/ani_table.h"

class CxImage;

// What a click on a button does. Closing, running the check tool and starting the game are asked
// of the dialog (app/launcher_action_message.h).
enum class ButtonAction {
  kNone,              // nothing: a button not yet skinned
  kExit,              // ask the dialog to close, then open the link
  kCheckTool,         // ask the dialog to run the check tool
  kOpenLink,          // open the link
  kStartStandard,     // write GraphicDetail 0, then ask the dialog to start the game
  kStartHighClarity,  // write GraphicDetail 1, then ask the dialog to start the game
};

struct ButtonSkin {
  const char* skinName;       // section of the animation table
  const char* layoutSection;  // section of ini/PlayGui.ini
  int linkSlot;               // LinkSlot of data/link_table.h, or kNoLink
  ButtonAction action;
};

// In the order in which the dialog loads, places, hover-checks and hit-tests them.
constexpr int kButtonCount = 7;
extern const ButtonSkin kButtonSkins[kButtonCount];

// The state images in the order a button loads them, each with its frame of the section's list.
struct ButtonStateFrame {
  const char* stateName;
  size_t frame;
};
constexpr int kButtonStateCount = 4;
extern const ButtonStateFrame kButtonStates[kButtonStateCount];

// The frame list a button takes its images from, or null when it has none to show.
const FrameList* ButtonFrames(const AniTable& table, const char* skinName);

// The path of `frame` in a non-empty list: a list shorter than four frames repeats from its start.
const char* StateImagePath(const FrameList& frames, size_t frame);

// Loads a state image as a button does: the TGA decoder first, then automatic detection.
bool LoadButtonImage(CxImage& image, const char* path);
