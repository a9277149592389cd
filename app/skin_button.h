// The launcher's image button: four state images from the animation table, and the click action
// of its row in kButtonSkins.
#pragma once
#include <memory>

#include "app/button_skins.h"
#include "framework/afxwin.h"

class AniTable;
class CxImage;

class SkinButton : public CButton {
 public:
  SkinButton();
  // Defined where CxImage is complete, so the images can go with the button.
  ~SkinButton() override;

  // Takes the row's skin name and click action, and the link, and loads the state images of the
  // name's section.
  bool LoadSkin(const ButtonSkin& skin, const AniTable& table, const char* link);
  // Draws `image` at the client area's top-left corner, at its own size; nothing for null.
  bool DrawImage(CxImage* image);
  void DrawItem(DRAWITEMSTRUCT* item) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  // Restores the normal image once the cursor has left the button.
  bool CheckHoverLeave();
  // The click action of the button's row.
  void OnClicked();
  // Runs the click action when the cursor is inside the button, for clicks seen by the dialog's
  // pre-translation.
  void HitTestClick();
  // The parent's composed skin, in the parent's client coordinates: what lies beneath the button.
  void SetSkinBeneath(CDC* canvas) { m_skinBeneath = canvas; }
  // Forgets a click taken by HitTestClick; the dialog calls it once the press's own click
  // notification can no longer come.
  void ClearHitTestClick() { m_clickedByHitTest = false; }

  // Message map: the reflected BN_CLICKED runs OnClicked.
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  std::unique_ptr<CxImage> m_imgPressed;   // frame 1
  std::unique_ptr<CxImage> m_imgDisabled;  // frame 3
  std::unique_ptr<CxImage> m_imgHover;     // frame 2
  std::unique_ptr<CxImage> m_imgNormal;    // frame 0
  bool m_hovering = false;
  CString m_name;
  char m_link[256] = {};
  ButtonAction m_action = ButtonAction::kNone;

 private:
  void OpenLink();
  void PutBackSkin(CDC& dc, const CRect& client);
  void SendAction(int action);
  bool CursorInside();
  // Set when HitTestClick ran the action for the press now under way, so the button's own click
  // notification of that same press does not run it a second time.
  bool m_clickedByHitTest = false;
  CDC* m_skinBeneath = nullptr;
};
