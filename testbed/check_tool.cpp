// Stand-in for the check tool named in ini\Startgame.ini: records how it was started and shows
// a scanning window for a moment.
#include "testbed/standin_common.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  AppendRunRecord("HorseCheck.log", nullptr);
  ShowBusyWindow("HorseCheck", "木马查杀：正在扫描…  HorseCheck scanning", 1500);
  return 0;
}
