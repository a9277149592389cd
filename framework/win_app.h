// The application object and the program's entry point.
#pragma once
#include <windows.h>

class CWnd;

class CWinApp {
 public:
  // Registers the one application object; built during static initialisation. The name is not
  // kept: nothing reads it.
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Called once after start-up; ExitInstance follows whatever it returns. The framework has no
  // message pump of its own: a dialog-based program runs its dialog modally in here.
  virtual BOOL InitInstance();
  // The process exit code when the application ends.
  virtual int ExitInstance();
  // Does nothing: the launcher keeps no setting in the registry. Kept for the documented start-up.
  void SetRegistryKey(const char* key);

  CWnd* m_pMainWnd = nullptr;
  HINSTANCE m_hInstance = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// Lets dialogs host ActiveX controls.
void AfxEnableControlContainer();
bool AfxControlContainerEnabled();
// Drives the application object: InitInstance, then ExitInstance.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);
