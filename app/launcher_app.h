// The application object: prepares the controls, runs the launcher dialog modally, and ends.
#pragma once
#include "framework/afxwin.h"

class LauncherApp : public CWinApp {
 public:
  LauncherApp();
  // Runs the whole launcher; always FALSE, so the framework never pumps messages of its own.
  BOOL InitInstance() override;
};
