// For scripts on the Linux side, which cannot see Wine's windows inside its virtual desktop:
//   window_probe TITLE [TIMEOUT_MS]
// waits until a visible top-level window titled TITLE exists and prints its screen rectangle as
// "x y width height"; exits 1 when none appeared in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: window_probe TITLE [TIMEOUT_MS]\n");
    return 2;
  }
  const DWORD timeout = argc > 2 ? std::strtoul(argv[2], nullptr, 10) : 20000;
  const DWORD start = ::GetTickCount();
  do {
    HWND window = ::FindWindowA(nullptr, argv[1]);
    if (window != nullptr && ::IsWindowVisible(window)) {
      RECT rect;
      ::GetWindowRect(window, &rect);
      std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top);
      return 0;
    }
    ::Sleep(50);
  } while (::GetTickCount() - start < timeout);
  std::fprintf(stderr, "window_probe: no window titled %s\n", argv[1]);
  return 1;
}
