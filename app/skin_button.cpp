#include "app/skin_button.h"

#include <cstring>
#include <memory>
#include <utility>

#include "app/button_skins.h"
#include "app/launcher_action_message.h"
#include "app/open_link.h"
#include "app/settings_files.h"
#include "app/startup_files.h"
#include "data/ani_table.h"
#include "diag/diagnostics.h"
#include "image/cximage.h"

SkinButton::SkinButton() = default;

SkinButton::~SkinButton() = default;

bool SkinButton::LoadSkin(const ButtonSkin& skin, const AniTable& table, const char* link) {
  const FrameList* frames = ButtonFrames(table, skin.skinName);
  m_name = skin.skinName;
  m_action = skin.action;
  if (link != nullptr) {
    std::strncpy(m_link, link, sizeof m_link - 1);
    m_link[sizeof m_link - 1] = '\0';
  }
  if (frames == nullptr) return true;

  // The fields in the order of kButtonStates: normal, pressed, hover, disabled.
  std::unique_ptr<CxImage>* const fields[kButtonStateCount] = {&m_imgNormal, &m_imgPressed,
                                                               &m_imgHover, &m_imgDisabled};
  for (int i = 0; i < kButtonStateCount; ++i) {
    const char* path = StateImagePath(*frames, kButtonStates[i].frame);
    auto image = std::make_unique<CxImage>();
    // A state that shows the same file as an earlier one copies its picture: decoding the file
    // again takes longer, and start-up waits for every button.
    const CxImage* same = nullptr;
    for (int j = 0; j < i && same == nullptr; ++j) {
      if (*fields[j] != nullptr &&
          std::strcmp(StateImagePath(*frames, kButtonStates[j].frame), path) == 0) {
        same = fields[j]->get();
      }
    }
    if (!(same != nullptr && image->Copy(*same)) && !LoadButtonImage(*image, path)) {
      ErrorBox(kButtonImageFailedBox, path);
      image.reset();
    }
    *fields[i] = std::move(image);
  }
  return true;
}

bool SkinButton::DrawImage(CxImage* image) {
  if (image == nullptr) return true;
  CClientDC dc(this);
  CRect client;
  GetClientRect(&client);
  // A soft-edged image is blended over what the screen shows there. Over the previous state's
  // picture its edges would pile up with every hover, so the skin beneath is put back first.
  if (image->HasAlpha()) PutBackSkin(dc, client);
  image->Draw(dc, client.left, client.top, image->GetWidth(), image->GetHeight());
  return true;
}

void SkinButton::PutBackSkin(CDC& dc, const CRect& client) {
  HWND parent = ::GetParent(m_hWnd);
  if (m_skinBeneath == nullptr || m_skinBeneath->m_hDC == nullptr || parent == nullptr) return;
  CRect place;
  GetWindowRect(&place);
  ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&place), 2);
  dc.BitBlt(client.left, client.top, client.Width(), client.Height(), m_skinBeneath, place.left,
            place.top, SRCCOPY);
}

void SkinButton::DrawItem(DRAWITEMSTRUCT* item) {
  if (item->itemState & ODS_SELECTED) {
    DrawImage(m_imgPressed.get());
  } else if (item->itemState & ODS_DISABLED) {
    DrawImage(m_imgDisabled.get());
  } else {
    DrawImage(m_imgNormal.get());
  }
}

void SkinButton::OnMouseMove(UINT flags, CPoint point) {
  if (!m_hovering) {
    DrawImage(m_imgHover.get());
    m_hovering = true;
  }
  CButton::OnMouseMove(flags, point);
}

bool SkinButton::CursorInside() {
  CPoint cursor;
  ::GetCursorPos(&cursor);
  ScreenToClient(&cursor);
  CRect client;
  GetClientRect(&client);
  return ::PtInRect(&client, cursor) != FALSE;
}

bool SkinButton::CheckHoverLeave() {
  if (m_hovering && !CursorInside()) {
    m_hovering = false;
    DrawImage(m_imgNormal.get());
  }
  return true;
}

void SkinButton::HitTestClick() {
  if (!CursorInside()) return;
  m_clickedByHitTest = true;
  OnClicked();
}

BOOL SkinButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    if (m_clickedByHitTest) {
      m_clickedByHitTest = false;
    } else {
      OnClicked();
    }
    return TRUE;
  }
  return CButton::OnChildNotify(message, wParam, lParam, result);
}

void SkinButton::SendAction(int action) {
  ::SendMessageA(::GetParent(m_hWnd), WM_LAUNCHER_ACTION, static_cast<WPARAM>(action), 0);
}

void SkinButton::OpenLink() {
  if (m_link[0] == '\0') return;
  OpenLinkTarget(m_link);
}

void SkinButton::OnClicked() {
  switch (m_action) {
    case ButtonAction::kExit:
      SendAction(ACTION_EXIT);
      OpenLink();
      break;
    case ButtonAction::kCheckTool:
      SendAction(ACTION_CHECK_TOOL);
      break;
    case ButtonAction::kOpenLink:
      OpenLink();
      break;
    // The setting is in the file before the game start is asked for, so the patcher finds it.
    case ButtonAction::kStartStandard:
      WriteGraphicDetail("0");
      SendAction(ACTION_START_GAME);
      break;
    case ButtonAction::kStartHighClarity:
      WriteGraphicDetail("1");
      SendAction(ACTION_START_GAME);
      break;
    case ButtonAction::kNone:
      break;
  }
}
