// Reads a whole game folder as the launcher reads it, with the launcher's own code, and reports
// every error box it would show, every line it would log and what would silently go wrong.
#pragma once

#include <string>

#include "tools/gamecheck/game_layout.h"
#include "tools/gamecheck/game_report.h"

// Checks the game folder `folder`. False, with the reason in `error`, when the folder cannot be
// read at all. The current directory is the same afterwards.
// Where everything lies goes to `layout` when it is given.
bool CheckGameFolder(const std::string& folder, GameReport& report, std::string& error,
                     GameLayout* layout = nullptr);
