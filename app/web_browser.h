// CWebBrowser: the window that hosts the web browser control showing the inside dialog's news
// page, with its Navigate member.
#pragma once
#include "framework/afxwin.h"

class CWebBrowser : public CWnd {
 public:
  static const CLSID kClassId;  // {EAB22AC3-30C1-11CF-A7EB-0000C05BAE0B}
  // Unread, kept as documented: the wrapper is dynamically creatable (framework/runtime_class.h).
  static CRuntimeClass classCWebBrowser;
  static CWnd* CreateObject();

  CRuntimeClass* GetRuntimeClass() const override;
  ~CWebBrowser() override;
  // Creates the browser control; the class name and the context are not used.
  BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
              UINT id, void* context = nullptr) override;

  // The Navigate method (dispatch id 104): the address, then flags, target frame, post data and
  // headers, each a VARIANT passed by reference.
  void Navigate(const char* url, VARIANT* flags, VARIANT* targetFrame, VARIANT* postData,
                VARIANT* headers);
};
