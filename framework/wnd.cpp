#include "framework/wnd.h"

#include <cstdarg>
#include <mutex>
#include <unordered_map>

#include "framework/gdi.h"
#include "framework/ole_control_site.h"
#include "framework/win_app.h"

namespace {

// Windows bound to objects, and for every window whose chain of procedures holds AfxWndProc the
// procedure it passes messages on to. AfxWndProc is in a window's chain at most once; it stays
// there as a pass-through while someone who subclassed the window after us still calls it.
// Handles are unique in the process, so one table serves every thread. (Thread-local tables
// would need destructors, which this runtime runs wrongly at exit once two threads used them.)
struct WindowTables {
  std::mutex lock;
  std::unordered_map<HWND, CWnd*> objects;
  std::unordered_map<HWND, WNDPROC> superProcs;
};

WindowTables& Tables() {
  static WindowTables tables;
  return tables;
}

CWnd* ObjectOf(HWND hwnd) {
  std::lock_guard<std::mutex> guard(Tables().lock);
  auto found = Tables().objects.find(hwnd);
  return found == Tables().objects.end() ? nullptr : found->second;
}

// Removes the binding of `hwnd` if it is to `wnd`; true when it was.
bool Unbind(HWND hwnd, const CWnd* wnd) {
  std::lock_guard<std::mutex> guard(Tables().lock);
  auto found = Tables().objects.find(hwnd);
  if (found == Tables().objects.end() || found->second != wnd) return false;
  Tables().objects.erase(found);
  return true;
}

bool InChain(HWND hwnd) {
  std::lock_guard<std::mutex> guard(Tables().lock);
  return Tables().superProcs.count(hwnd) != 0;
}

LRESULT CallSuper(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  WNDPROC super = nullptr;
  {
    std::lock_guard<std::mutex> guard(Tables().lock);
    auto found = Tables().superProcs.find(hwnd);
    if (found != Tables().superProcs.end()) super = found->second;
  }
  if (super == nullptr) return ::DefWindowProcA(hwnd, message, wParam, lParam);
  return ::CallWindowProcA(super, hwnd, message, wParam, lParam);
}

// Takes AfxWndProc out of the window's chain when it is still on top; below someone else's
// procedure it must stay, or that procedure would pass messages to nobody.
void Unhook(HWND hwnd) {
  std::lock_guard<std::mutex> guard(Tables().lock);
  auto found = Tables().superProcs.find(hwnd);
  if (found == Tables().superProcs.end()) return;
  if (::GetWindowLongPtrA(hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(AfxWndProc)) {
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(found->second));
    Tables().superProcs.erase(found);
  }
}

void ForgetChain(HWND hwnd) {
  Unhook(hwnd);
  std::lock_guard<std::mutex> guard(Tables().lock);
  Tables().superProcs.erase(hwnd);
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

CRuntimeClass CWnd::classCWnd = {"CWnd", sizeof(CWnd), 0xFFFF, nullptr, nullptr};

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (m_pCtrlSite != nullptr || (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this)) {
    DestroyWindow();
  }
  if (m_hWnd != nullptr) Detach();
}

CRuntimeClass* CWnd::GetRuntimeClass() const { return &classCWnd; }

CWnd* CWnd::FromHandlePermanent(HWND hwnd) { return ObjectOf(hwnd); }

BOOL CWnd::Attach(HWND hwnd) {
  if (hwnd == nullptr || m_hWnd != nullptr) return FALSE;
  m_hWnd = hwnd;
  std::lock_guard<std::mutex> guard(Tables().lock);
  Tables().objects[hwnd] = this;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND hwnd = m_hWnd;
  if (hwnd != nullptr && Unbind(hwnd, this)) Unhook(hwnd);
  m_hWnd = nullptr;
  return hwnd;
}

BOOL CWnd::SubclassWindow(HWND hwnd) {
  if (!Attach(hwnd)) return FALSE;
  // A window whose chain still holds AfxWndProc only needs the object bound again.
  if (!InChain(hwnd)) {
    const auto previous = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    std::lock_guard<std::mutex> guard(Tables().lock);
    Tables().superProcs[hwnd] = previous;
  }
  return TRUE;
}

BOOL CWnd::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                  UINT id, void*) {
  if (m_hWnd != nullptr) return FALSE;
  HWND hwnd = ::CreateWindowExA(
      0, className, windowName, style, rect.left, rect.top, rect.right - rect.left,
      rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
      reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), AfxGetInstanceHandle(), nullptr);
  if (hwnd == nullptr) return FALSE;
  if (SubclassWindow(hwnd)) return TRUE;
  ::DestroyWindow(hwnd);
  return FALSE;
}

BOOL CWnd::SubclassDlgItem(UINT id, CWnd* parent) {
  HWND item = ::GetDlgItem(parent->m_hWnd, static_cast<int>(id));
  return item != nullptr && SubclassWindow(item);
}

BOOL CWnd::DestroyWindow() {
  if (m_pCtrlSite != nullptr) {
    const bool hadWindow = m_hWnd != nullptr;
    m_pCtrlSite->DestroyControl();
    return hadWindow;
  }
  if (m_hWnd == nullptr) return FALSE;
  return ::DestroyWindow(m_hWnd);
}

BOOL CWnd::CreateControl(REFCLSID clsid, LPCSTR windowName, DWORD style, const RECT& rect,
                         CWnd* parent, UINT id, CFile* persist, BOOL storage, BSTR licenceKey) {
  if (m_hWnd != nullptr || m_pCtrlSite != nullptr || parent == nullptr) return FALSE;
  if (!AfxControlContainerEnabled() || persist != nullptr || storage || licenceKey != nullptr) {
    return FALSE;
  }
  m_pCtrlSite =
      COleControlSite::CreateControl(this, clsid, windowName, style, rect, parent->m_hWnd, id);
  return m_pCtrlSite != nullptr;
}

HRESULT CWnd::InvokeHelper(DISPID dispid, WORD kind, VARTYPE returnType, void* result,
                           const BYTE* paramInfo, ...) {
  if (m_pCtrlSite == nullptr) return E_UNEXPECTED;
  va_list arguments;
  va_start(arguments, paramInfo);
  const HRESULT hr =
      m_pCtrlSite->InvokeHelperV(dispid, kind, returnType, result, paramInfo, arguments);
  va_end(arguments);
  return hr;
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) {
  if (m_pCtrlSite != nullptr) {
    m_pCtrlSite->MoveWindow(CRect(x, y, x + width, y + height), repaint);
    return;
  }
  ::MoveWindow(m_hWnd, x, y, width, height, repaint);
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
      CWnd* child =
          item && item->CtlType != ODT_MENU ? FromHandlePermanent(item->hwndItem) : nullptr;
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
      OnLButtonDown(static_cast<UINT>(wParam), PointFromLParam(lParam));
      return TRUE;
    case WM_RBUTTONDOWN:
      OnRButtonDown(static_cast<UINT>(wParam), PointFromLParam(lParam));
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return TRUE;
    case WM_CLOSE:
      OnClose();
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
    case WM_WINDOWPOSCHANGED:
      OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(lParam));
      return TRUE;
    default:
      return FALSE;
  }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  return CallSuper(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PreTranslateMessage(MSG* msg) {
  // An in-place active control sees the keys meant for it before the dialog manager does.
  if (m_pCtrlSite != nullptr && msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) {
    return m_pCtrlSite->TranslateAccelerator(msg);
  }
  return FALSE;
}

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
void CWnd::OnClose() { Default(); }
HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT) { return reinterpret_cast<HBRUSH>(Default()); }
void CWnd::OnTimer(UINT_PTR) { Default(); }
void CWnd::OnWindowPosChanging(WINDOWPOS*) { Default(); }
void CWnd::OnWindowPosChanged(WINDOWPOS*) { Default(); }

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
  CWinApp* app = AfxGetApp();
  if (app != nullptr && app->m_pMainWnd == this) app->m_pMainWnd = nullptr;
  Detach();
  PostNcDestroy();
}

LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wnd = CWnd::FromHandlePermanent(hwnd);
  LRESULT result;
  if (wnd == nullptr) {
    // Left in the chain by an object that let go of the window: pass the message on.
    result = CallSuper(hwnd, message, wParam, lParam);
  } else {
    const CurrentMessage saved = g_current;
    g_current = {hwnd, message, wParam, lParam};
    result = wnd->WindowProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) wnd->OnNcDestroyed();
    g_current = saved;
  }
  // Controls hosted in a window go before their container: the system would only destroy their
  // windows and leave the controls themselves running.
  if (message == WM_DESTROY) COleControlSite::DestroyControlsIn(hwnd);
  // A handle can be reused by a new window: nothing of this one may stay behind.
  if (message == WM_NCDESTROY) ForgetChain(hwnd);
  return result;
}
