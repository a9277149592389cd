#include "framework/wnd.h"

#include <unordered_map>

#include "framework/gdi.h"
#include "framework/win_app.h"

namespace {

// Windows are bound to objects per thread, like the windows themselves.
std::unordered_map<HWND, CWnd*>& HandleMap() {
  thread_local std::unordered_map<HWND, CWnd*> map;
  return map;
}

// Mouse coordinates are signed 16-bit values (negative on multiple monitors).
CPoint PointFromLParam(LPARAM lParam) {
  return CPoint(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
}

// The message a handler is running for, so Default() can pass it on.
struct CurrentMessage {
  HWND hwnd;
  UINT message;
  WPARAM wParam;
  LPARAM lParam;
};
thread_local CurrentMessage g_current{nullptr, 0, 0, 0};

// A stand-in object for a handle that has no permanent one, valid during one handler call.
class TemporaryWnd : public CWnd {
 public:
  explicit TemporaryWnd(HWND hwnd) { m_hWnd = hwnd; }
  ~TemporaryWnd() override { m_hWnd = nullptr; }
};

}  // namespace

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
  if (m_hWnd != nullptr) Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
  auto found = HandleMap().find(hwnd);
  return found == HandleMap().end() ? nullptr : found->second;
}

BOOL CWnd::Attach(HWND hwnd) {
  if (hwnd == nullptr || m_hWnd != nullptr) return FALSE;
  m_hWnd = hwnd;
  HandleMap()[hwnd] = this;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hwnd = m_hWnd;
  if (hwnd != nullptr) {
    auto found = HandleMap().find(hwnd);
    if (found != HandleMap().end() && found->second == this) HandleMap().erase(found);
  }
  m_hWnd = nullptr;
  return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!Attach(hwnd)) return FALSE;
  m_pfnSuper = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
  return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND item = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
  return item != nullptr && SubclassWindow(item);
}

BOOL CWnd::DestroyWindow() {
  if (m_hWnd == nullptr) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = 0;
  if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
  return result;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  *result = 0;
  switch (message) {
    case WM_COMMAND:
      return OnCommand(wParam, lParam);
    case WM_DRAWITEM: {
      // Owner draw is reflected to the control that asked for it.
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      CWnd* child = item && item->CtlType != ODT_MENU ? FromHandlePermanent(item->hwndItem)
                                                      : nullptr;
      if (child != nullptr && child->OnChildNotify(message, wParam, lParam, result)) {
        *result = TRUE;
        return TRUE;
      }
      return FALSE;
    }
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case WM_QUERYDRAGICON:
      *result = reinterpret_cast<LRESULT>(OnQueryDragIcon());
      return TRUE;
    case WM_SETCURSOR: {
      HWND target = reinterpret_cast<HWND>(wParam);
      CWnd* wnd = FromHandlePermanent(target);
      TemporaryWnd temporary(wnd ? nullptr : target);
      *result = OnSetCursor(wnd ? wnd : &temporary, LOWORD(lParam), HIWORD(lParam));
      return TRUE;
    }
    case WM_MOUSEMOVE:
      OnMouseMove(static_cast<UINT>(wParam), PointFromLParam(lParam));
      return TRUE;
    case WM_LBUTTONDOWN:
      OnLButtonDown(static_cast<UINT>(wParam),
                    PointFromLParam(lParam));
      return TRUE;
    case WM_RBUTTONDOWN:
      OnRButtonDown(static_cast<UINT>(wParam),
                    PointFromLParam(lParam));
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return TRUE;
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: {
      CDC dc;
      dc.m_hDC = reinterpret_cast<HDC>(wParam);
      HWND control = reinterpret_cast<HWND>(lParam);
      CWnd* wnd = FromHandlePermanent(control);
      TemporaryWnd temporary(wnd ? nullptr : control);
      *result = reinterpret_cast<LRESULT>(
          OnCtlColor(&dc, wnd ? wnd : &temporary, message - WM_CTLCOLORMSGBOX));
      dc.Detach();
      return TRUE;
    }
    case WM_TIMER:
      OnTimer(static_cast<UINT_PTR>(wParam));
      return TRUE;
    case WM_WINDOWPOSCHANGING:
      OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(lParam));
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper != nullptr) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
  // A control's notification goes back to the control first; it may handle it itself.
  HWND control = reinterpret_cast<HWND>(lParam);
  if (control == nullptr) return FALSE;
  CWnd* child = FromHandlePermanent(control);
  LRESULT ignored = 0;
  return child != nullptr && child->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored);
}

void CWnd::PostNcDestroy() {}

LRESULT CWnd::Default() {
  return DefWindowProc(g_current.message, g_current.wParam, g_current.lParam);
}

BOOL CWnd::WalkPreTranslateTree(HWND stop, MSG* msg) {
  for (HWND hwnd = msg->hwnd; hwnd != nullptr; hwnd = ::GetParent(hwnd)) {
    CWnd* wnd = FromHandlePermanent(hwnd);
    if (wnd != nullptr && wnd->PreTranslateMessage(msg)) return TRUE;
    if (hwnd == stop) break;
  }
  return FALSE;
}

void CWnd::OnPaint() { Default(); }
HCURSOR CWnd::OnQueryDragIcon() { return reinterpret_cast<HCURSOR>(Default()); }
BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT) { return static_cast<BOOL>(Default()); }
void CWnd::OnMouseMove(UINT, CPoint) { Default(); }
void CWnd::OnLButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnRButtonDown(UINT, CPoint) { Default(); }
void CWnd::OnDestroy() { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags) {
  return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

void CWnd::ScreenToClient(RECT* rect) const {
  ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect->left));
  ::ScreenToClient(m_hWnd, reinterpret_cast<POINT*>(&rect->right));
}

void CWnd::SetFont(CFont* font, BOOL redraw) {
  SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font ? font->m_hObject : nullptr),
              MAKELPARAM(redraw, 0));
}

HICON CWnd::SetIcon(HICON icon, BOOL big) {
  return reinterpret_cast<HICON>(
      SendMessage(WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon)));
}

void CWnd::OnNcDestroyed() {
  if (m_pfnSuper != nullptr) {
    ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
  }
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
  Detach();
  PostNcDestroy();
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
  if (wnd == nullptr) return ::DefWindowProcA(hwnd, message, wParam, lParam);

  const CurrentMessage saved = g_current;
  g_current = {hwnd, message, wParam, lParam};
  const LRESULT result = wnd->WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) wnd->OnNcDestroyed();
  g_current = saved;
  return result;
}
