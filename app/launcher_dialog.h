// The launcher's main window: a borderless dialog cut to the outline of its skin, with seven skin
// buttons, a version label, the two texts of the Flash update flow, the Flash movie across its
// top and, under its cut-out panel, the inside dialog with the news page.
#pragma once
#include <memory>

#include "app/inside_dialog.h"
#include "app/settings_read.h"
#include "app/skin_button.h"
#include "data/ani_table.h"
#include "data/installer_pin.h"
#include "data/link_table.h"
#include "flash/shockwave_flash.h"
#include "framework/afxwin.h"
#include "net/http_downloader.h"

// The percentage the Flash update's progress text shows (not the download's own): one for the
// whole process, 0 at its start.
extern int shownPercent;

class LauncherDialog : public CDialog {
 public:
  explicit LauncherDialog(CWnd* parent = nullptr);
  ~LauncherDialog() override;

  // The dialog's initialisation: loads every data file, shapes and composes the window. No
  // failure stops it; each is shown once in an error box. Returns FALSE.
  BOOL OnInitDialog() override;
  void DoDataExchange() override;
  void LayoutButtons();
  void ComposeCanvas();
  // Creates the Flash movie across the top of the window and starts it; does nothing once the
  // wrapper exists, whether or not its control could be created.
  void CreateFlashMovie();
  // Once the Flash Player is installed: a movie whose control could not be made before is made
  // again; one that plays is left alone.
  void RestoreFlashMovie();

  // Message handlers.
  void OnPaint() override;
  HCURSOR OnQueryDragIcon() override;
  BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message) override;
  void OnMouseMove(UINT flags, CPoint point) override;
  void OnDestroy() override;
  // Asked to close (Escape in the inside dialog, the taskbar): the launcher leaves as through
  // its exit action.
  void OnClose() override;
  void OnLButtonDown(UINT flags, CPoint point) override;
  HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) override;
  LRESULT OnLauncherAction(WPARAM code, LPARAM lParam);
  void OnWindowPosChanging(WINDOWPOS* pos) override;
  // Once the window has moved, the inside dialog lands on its new corner too.
  void OnWindowPosChanged(WINDOWPOS* pos) override;
  // The Flash update's timer: follows the download, then the installer's windows. Other timers
  // are left alone.
  void OnTimer(UINT_PTR id) override;
  // Clicks on the Flash update's two texts first, then the skin buttons' hit test under the
  // click latch.
  BOOL PreTranslateMessage(MSG* msg) override;
  // Enter and Escape never close the launcher: IDOK and IDCANCEL commands are swallowed here.
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;

  // Members, in this order (destruction runs in reverse).
  SkinButton m_btnExit;
  SkinButton m_btnShop;
  CStatic m_flashTip;
  CStatic m_flashManual;
  SkinButton m_btnCheckHorse;
  SkinButton m_btnOfficialNet;
  SkinButton m_btnRegister;
  SkinButton m_btnStanEnt;
  SkinButton m_btnHiClearEnt;
  CStatic m_versionLabel;
  HICON m_hIcon;
  AniTable m_aniTable;
  CDialogInSide m_insideDialog;
  CFont m_versionFont;
  COLORREF m_versionColor = 0;
  LinkTable m_links;
  // The digest the downloaded installer must have, when ini/play.dat pins one.
  InstallerPin m_installerPin;
  std::unique_ptr<CShockwaveFlash> m_flashMovie;  // created by CreateFlashMovie
  HBITMAP m_backgroundBitmap = nullptr;  // not owned: the loaded skin lives until the process ends
  CDC m_canvasDC;
  CDC m_backgroundDC;
  CBitmap m_canvasBitmap;
  CFont m_flashManualFont;
  CFont m_flashTipFont;
  int m_installerStarted = 0;
  int m_downloadArmed = 1;
  HttpDownloader m_downloader;
  int m_clickLatch = 0;

 private:
  void CreateCanvas();
  void LoadAnimationTable();
  void LoadSkinBitmap();
  void LoadLinks();
  void LoadButtonSkins();
  // Returns the label's style: the Flash texts take the same face.
  VersionStyle ShowVersion();
  void CreateFlashTextFonts(const char* face);
  void CreateInsideDialog();
  void RunCheckTool();
  void StartGame();
  void ForgetUnansweredClicks(UINT message);

  // From a left button press until its release is dispatched.
  bool m_leftPressUnderWay = false;

  // The Flash update flow.
  void OfferFlashUpdate();
  // A click's effect on the tip and on the manual link; false when the click tried to start the
  // download and could not, which ends the click there.
  bool HandleFlashUpdateClick();
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
};
