// A skin's BMP file as a bitmap to draw and to cut a window's shape from.
#pragma once
#include <windows.h>

// The file at `path` (relative to the current directory) as a DIB section, read once. Only the
// formats a section holds exactly: 4, 8, 16, 24 or 32 bits per pixel, uncompressed (or 16 and 32
// bits with colour masks), rows from the bottom, with a Windows header; 24-bit rows are widened to
// 32 bits, the others kept as they are. Null for anything else, and when the file cannot be read
// or its rows are not all there.
HBITMAP LoadBitmapSection(const char* path);

// The file at `path` as a bitmap: a DIB section where LoadBitmapSection takes it; otherwise the
// system's loader turns it into a bitmap of the screen's format, which draws the same pixels.
// Null when neither can load it. The caller owns the bitmap.
HBITMAP LoadBitmapFile(const char* path);
