// The Flash update flow of the launcher dialog: a click on the tip downloads the Flash Player
// installer, the timer writes and starts it and then follows its windows, and the tip reports
// each step; the manual link opens the download page instead. The dialog owns one, forwards its
// clicks and its timer to it, and lends it its two texts and its links.
#pragma once
#include <functional>

#include "data/installer_pin.h"
#include "data/link_table.h"
#include "framework/afxwin.h"
#include "net/http_downloader.h"

class FlashUpdateFlow {
 public:
  // `dialog` runs the flow's timer and redraws its background under texts the flow hides; `tip`
  // and `manual` are its texts 1003 and 1004; `links` is its link table, read at each click.
  // `flashCheckResult` is what the start-up Flash check found (kFlashCheckNotRun when none ran).
  // `restoreMovie` is called once the installer has finished, to bring back a movie whose
  // control could not be made before.
  FlashUpdateFlow(CWnd& dialog, CStatic& tip, CStatic& manual, const LinkTable& links,
                  int flashCheckResult, std::function<void()> restoreMovie);
  FlashUpdateFlow(const FlashUpdateFlow&) = delete;
  FlashUpdateFlow& operator=(const FlashUpdateFlow&) = delete;

  // Shows the tip when the start-up check found no usable Flash control and there is an address
  // to download the installer from. Called once the links are loaded.
  void OfferUpdate();
  // The flow's part of the dialog's pre-translation of a press, release or right double-click:
  // the click's effect on the tip and on the manual link. False when the click tried to start
  // the download and could not, which ends the click there.
  bool HandleClick();
  // The update's timer: follows the download, then the installer's windows. Other timers are
  // left alone.
  void OnTimer(UINT_PTR id);

  // The flow's state; only the flow changes it while the dialog runs.
  HttpDownloader m_downloader;
  // A click on the tip may start the download; cleared once one has started.
  int m_downloadArmed = 1;
  // The downloaded installer was written and its start asked for.
  int m_installerStarted = 0;
  // The percentage the progress text shows (not the download's own).
  int shownPercent = 0;
  // The digest the downloaded installer must have, when ini/play.dat pins one.
  InstallerPin m_installerPin;

 private:
  bool StartFlashDownload(const char* url);
  void OpenFlashManualPage();
  void InstallDownloadedPlayer();
  // Ends a download or an installation that cannot go on: the tip says `text`, the manual link is
  // offered, the timer stops, and the next click on the tip starts a fresh download.
  void FailFlashUpdate(const char* text);
  bool DownloadWorkerEnded() const;
  void FollowInstaller();
  void ShowFlashProgress();
  void SetFlashTipText(const char* text);
  void OfferFlashManualLink();

  CWnd& m_dialog;
  CStatic& m_flashTip;
  CStatic& m_flashManual;
  const LinkTable& m_links;
  const int m_flashCheckResult;
  const std::function<void()> m_restoreMovie;
};
