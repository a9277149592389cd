#include "app/launcher_app.h"

#include <commctrl.h>

#include "app/launcher_dialog.h"
#include "flash/flash_check.h"

// The one application object, built before the framework's entry point runs.
LauncherApp theApp;

LauncherApp::LauncherApp() : CWinApp(nullptr) {}

BOOL LauncherApp::InitInstance() {
  INITCOMMONCONTROLSEX controls;
  controls.dwSize = 8;
  controls.dwICC = ICC_WIN95_CLASSES;
  ::InitCommonControlsEx(&controls);
  CWinApp::InitInstance();
  AfxEnableControlContainer();
  {
    // Whatever the check finds or does, the launcher starts.
    FlashCheck check;
    check.CheckFlashControl();
  }
  SetRegistryKey("Local AppWizard-Generated Applications");

  LauncherDialog dialog(nullptr);
  m_pMainWnd = &dialog;
  dialog.DoModal();
  return FALSE;
}
