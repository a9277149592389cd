// CDialogInSide: the launcher's second window, a borderless pop-up cut to the outline of its own
// background (white is cut away) that sits under the launcher's cut-out panel and shows the news
// page in a web browser control. It has no controls of its own and never closes itself. A click
// on it gets the default processing only (no handler of its own): it neither drags it nor acts.
#pragma once
#include "app/web_browser.h"
#include "framework/afxwin.h"

class CDialogInSide : public CDialog {
 public:
  explicit CDialogInSide(CWnd* parent = nullptr);
  ~CDialogInSide() override;

  // The address of the page to show; must be given before the window is created.
  void SetPage(const char* page);

  // Loads and applies the background, creates the browser and navigates it to the page. FALSE
  // when the browser control cannot be created (no page is shown then).
  BOOL OnInitDialog() override;
  void OnPaint() override;
  void OnDestroy() override;
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
  // Escape closes the launcher (the key still goes on to be dispatched).
  BOOL PreTranslateMessage(MSG* msg) override;
  // Enter and Escape never end this dialog: IDOK and IDCANCEL commands are swallowed.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  HBITMAP m_background = nullptr;  // not owned: the loaded bitmap lives until the process ends
  CString m_page;
  CWebBrowser m_browser;
};
