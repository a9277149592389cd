// CWnd: a window handle bound to a C++ object, with virtual message handlers.
//
// Every window the framework knows is subclassed to one window procedure, which finds the object
// through a handle map and calls WindowProc -> OnWndMsg -> the handler for the message. A handler
// that wants the system's processing calls Default(), which passes the message being handled to
// the procedure the window had before it was subclassed.
//
// A window may also hold an ActiveX control (CreateControl): the control's own window is then
// this object's window, and the control is reached by dispatch id through InvokeHelper.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include "framework/geometry.h"
#include "framework/runtime_class.h"

class CDC;
class CFile;
class CFont;
class COleControlSite;

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

  // The base of the control wrappers' run-time class records (framework/runtime_class.h).
  static CRuntimeClass classCWnd;
  virtual CRuntimeClass* GetRuntimeClass() const;

  // Handle map.
  static CWnd* FromHandlePermanent(HWND hwnd);
  BOOL Attach(HWND hwnd);
  // Lets go of the window: it answers its own procedures again. When nobody subclassed it after
  // this object, the framework's procedure leaves its chain too.
  HWND Detach();
  // Routes the window's messages through this object from now on, in front of the procedures the
  // window had.
  BOOL SubclassWindow(HWND hwnd);
  // Binds the dialog item `id` of `parent` to this object (control binding).
  BOOL SubclassDlgItem(UINT id, CWnd* parent);
  // Creates a window of the registered class `className` and subclasses it; `context` is unused.
  virtual BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect,
                      CWnd* parent, UINT id, void* context = nullptr);
  // For a hosted control, closes and releases the control, whose window goes with it.
  virtual BOOL DestroyWindow();

  // ActiveX hosting (needs AfxEnableControlContainer). Creates the control `clsid`, activates it
  // in place in `parent` at `rect` (parent's client coordinates) as child `id`, and makes its
  // window this object's. Neither persistence nor licence keys are supported: both stay null.
  BOOL CreateControl(REFCLSID clsid, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                     UINT id, CFile* persist = nullptr, BOOL storage = FALSE,
                     BSTR licenceKey = nullptr);
  // Calls the hosted control's member `dispid` through its dispatch interface. `paramInfo` is a
  // zero-ended list of argument type codes (kVtsNarrowString, kVtsVariantPointer), followed by
  // the arguments; `returnType` must be VT_EMPTY. Without a control nothing is called.
  HRESULT InvokeHelper(DISPID dispid, WORD kind, VARTYPE returnType, void* result,
                       const BYTE* paramInfo, ...);
  // The control site, or null when this window holds no control.
  COleControlSite* m_pCtrlSite = nullptr;

  // Message processing.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Dispatches to the handlers below; false when no handler took the message.
  virtual BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // The base version offers keyboard messages to a hosted control, as its accelerators.
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
  virtual void OnClose();
  // `ctlColor` is the request kind: 3 for a button, 6 for a static, as WM_CTLCOLOR numbers them.
  virtual HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor);
  virtual void OnTimer(UINT_PTR id);
  virtual void OnWindowPosChanging(WINDOWPOS* pos);
  virtual void OnWindowPosChanged(WINDOWPOS* pos);

  // Thin wrappers of the window calls the launcher makes.
  int GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
  BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
  BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
  // A hosted control is told its new place through OLE, as controls expect.
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
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
  // Called once the window is gone: unmapping, unsubclassing, PostNcDestroy.
  void OnNcDestroyed();
};

// Argument type codes of InvokeHelper: a narrow (ANSI code page) string, passed to the control as
// a wide string, and a pointer to a VARIANT, passed by reference.
constexpr BYTE kVtsNarrowString = 0x0E;
constexpr BYTE kVtsVariantPointer = 0x4C;

// The one window procedure of every framework window.
LRESULT CALLBACK AfxWndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
