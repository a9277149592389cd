// The launcher's main window: a borderless dialog cut to the outline of its skin, with seven skin
// buttons, a version label, the two texts of the Flash update flow, the Flash movie across its
// top and, under its cut-out panel, the inside dialog with the news page.
#pragma once
#include <memory>

#include "app/banner_picture.h"
#include "app/flash_update_flow.h"
#include "app/inside_dialog.h"
#include "app/settings_read.h"
#include "app/skin_button.h"
#include "data/ani_table.h"
#include "data/link_table.h"
#include "flash/flash_check.h"
#include "flash/shockwave_flash.h"
#include "framework/afxwin.h"

class LauncherDialog : public CDialog {
 public:
  // `flashCheckResult` is what the start-up Flash check found: the update's tip is offered only
  // when it found no usable control.
  explicit LauncherDialog(CWnd* parent = nullptr, int flashCheckResult = kFlashCheckNotRun);
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
  // again; one that plays is left alone. A movie that now plays takes the banner's place.
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
  // The Flash update's timer, handled by the flow.
  void OnTimer(UINT_PTR id) override;
  // Clicks on the Flash update's two texts first (the flow's part), then the skin buttons' hit
  // test under the click latch.
  BOOL PreTranslateMessage(MSG* msg) override;
  // The Flash update flow, which owns its own state; the tests drive it here.
  FlashUpdateFlow& FlashUpdate() { return m_flashUpdate; }
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
  std::unique_ptr<CShockwaveFlash> m_flashMovie;  // created by CreateFlashMovie
  HBITMAP m_backgroundBitmap = nullptr;  // not owned: the loaded skin lives until the process ends
  // Before the canvas DC, so the DC goes first at the end: a bitmap still selected into a DC
  // cannot be deleted.
  CBitmap m_canvasBitmap;
  CDC m_canvasDC;
  CDC m_backgroundDC;
  CFont m_flashManualFont;
  CFont m_flashTipFont;
  int m_clickLatch = 0;

 private:
  void CreateCanvas();
  void LoadAnimationTable();
  void LoadSkinBitmap();
  bool AdoptSkinAsCanvas(HBITMAP skin);
  void LoadLinks();
  void LoadButtonSkins();
  // Returns the label's style: the Flash texts take the same face.
  VersionStyle ShowVersion();
  void CreateFlashTextFonts(const char* face);
  // The operator's banner, at the movie's place when there is no movie.
  void ShowBannerWithoutMovie();
  void CreateInsideDialog();
  void RunCheckTool();
  void StartGame();
  void ForgetUnansweredClicks(UINT message);

  // From a left button press until its release is dispatched.
  bool m_leftPressUnderWay = false;

  // The control was made and took the movie and the order to play it.
  bool m_moviePlays = false;
  BannerPicture m_banner;

  // Works on m_flashTip, m_flashManual and m_links, declared before it; goes first at the end.
  FlashUpdateFlow m_flashUpdate;
};
