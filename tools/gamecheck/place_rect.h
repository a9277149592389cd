// A rectangle on the skin, in the launcher's client coordinates.
#pragma once

struct PlaceRect {
  int left;
  int top;
  int right;   // exclusive
  int bottom;  // exclusive
  long long Area() const {
    return right > left && bottom > top ? static_cast<long long>(right - left) * (bottom - top) : 0;
  }
};
