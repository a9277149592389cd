// Points and rectangles with the helpers the launcher uses.
#pragma once
#include <windows.h>

class CPoint : public POINT {
 public:
  CPoint() {
    x = 0;
    y = 0;
  }
  CPoint(int initX, int initY) {
    x = initX;
    y = initY;
  }
};

class CRect : public RECT {
 public:
  CRect() { left = top = right = bottom = 0; }
  CRect(int l, int t, int r, int b) {
    left = l;
    top = t;
    right = r;
    bottom = b;
  }
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  CPoint TopLeft() const { return CPoint(left, top); }
  void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
  BOOL PtInRect(POINT point) const { return ::PtInRect(this, point); }
  bool operator==(const RECT& other) const { return ::EqualRect(this, &other) != FALSE; }
  bool operator!=(const RECT& other) const { return !(*this == other); }
  operator RECT*() { return this; }
  operator const RECT*() const { return this; }
};
