#include "framework/dialog.h"

#include "framework/win_app.h"

CDialog::CDialog() : CDialog(0, nullptr) {}

CDialog::CDialog(UINT templateId, CWnd* parent) : m_nIDHelp(templateId), m_pParentWnd(parent) {}

CDialog::~CDialog() = default;

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM, LPARAM lParam) {
  if (message != WM_INITDIALOG) return FALSE;
  // The object travels in the creation parameter; from here on the window's messages go through
  // the framework's window procedure, which passes them back here only as default processing.
  auto* dialog = reinterpret_cast<CDialog*>(lParam);
  if (CWnd::FromHandlePermanent(hwnd) == nullptr) dialog->SubclassWindow(hwnd);
  return dialog->OnInitDialog();
}

BOOL CDialog::CreateFromTemplate(UINT templateId, HWND parent) {
  HINSTANCE instance = AfxGetInstanceHandle();
  HWND hwnd = ::CreateDialogParamA(instance, MAKEINTRESOURCEA(templateId), parent, DialogProc,
                                   reinterpret_cast<LPARAM>(this));
  return hwnd != nullptr && m_hWnd == hwnd;
}

INT_PTR CDialog::DoModal() {
  HWND parent = m_pParentWnd ? m_pParentWnd->m_hWnd : nullptr;
  const bool parentWasEnabled = parent != nullptr && ::IsWindowEnabled(parent);
  if (parentWasEnabled) ::EnableWindow(parent, FALSE);

  m_modal = true;
  m_continueModal = true;
  m_modalResult = -1;
  if (!CreateFromTemplate(m_nIDHelp, parent)) {
    m_modal = false;
    if (parentWasEnabled) ::EnableWindow(parent, TRUE);
    return -1;
  }

  MSG msg;
  while (m_continueModal) {
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == -1) break;
    if (got == 0) {
      // A quit request ends the dialog and stays in the queue for whoever pumps next.
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      break;
    }
    if (!CWnd::WalkPreTranslateTree(m_hWnd, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }

  if (m_hWnd != nullptr) {
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
  }
  if (parentWasEnabled) ::EnableWindow(parent, TRUE);
  if (parent != nullptr && ::GetActiveWindow() == m_hWnd) ::SetActiveWindow(parent);
  DestroyWindow();
  m_modal = false;
  return m_modalResult;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent) {
  m_nIDHelp = templateId;
  m_pParentWnd = parent;
  m_modal = false;
  return CreateFromTemplate(templateId, parent ? parent->m_hWnd : nullptr);
}

void CDialog::EndDialog(int result) {
  if (m_modal) {
    m_modalResult = result;
    m_continueModal = false;
    // Wakes the modal loop if the call came from outside a message.
    if (m_hWnd != nullptr) ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
  } else if (m_hWnd != nullptr) {
    ::EndDialog(m_hWnd, result);
  }
}

BOOL CDialog::OnInitDialog() {
  DoDataExchange();
  return TRUE;
}

void CDialog::DoDataExchange() {}

void CDialog::OnOK() { EndDialog(IDOK); }

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

BOOL CDialog::PreTranslateMessage(MSG* msg) {
  if (CWnd::PreTranslateMessage(msg)) return TRUE;
  // Keyboard and mouse input for the dialog and its controls goes through the dialog manager,
  // which turns Enter and Escape into IDOK and IDCANCEL commands (and dispatches the rest).
  const bool isInput = (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST) ||
                       (msg->message >= WM_MOUSEFIRST && msg->message <= WM_MOUSELAST);
  if (!isInput || m_hWnd == nullptr) return FALSE;
  return ::IsDialogMessageA(m_hWnd, msg);
}

BOOL CDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
  if (CWnd::OnCommand(wParam, lParam)) return TRUE;
  if (HIWORD(wParam) != BN_CLICKED) return FALSE;
  switch (LOWORD(wParam)) {
    case IDOK:
      OnOK();
      return TRUE;
    case IDCANCEL:
      OnCancel();
      return TRUE;
    default:
      return FALSE;
  }
}
