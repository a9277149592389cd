// CShockwaveFlash: the window that hosts the Flash Player control, with the two members the
// launcher calls. A right click never reaches the control, so its context menu never opens.
#pragma once
#include "framework/afxwin.h"

class CShockwaveFlash : public CWnd {
 public:
  static const CLSID kClassId;  // {D27CDB6E-AE6D-11CF-96B8-444553540000}
  // Unread, kept as documented: the wrapper is dynamically creatable (framework/runtime_class.h).
  static CRuntimeClass classCShockwaveFlash;
  static CWnd* CreateObject();

  CRuntimeClass* GetRuntimeClass() const override;
  ~CShockwaveFlash() override;
  // Creates the Flash control; the class name and the context are not used. Nothing calls it
  // (CreateFlashMovie creates the control itself); kept as the override the documents list.
  BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
              UINT id, void* context = nullptr) override;
  // Keeps right-button presses, releases and double-clicks from being dispatched.
  BOOL PreTranslateMessage(MSG* msg) override;
  // A right-button press that arrives without the message loop is dropped here.
  void OnRButtonDown(UINT flags, CPoint point) override;

  // The Movie property (dispatch id 102). False when the control is missing or refuses it.
  bool SetMovie(const char* path);
  // The Play method (dispatch id 112). False when the control is missing or refuses it.
  bool PlayMovie();
};
