// Stand-in for the game's patcher RozeVazed.exe: records its command line, its current directory
// and the graphics setting it finds in ini\GameSetup.ini there, then shows that it runs.
#include <cstdio>

#include "testbed/standin_common.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  char detail[64] = {};
  ::GetPrivateProfileStringA("GameDefinition", "GraphicDetail", "(none)", detail, sizeof detail,
                             ".\\ini\\GameSetup.ini");
  char extra[96];
  std::snprintf(extra, sizeof extra, "GraphicDetail=%s", detail);
  AppendRunRecord("RozeVazed.log", extra);
  ShowBusyWindow("RozeVazed", "补丁程序运行中…  RozeVazed patcher running", 3000);
  return 0;
}
