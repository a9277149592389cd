#include "framework/controls.h"

void CButton::DrawItem(DRAWITEMSTRUCT*) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_DRAWITEM) {
    DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
    return TRUE;
  }
  return CWnd::OnChildNotify(message, wParam, lParam, result);
}
