#include "framework/win_app.h"

#include "framework/ole_control_site.h"
#include "framework/wnd.h"

namespace {
CWinApp* g_app = nullptr;
bool g_controlContainer = false;
}  // namespace

CWinApp::CWinApp(const char* appName) : m_pszAppName(appName) { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

int CWinApp::Run() {
  MSG msg;
  for (;;) {
    const BOOL got = ::GetMessageA(&msg, nullptr, 0, 0);
    if (got == 0 || got == -1) break;
    HWND main = m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr;
    if (!CWnd::WalkPreTranslateTree(main, &msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
  return ExitInstance();
}

void CWinApp::SetRegistryKey(const char* key) { m_pszRegistryKey = key; }

CWinApp* AfxGetApp() { return g_app; }

HINSTANCE AfxGetInstanceHandle() {
  return g_app && g_app->m_hInstance ? g_app->m_hInstance : ::GetModuleHandleA(nullptr);
}

// Without it, CWnd::CreateControl refuses: windows host no ActiveX controls.
void AfxEnableControlContainer() { g_controlContainer = true; }

bool AfxControlContainerEnabled() { return g_controlContainer; }

int AfxWinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  CWinApp* app = AfxGetApp();
  if (app == nullptr) return -1;
  app->m_hInstance = instance;
  const int exitCode = app->InitInstance() ? app->Run() : app->ExitInstance();
  AfxOleTermThread();
  return exitCode;
}
