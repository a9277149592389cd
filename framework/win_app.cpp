#include "framework/win_app.h"

#include "framework/ole_control_site.h"

namespace {
CWinApp* g_app = nullptr;
bool g_controlContainer = false;
}  // namespace

CWinApp::CWinApp(const char*) { g_app = this; }

CWinApp::~CWinApp() {
  if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return 0; }

void CWinApp::SetRegistryKey(const char*) {}

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
  app->InitInstance();
  const int exitCode = app->ExitInstance();
  AfxOleTermThread();
  return exitCode;
}
