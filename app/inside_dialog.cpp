#include "app/inside_dialog.h"

#include "app/launcher_cursor.h"
#include "app/res/resource.h"
#include "app/startup_files.h"
#include "app/window_skin.h"
#include "diag/diagnostics.h"

namespace {

constexpr int kBrowserOffsetX = 40;
constexpr int kBrowserOffsetY = 270;
constexpr UINT kBrowserId = 100;

}  // namespace

CDialogInSide::CDialogInSide(CWnd* parent) : CDialog(IDD_INSIDE, parent) {}

CDialogInSide::~CDialogInSide() = default;

void CDialogInSide::SetPage(const char* page) { m_page = page; }

BOOL CDialogInSide::OnInitDialog() {
  CDialog::OnInitDialog();
  m_background = LoadWindowSkin(*this, kInsideSkinPath, kInsideSkinKey);
  if (m_background == nullptr) ErrorBox("%s", kInsideSkinLoadFailedBox);

  // The browser's rectangle: this window's, in the parent's client coordinates, moved by the
  // offset; it keeps the window's size.
  CRect browser;
  GetWindowRect(&browser);
  ::ScreenToClient(::GetParent(m_hWnd), reinterpret_cast<POINT*>(&browser.left));
  ::ScreenToClient(::GetParent(m_hWnd), reinterpret_cast<POINT*>(&browser.right));
  browser.OffsetRect(kBrowserOffsetX, kBrowserOffsetY);
  if (!m_browser.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, browser, this, kBrowserId)) {
    return FALSE;
  }
  if (!m_page.IsEmpty()) {
    VARIANT empty;
    ::VariantInit(&empty);
    m_browser.Navigate(m_page, &empty, &empty, &empty, &empty);
    ::VariantClear(&empty);
  }
  return TRUE;
}

void CDialogInSide::OnPaint() {
  CPaintDC dc(this);
  if (m_background == nullptr) return;
  BITMAP info{};
  ::GetObjectA(m_background, sizeof info, &info);
  CDC memory;
  memory.CreateCompatibleDC(&dc);
  HGDIOBJ previous = memory.SelectObject(m_background);
  dc.BitBlt(0, 0, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
  if (previous != nullptr) memory.SelectObject(previous);
}

void CDialogInSide::OnDestroy() {
  CDialog::OnDestroy();
  m_background = nullptr;
}

BOOL CDialogInSide::OnSetCursor(CWnd*, UINT, UINT) { return SetLauncherCursor(); }

BOOL CDialogInSide::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_ESCAPE) {
    ::SendMessageA(::GetParent(m_hWnd), WM_CLOSE, 0, 0);
    return FALSE;
  }
  return CDialog::PreTranslateMessage(msg);
}

LRESULT CDialogInSide::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && (wParam == IDOK || wParam == IDCANCEL)) return 0;
  return CDialog::WindowProc(message, wParam, lParam);
}
