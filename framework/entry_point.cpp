// The program's entry point; the application object itself is a global of the program.
#include "framework/win_app.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE previous, LPSTR commandLine, int show) {
  return AfxWinMain(instance, previous, commandLine, show);
}
