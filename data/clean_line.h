// Line cleaning of the link-definitions parser.
#pragma once

// Cuts the line end off `line` in place and returns the length left; returns 0 for a line that is
// to be skipped (empty, a comment starting with ";" or "//", or one starting with a line end).
// The carriage-return test looks at the second-last byte of the line as read, so "text CR x" is
// cut at the CR and a last line ending in a lone CR keeps it.
int CleanLine(char* line);
