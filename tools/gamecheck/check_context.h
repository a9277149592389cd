// The state one check of a game folder leaves for the later ones. The checks run in the order in
// which the launcher reads the files, so the report lists problems in the order a player would
// meet them; each takes the current directory to be the game folder.
#pragma once

#include <optional>
#include <string>

#include "data/ani_table.h"
#include "data/link_table.h"
#include "tools/gamecheck/game_layout.h"
#include "tools/gamecheck/game_report.h"
#include "tools/gamecheck/skin_shape.h"

struct GameCheck {
  explicit GameCheck(GameReport& out) : report(out) {}

  GameReport& report;
  AniTable ani;
  LinkTable links;
  std::optional<SkinShape> skin;  // the launcher's skin, when it loads
  std::string versionText;        // what the label shows after its prefix
  GameLayout layout;              // where everything is, for the picture
};

// In the launcher's order: the Flash check at start-up, then the dialog's initialisation, then
// the files the buttons read when they are clicked.
void CheckFlashControl(GameCheck& check);
void CheckAniTable(GameCheck& check);
void CheckSkin(GameCheck& check);
void CheckLinks(GameCheck& check);
void CheckButtonImages(GameCheck& check);
void CheckLayout(GameCheck& check);
void CheckBanner(GameCheck& check);
void CheckInsideSkin(GameCheck& check);
void CheckVersionFile(GameCheck& check);
void CheckVersionLabel(GameCheck& check);
void CheckCheckTool(GameCheck& check);
void CheckPatcher(GameCheck& check);
