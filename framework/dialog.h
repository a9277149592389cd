// CDialog: dialogs from resource templates, run modally with the framework's own message loop
// (so every message passes PreTranslateMessage) or created modeless.
#pragma once
#include <windows.h>

#include "framework/wnd.h"

class CDialog : public CWnd {
 public:
  // Without a template: for dialogs created later with Create.
  CDialog();
  CDialog(UINT templateId, CWnd* parent = nullptr);
  ~CDialog() override;

  // Creates the dialog, runs its modal loop until EndDialog, destroys it; returns the result
  // given to EndDialog, or -1 when the dialog could not be created.
  virtual INT_PTR DoModal();
  // Creates the dialog modeless, with `parent` as its parent (or owner for a pop-up).
  BOOL Create(UINT templateId, CWnd* parent = nullptr);
  void EndDialog(int result);

  virtual BOOL OnInitDialog();
  // Binds the dialog's controls to their member objects; run by OnInitDialog.
  virtual void DoDataExchange();
  virtual void OnOK();
  virtual void OnCancel();

  BOOL PreTranslateMessage(MSG* msg) override;
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

  UINT m_nIDHelp;
  CWnd* m_pParentWnd;

 protected:
  // The dialog manager's procedure, seen by the dialog only until it is subclassed.
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  BOOL CreateFromTemplate(UINT templateId, HWND parent);

  bool m_modal = false;
  bool m_continueModal = false;
  int m_modalResult = -1;
};
