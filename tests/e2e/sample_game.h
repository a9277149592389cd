// Facts of the sample game folder that the tests check the launcher against: where each button
// sits (ini/PlayGui.ini), its control id and its images (ani/play.ani), and the skin.
#pragma once
#include <windows.h>

namespace e2e {

struct SampleButton {
  const char* skinName;
  int controlId;
  RECT place;  // client pixels: left, top, right, bottom
  // Images of the normal, pressed and hover states, relative to the game folder.
  const char* normal;
  const char* pressed;
  const char* hover;
};

constexpr const char* kButtonArt = "data2/interface/StartUp/Buttons/";
constexpr const char* kSkinFile = "data2/interface/StartUp/OutSideStartBG.bmp";

// A frame of the sample's animation table resolves round its list, so short lists repeat.
constexpr SampleButton kSampleButtons[] = {
    {"Exit", 1005, {772, 280, 796, 304}, "Exit0.bmp", "Exit1.bmp", "Exit0.bmp"},
    {"Register", 5, {590, 316, 682, 348}, "Register0.tga", "Register1.tga", "Register2.tga"},
    {"OfficialNet",
     4,
     {692, 316, 784, 348},
     "OfficialNet0.tga",
     "OfficialNet1.tga",
     "OfficialNet2.tga"},
    {"ShoppingMall", 6, {590, 356, 682, 388}, "Shop0.bmp", "Shop0.bmp", "Shop0.bmp"},
    {"CheckHorse",
     3,
     {692, 356, 784, 388},
     "CheckHorse0.tga",
     "CheckHorse1.tga",
     "CheckHorse0.tga"},
    {"StanEnt", 8, {590, 402, 784, 458}, "StanEnt0.tga", "StanEnt1.tga", "StanEnt2.tga"},
    {"HiClearEnt",
     7,
     {590, 466, 784, 522},
     "HiClearEnt0.tga",
     "HiClearEnt1.tga",
     "HiClearEnt2.tga"},
};

const SampleButton& SampleButtonNamed(const char* skinName);

}  // namespace e2e
