// Every file the launcher opens by name, relative to the current directory unless said otherwise;
// how it reads the two skins; and the texts of the error boxes it shows when a file cannot be read.
// The operator tools report these same names and texts.
//
// Named in the layers below, whose code opens them: the log file debug.log (diag/), and the Flash
// control's and the movie's paths (flash/control_paths.h, flash/movie_path.h).
#pragma once

#include "compat/platform.h"
#include "flash/control_paths.h"

constexpr const char* kAniTablePath = "ani/play.ani";
constexpr const char* kSkinPath = "data2/interface/StartUp/OutSideStartBG.bmp";
// The background of the inside window, which lies beneath the launcher and shows through the
// skin's cut-outs.
constexpr const char* kInsideSkinPath = "data2/interface/StartUp/InsideStartBG.bmp";
// The operator's own banner, shown at the Flash movie's place while there is no movie; a folder
// with both shows the BMP.
constexpr const char* kBannerBmpPath = "data2/interface/StartUp/Banner.bmp";
constexpr const char* kBannerTgaPath = "data2/interface/StartUp/Banner.tga";
constexpr const char* kLinksPath = "ini/play.dat";
constexpr const char* kVersionFile = "Version.dat";
// Button places.
constexpr const char* kLayoutFile = "ini/PlayGui.ini";
// The version label's look, read; the graphics setting, written. A game folder may spell the
// file GameSetUp.ini: the profile functions match names without regard to case, so only a file
// the launcher creates takes this spelling.
constexpr const char* kGameSettingsFile = "ini/GameSetup.ini";
// The name of the check tool.
constexpr const char* kCheckToolFile = "ini/Startgame.ini";
// The game's patcher, in the launcher's own folder (joined to it with this separator).
constexpr const char* kPatcherName = "\\RozeVazed.exe";
// Installed by the start-up Flash check when no usable Flash control is registered; the check
// itself joins kControlSourceSuffix, so this is the same name.
constexpr const char* kFlashControlFile = kControlSourceSuffix + 1;
// The downloaded Flash installer: written to the current directory, and started from there.
constexpr const char* kFlashInstallerPath = ".\\flashSetUp.exe";

// Pixels of the skin in this colour are cut out of the window; of the inside window's, white.
constexpr COLORREF kSkinKey = RGB(255, 0, 255);
constexpr COLORREF kInsideSkinKey = RGB(255, 255, 255);
// The memory canvas the skin is composed into; only this much of a larger skin is ever painted.
constexpr int kCanvasWidth = 808;
constexpr int kCanvasHeight = 581;

constexpr const char* kAniLoadFailedBox =
    "Load data file failed! Please make sure the \"ani/play.ani\" file is under the current "
    "folder!";
constexpr const char* kSkinLoadFailedBox =
    "Load image failed! Please make sure the \"data2/interface/StartUp/OutSideStartBG.bmp\" file "
    "path is correct!";
// Worded as the launcher's own skin box is.
constexpr const char* kInsideSkinLoadFailedBox =
    "Load image failed! Please make sure the \"data2/interface/StartUp/InsideStartBG.bmp\" file "
    "path is correct!";
// Formats: with kLinksPath, with kVersionFile, and with the path of a button image.
constexpr const char* kLinksOpenFailedBox = "error on open %s.";
constexpr const char* kVersionOpenFailedBox = "Error on open %s.";
constexpr const char* kButtonImageFailedBox =
    "Load image failed! Make sure the path \"%s\" image is OK! ";
