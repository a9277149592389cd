#include "app/launcher_app.h"

#include <commctrl.h>

#include "app/launcher_dialog.h"
#include "diag/startup_trace.h"
#include "flash/flash_check.h"

// The one application object, built before the framework's entry point runs.
LauncherApp theApp;

LauncherApp::LauncherApp() : CWinApp(nullptr) {}

BOOL LauncherApp::InitInstance() {
  StartupTrace("InitInstance");
  // Players start the launcher from anywhere: a DLL planted in the current directory must never be
  // loaded in place of a system one. Files the launcher loads itself are named by full path.
  ::SetDllDirectoryA("");
  INITCOMMONCONTROLSEX controls;
  controls.dwSize = 8;
  controls.dwICC = ICC_WIN95_CLASSES;
  ::InitCommonControlsEx(&controls);
  CWinApp::InitInstance();
  AfxEnableControlContainer();
  StartupTrace("common controls, control container");
  // Whatever the check finds or does, the launcher starts; what it found decides whether the
  // dialog offers the Flash update.
  const int flashCheckResult = FlashCheck().CheckFlashControl();
  StartupTrace("Flash check");
  SetRegistryKey("Local AppWizard-Generated Applications");

  LauncherDialog dialog(nullptr, flashCheckResult);
  m_pMainWnd = &dialog;
  dialog.DoModal();
  return FALSE;
}
