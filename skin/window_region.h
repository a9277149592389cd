// Cuts a window to the outline of its background bitmap.
#pragma once
#include <windows.h>

// Gives the window that owns `dc` the region of every pixel of `bitmap` whose colour differs from
// `key`, redraws it and brings it to the foreground. Always returns true.
bool ShapeWindowFromBitmap(HDC dc, HBITMAP bitmap, COLORREF key);
