// Stand-in for the web browser the shell opens links with: records the page it was asked to
// open. Tests register it as the handler of the links' file types in the test prefix.
#include "testbed/standin_common.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  AppendRunRecord("PageOpener.log", nullptr);
  return 0;
}
