// Line cleaning of the link-definitions parser.
#pragma once

// Strips the line end in place, so keys and values never carry it, and returns the length left;
// 0 tells the parser to skip the line (blank, or a ";" or "//" comment). Lines from files with
// Windows line ends lose both bytes; see the definition for one odd case that is kept.
int CleanLine(char* line);
