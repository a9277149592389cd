#include "app/flash_update_flow.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

#include "app/open_link.h"
#include "app/startup_files.h"
#include "compat/winsock.h"
#include "diag/diagnostics.h"
#include "flash/installer_check.h"
#include "flash/installer_file.h"
#include "flash/installer_windows.h"
#include "flash/update_texts.h"

namespace {

bool CursorOver(const CWnd& text) {
  POINT cursor;
  ::GetCursorPos(&cursor);
  CRect rect;
  text.GetWindowRect(&rect);
  return ::PtInRect(&rect, cursor) != FALSE;
}

HWND FindInstallerWindow(const char* title) { return ::FindWindowA(kInstallerWindowClass, title); }

void HideIfVisible(CWnd& text) {
  if (text.IsWindowVisible()) text.ShowWindow(SW_HIDE);
}

}  // namespace

FlashUpdateFlow::FlashUpdateFlow(CWnd& dialog, CStatic& tip, CStatic& manual,
                                 const LinkTable& links, int flashCheckResult,
                                 std::function<void()> restoreMovie)
    : m_dialog(dialog),
      m_flashTip(tip),
      m_flashManual(manual),
      m_links(links),
      m_flashCheckResult(flashCheckResult),
      m_restoreMovie(std::move(restoreMovie)) {}

void FlashUpdateFlow::OfferUpdate() {
  if (m_flashCheckResult != 0 || m_links.slots[kSlotFlashHttp][0] == '\0') return;
  m_flashTip.SetWindowText(kFlashTipOffer);
  m_flashTip.ShowWindow(SW_SHOW);
}

bool FlashUpdateFlow::HandleClick() {
  if (m_flashTip.IsWindowVisible() && m_downloadArmed != 0 && CursorOver(m_flashTip)) {
    const char* url = m_links.slots[kSlotFlashHttp];
    // Without an address the click downloads nothing; the manual link's part still follows.
    if (url[0] != '\0') {
      // A mistyped pin could never be met: nothing is downloaded, and the operator learns why.
      if (m_installerPin.state == InstallerPin::kMalformed) {
        LogMessage("Flash installer not downloaded: %s",
                   InstallerVerdictText(InstallerVerdict::kPinMalformed));
        FailFlashUpdate(kFlashVerifyFailed);
        return false;
      }
      if (!StartFlashDownload(url)) return false;
    }
  }
  if (m_flashManual.IsWindowVisible() && CursorOver(m_flashManual) &&
      m_links.slots[kSlotFlashHttpHand][0] != '\0') {
    OpenFlashManualPage();
  }
  return true;
}

bool FlashUpdateFlow::StartFlashDownload(const char* url) {
  // A download still under way owns the downloader, which refuses a second one: the flow goes on
  // following it instead of reading the refusal as a failed connection.
  HANDLE worker = m_downloader.GetWorkerThread();
  if (worker != nullptr && ::WaitForSingleObject(worker, 0) == WAIT_TIMEOUT) {
    m_dialog.SetTimer(FLASH_UPDATE_TIMER, kFlashUpdatePeriodMs);
    m_downloadArmed = 0;
    return true;
  }
  std::vector<std::string> urls{url};
  WSADATA winsock;
  if (::WSAStartup(0x0101, &winsock) != 0) return false;
  // The connect race runs here, on the user-interface thread, for up to its time-out.
  if (m_downloader.Start(std::move(urls)) == 0) {
    ::WSACleanup();
    SetFlashTipText(kFlashConnectTimeout);
    return false;
  }
  m_dialog.SetTimer(FLASH_UPDATE_TIMER, kFlashUpdatePeriodMs);
  m_downloadArmed = 0;
  return true;
}

void FlashUpdateFlow::OpenFlashManualPage() {
  const bool installerBusy = FindInstallerWindow(kInstallerFinishedTitle) != nullptr ||
                             FindInstallerWindow(kInstallerInstallingTitle) != nullptr;
  if (!installerBusy) {
    m_dialog.KillTimer(FLASH_UPDATE_TIMER);
    OpenLinkTarget(m_links.slots[kSlotFlashHttpHand]);
    m_downloader.SetStop(true);
    if (m_flashTip.IsWindowVisible()) {
      m_flashTip.ShowWindow(SW_HIDE);
      m_flashTip.SetWindowText("");
    }
  }
  // While the installer works or has finished, the link only goes away.
  if (m_flashManual.IsWindowVisible()) {
    m_flashManual.ShowWindow(SW_HIDE);
    m_flashManual.SetWindowText("");
  }
  // The dialog's paint handling redraws its background under the hidden texts.
  m_dialog.OnPaint();
}

bool FlashUpdateFlow::DownloadWorkerEnded() const {
  HANDLE worker = m_downloader.GetWorkerThread();
  return worker != nullptr && ::WaitForSingleObject(worker, 0) == WAIT_OBJECT_0;
}

void FlashUpdateFlow::OnTimer(UINT_PTR id) {
  if (id != FLASH_UPDATE_TIMER) return;
  // Whether the worker has ended is read before its percentage, so an ended worker's figure is
  // final: below 100 it will never complete (refused status, a cut body, or no body at all).
  const bool workerEnded = DownloadWorkerEnded();
  const int percent = m_downloader.GetPercent();
  if (percent < 100 && workerEnded) {
    ::WSACleanup();
    FailFlashUpdate(kFlashDownloadFailed);
    return;
  }
  if (percent >= 1 && percent <= 99) {
    shownPercent = std::min(shownPercent + 10, 80);
    ShowFlashProgress();
  } else if (m_downloader.GetPercent() == 0) {
    shownPercent = 0;
    ShowFlashProgress();
    OfferFlashManualLink();
  } else if (m_downloader.GetPercent() == 100) {
    if (m_installerStarted == 0) {
      InstallDownloadedPlayer();
    } else {
      FollowInstaller();
    }
  }
}

void FlashUpdateFlow::InstallDownloadedPlayer() {
  ::WSACleanup();
  const HttpTransfer& transfer = m_downloader.GetTransfer();
  // Whatever the server sent is checked before it touches the disk: only a Windows program, and
  // only the pinned one where the game folder pins it, is written and run.
  const InstallerVerdict verdict =
      CheckDownloadedInstaller(transfer.body.get(), transfer.bodySize, m_installerPin);
  if (verdict != InstallerVerdict::kAccepted) {
    LogMessage("Flash installer refused: %s", InstallerVerdictText(verdict));
    FailFlashUpdate(kFlashVerifyFailed);
    return;
  }
  // An installer that could not be written whole is not run.
  if (!WriteInstallerFile(kFlashInstallerPath, transfer.body.get(), transfer.bodySize)) {
    FailFlashUpdate(kFlashSaveFailed);
    return;
  }
  shownPercent = 80;
  // Marked before the start: an elevation prompt pumps messages, and a tick arriving meanwhile
  // must follow the installer rather than start it a second time.
  m_installerStarted = 1;
  if (!StartInstaller(kFlashInstallerPath)) {
    FailFlashUpdate(kFlashStartFailed);
    return;
  }
  OfferFlashManualLink();
}

void FlashUpdateFlow::FailFlashUpdate(const char* text) {
  m_dialog.KillTimer(FLASH_UPDATE_TIMER);
  SetFlashTipText(text);
  OfferFlashManualLink();
  m_installerStarted = 0;
  m_downloadArmed = 1;
}

void FlashUpdateFlow::FollowInstaller() {
  if (HWND finished = FindInstallerWindow(kInstallerFinishedTitle)) {
    ::PostMessageA(finished, WM_QUIT, 0, 0);
    m_restoreMovie();
    shownPercent = 100;
    HideIfVisible(m_flashTip);
    HideIfVisible(m_flashManual);
    m_dialog.KillTimer(FLASH_UPDATE_TIMER);
    return;
  }
  if (HWND main = FindInstallerWindow(kInstallerTitle)) {
    if (::FindWindowExA(main, nullptr, kInstallerStaticClass, kInstallerOutdatedWarning)) {
      SetFlashTipText(kFlashOutdated);
      m_dialog.KillTimer(FLASH_UPDATE_TIMER);
    }
    return;
  }
  // Up by 5 a second while no window of the installer shows, holding at 95 until it finishes.
  shownPercent = std::min(shownPercent + 5, 95);
  ShowFlashProgress();
}

void FlashUpdateFlow::ShowFlashProgress() {
  char text[64];
  std::snprintf(text, sizeof text, kFlashProgressFormat, shownPercent);
  SetFlashTipText(text);
}

void FlashUpdateFlow::SetFlashTipText(const char* text) {
  m_flashTip.SetWindowText(text);
  m_dialog.UpdateWindow();
  CRect rect;
  m_flashTip.GetWindowRect(&rect);
  m_dialog.ScreenToClient(&rect);
  m_dialog.InvalidateRect(&rect, TRUE);
}

void FlashUpdateFlow::OfferFlashManualLink() {
  if (m_flashManual.IsWindowVisible()) return;
  m_flashManual.SetWindowText(kFlashManualLink);
  m_flashManual.ShowWindow(SW_SHOW);
}
