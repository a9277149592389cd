// The application object and the program's entry point.
#pragma once
#include <windows.h>

class CWnd;

class CWinApp {
 public:
  // Registers the one application object; built during static initialisation.
  explicit CWinApp(const char* appName = nullptr);
  virtual ~CWinApp();
  CWinApp(const CWinApp&) = delete;
  CWinApp& operator=(const CWinApp&) = delete;

  // Called once after start-up. TRUE runs the application's message pump, FALSE ends at once.
  virtual BOOL InitInstance();
  // The process exit code when the application ends.
  virtual int ExitInstance();
  // The message pump, used only when InitInstance returns TRUE.
  virtual int Run();
  // Remembers the registry key under which settings would be kept.
  void SetRegistryKey(const char* key);

  CWnd* m_pMainWnd = nullptr;
  HINSTANCE m_hInstance = nullptr;
  const char* m_pszAppName = nullptr;
  const char* m_pszRegistryKey = nullptr;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
// Lets dialogs host ActiveX controls.
void AfxEnableControlContainer();
bool AfxControlContainerEnabled();
// Drives the application object: InitInstance, then Run or ExitInstance.
int AfxWinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show);
