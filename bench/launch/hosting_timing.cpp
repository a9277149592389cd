// What hosting the launcher's two ActiveX controls costs, inside one process: creating the Flash
// movie (control, movie, play) and the browser (control, navigation to a page) in an 808 x 581
// pop-up, each shown once painted, against creating and painting a plain child window of the
// same size in the same run. The first of each is a cold start (the control's DLL, OLE, window
// classes), as in the launcher, which creates each control once; the rest are warm.
//   hosting_timing PAGE [RUNS]
// Run it in the test bed (which registers the stand-in browser), from a copy of a game folder:
// the movie and PAGE are read there, and the stand-ins append their logs there. It first runs the
// launcher's Flash check, as the launcher does before its window, which installs the folder's
// flash.ocx when no control is registered; that check is timed once too.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/web_browser.h"
#include "bench/launch/clock.h"
#include "flash/flash_check.h"
#include "flash/shockwave_flash.h"
#include "framework/afxwin.h"

namespace {

// Milliseconds for `make` to create a child of `container` and for it to paint; `make` returns
// the child's window handle, which is then destroyed with `destroy`.
double Time(const std::function<HWND()>& make, const std::function<void()>& destroy) {
  const double start = Now();
  HWND child = make();
  if (child != nullptr) ::UpdateWindow(child);
  ::GdiFlush();
  const double elapsed = Now() - start;
  destroy();
  return child != nullptr ? elapsed : -1;
}

void Report(const char* what, const std::vector<double>& values, double reference) {
  const std::vector<double> warm(values.begin() + 1, values.end());
  std::printf("%-30s cold %7.2f ms, warm median %6.2f ms (%5.1f x plain child)\n", what,
              values.front(), Median(warm), Median(warm) / reference);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PAGE [RUNS]\n", argv[0]);
    return 2;
  }
  const char* page = argv[1];
  const int runs = argc > 2 ? std::max(2, std::atoi(argv[2])) : 9;
  AfxEnableControlContainer();
  const double checkStart = Now();
  const int checked = FlashCheck().CheckFlashControl();
  const double check = Now() - checkStart;
  CWnd container;
  if (!container.Create("STATIC", "hosting", WS_POPUP | WS_VISIBLE, CRect(0, 0, 808, 581), nullptr,
                        0)) {
    return 1;
  }
  std::vector<double> plain, movie, browser;
  for (int run = 0; run < runs; ++run) {
    CWnd child;
    plain.push_back(Time(
        [&] {
          child.Create("STATIC", "", WS_CHILD | WS_VISIBLE, CRect(0, 0, 808, 268), &container, 1);
          return child.m_hWnd;
        },
        [&] { child.DestroyWindow(); }));
    CShockwaveFlash flash;
    movie.push_back(Time(
        [&] {
          flash.CreateControl(CShockwaveFlash::kClassId, nullptr, WS_CHILD | WS_VISIBLE,
                              CRect(0, 0, 808, 268), &container, 132);
          flash.SetMovie("data2/interface/StartUp/loadmovie.swf");
          flash.PlayMovie();
          return flash.m_hWnd;
        },
        [&] { flash.DestroyWindow(); }));
    CWebBrowser web;
    browser.push_back(Time(
        [&] {
          web.Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(40, 270, 848, 851), &container,
                     100);
          VARIANT empty;
          ::VariantInit(&empty);
          web.Navigate(page, &empty, &empty, &empty, &empty);
          return web.m_hWnd;
        },
        [&] { web.DestroyWindow(); }));
  }
  for (const auto* values : {&plain, &movie, &browser}) {
    if (std::find(values->begin(), values->end(), -1.0) != values->end()) {
      std::fprintf(stderr, "a control could not be created (are the stand-ins registered?)\n");
      return 1;
    }
  }
  const double reference = Median(std::vector<double>(plain.begin() + 1, plain.end()));
  std::printf("%-30s once %7.2f ms, result %d (%5.1f x plain child)\n", "Flash check", check,
              checked, check / reference);
  Report("plain child window (reference)", plain, reference);
  Report("Flash movie", movie, reference);
  Report("web browser with its page", browser, reference);
  container.DestroyWindow();
  return 0;
}
