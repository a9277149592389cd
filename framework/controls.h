// The two control classes the launcher binds to its dialog items.
#pragma once
#include <windows.h>

#include "framework/wnd.h"

class CButton : public CWnd {
 public:
  // Owner draw, reflected from the parent; buttons of style BS_OWNERDRAW must override it.
  virtual void DrawItem(DRAWITEMSTRUCT* item);
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
};

class CStatic : public CWnd {};
