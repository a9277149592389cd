// The two forms of gamecheck's report.
#pragma once

#include <cstdio>
#include <string>

#include "tools/gamecheck/game_report.h"

// What the launcher does about a problem: the box it shows, the line it logs, or nothing.
std::string LauncherResponse(const Problem& problem);

// Problems first, one line each, then one summary line per file and a count, for a console
// (ConsoleText).
void WriteTextReport(const GameReport& report, std::FILE* out);

// One JSON array with one object per problem (file, severity, message, launcher, box, log), in
// UTF-8.
void WriteJsonReport(const GameReport& report, std::FILE* out);
