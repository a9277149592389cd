// CWnd: a window handle bound to a C++ object, with virtual message handlers.
//
// Every window the framework knows is subclassed to one window procedure, which finds the object
// through a per-thread handle map and calls WindowProc -> OnWndMsg -> the handler for the
// message. A handler that wants the system's processing calls Default(), which passes the message
// being handled to the procedure the window had before it was subclassed.
#pragma once
#include <windows.h>

#include "framework/geometry.h"

class CDC;
class CFont;

class CWnd {
 public:
  CWnd();
  // Destroys a window still attached, as the framework always has.
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;
  HWND GetSafeHwnd() const { return m_hWnd; }
  operator HWND() const { return m_hWnd; }

  // Handle map.
  static CWnd* FromHandlePermanent(HWND hwnd);
  BOOL Attach(HWND hwnd);
  HWND Detach();
  // Routes the window's messages through this object from now on.
  BOOL SubclassWindow(HWND hwnd);
  // Binds the dialog item `id` of `parent` to this object (control binding).
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  virtual BOOL DestroyWindow();

  // Message processing.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Dispatches to the handlers below; false when no handler took the message.
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual BOOL PreTranslateMessage(MSG* msg);
  // A notification reflected from the parent back to this control; true when handled here.
  virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
  virtual void PostNcDestroy();
  // The default processing of the message now being handled.
  LRESULT Default();
  // Offers `msg` to PreTranslateMessage of its window and of each parent or owner, up to `stop`.
  static BOOL WalkPreTranslateTree(HWND stop, MSG* msg);

  // Handlers. The base versions run the default processing.
  virtual void OnPaint();
  virtual HCURSOR OnQueryDragIcon();
  virtual BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
  virtual void OnMouseMove(UINT flags, CPoint point);
  virtual void OnLButtonDown(UINT flags, CPoint point);
  virtual void OnRButtonDown(UINT flags, CPoint point);
  virtual void OnDestroy();
  // `ctlColor` is the request kind: 3 for a button, 6 for a static, as WM_CTLCOLOR numbers them.
  virtual HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  virtual void OnTimer(UINT_PTR id);
  virtual void OnWindowPosChanging(WINDOWPOS* pos);

  // Thin wrappers of the window calls the launcher makes.
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) {
    ::MoveWindow(m_hWnd, x, y, width, height, repaint);
  }
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int cx, int cy, UINT flags);
  void GetWindowRect(RECT* rect) const { ::GetWindowRect(m_hWnd, rect); }
  void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }
  void ScreenToClient(POINT* point) const { ::ScreenToClient(m_hWnd, point); }
  void ScreenToClient(RECT* rect) const;
  void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }
  void SetFont(CFont* font, BOOL redraw = TRUE);
  HICON SetIcon(HICON icon, BOOL big);
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(m_hWnd, message, wParam, lParam);
  }
  void UpdateWindow() { ::UpdateWindow(m_hWnd); }
  void InvalidateRect(const RECT* rect, BOOL erase = TRUE) {
    ::InvalidateRect(m_hWnd, rect, erase);
  }
  UINT_PTR SetTimer(UINT_PTR id, UINT elapse) { return ::SetTimer(m_hWnd, id, elapse, nullptr); }
  BOOL KillTimer(UINT_PTR id) { return ::KillTimer(m_hWnd, id); }

 protected:
  friend LRESULT CALLBACK AfxWndProc(HWND, UINT, WPARAM, LPARAM);
  // The window procedure before subclassing (for dialogs: the dialog manager's).
  WNDPROC m_pfnSuper = nullptr;
  // Called once the window is gone: unsubclassing, unmapping, PostNcDestroy.
  void OnNcDestroyed();
};

// The one window procedure of every framework window.
LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
