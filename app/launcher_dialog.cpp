#include "app/launcher_dialog.h"

#include <cstdio>
#include <cstring>

#include "app/banner_file.h"
#include "app/button_skins.h"
#include "app/launcher_action_message.h"
#include "app/launcher_cursor.h"
#include "app/res/resource.h"
#include "app/settings_files.h"
#include "app/startup_files.h"
#include "app/version_file.h"
#include "app/window_skin.h"
#include "data/definition_table.h"
#include "diag/diagnostics.h"
#include "diag/startup_trace.h"
#include "flash/movie_path.h"

namespace {

// The buttons in the order of kButtonSkins.
SkinButton LauncherDialog::*const kButtonMembers[kButtonCount] = {
    &LauncherDialog::m_btnExit,        &LauncherDialog::m_btnCheckHorse,
    &LauncherDialog::m_btnOfficialNet, &LauncherDialog::m_btnRegister,
    &LauncherDialog::m_btnStanEnt,     &LauncherDialog::m_btnHiClearEnt,
    &LauncherDialog::m_btnShop};

// The Flash movie covers the top of the client area.
constexpr UINT kFlashMovieId = 132;
constexpr int kFlashMovieWidth = 808;
constexpr int kFlashMovieHeight = 268;
static_assert(kFlashMovieWidth == kBannerWidth && kFlashMovieHeight == kBannerHeight,
              "the banner takes the movie's place");

}  // namespace

LauncherDialog::LauncherDialog(CWnd* parent, int flashCheckResult)
    : CDialog(IDD_LAUNCHER, parent),
      m_flashUpdate(*this, m_flashTip, m_flashManual, m_links, flashCheckResult,
                    [this] { RestoreFlashMovie(); }) {
  m_hIcon = ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(IDI_LAUNCHER));
}

LauncherDialog::~LauncherDialog() = default;

void LauncherDialog::DoDataExchange() {
  m_btnExit.SubclassDlgItem(IDC_EXIT, this);
  m_btnShop.SubclassDlgItem(IDC_SHOP, this);
  m_flashTip.SubclassDlgItem(IDC_FLASH_TIP, this);
  m_flashManual.SubclassDlgItem(IDC_FLASH_MANUAL, this);
  m_btnCheckHorse.SubclassDlgItem(IDC_CHECK_HORSE, this);
  m_btnOfficialNet.SubclassDlgItem(IDC_OFFICIAL_NET, this);
  m_btnRegister.SubclassDlgItem(IDC_REGISTER, this);
  m_btnStanEnt.SubclassDlgItem(IDC_STAN_ENT, this);
  m_btnHiClearEnt.SubclassDlgItem(IDC_HICLEAR_ENT, this);
  m_versionLabel.SubclassDlgItem(IDC_VERSION_LABEL, this);
}

BOOL LauncherDialog::OnInitDialog() {
  CDialog::OnInitDialog();
  StartupTrace("dialog created");
  SetIcon(m_hIcon, TRUE);
  SetIcon(m_hIcon, FALSE);
  CreateCanvas();
  StartupTrace("canvas");
  LoadAnimationTable();
  StartupTrace("animation table");
  LoadSkinBitmap();
  StartupTrace("skin");
  LoadLinks();
  StartupTrace("links");
  LoadButtonSkins();
  StartupTrace("button images");
  LayoutButtons();
  StartupTrace("button layout");
  m_flashTip.ShowWindow(SW_HIDE);
  CreateFlashMovie();
  StartupTrace("Flash movie");
  ShowBannerWithoutMovie();
  StartupTrace("banner");
  m_flashManual.ShowWindow(SW_HIDE);
  SetWindowText("Play");
  CreateInsideDialog();
  StartupTrace("inside dialog");
  // The style is read once: each profile read opens and parses the file again.
  const VersionStyle style = ShowVersion();
  StartupTrace("version label");
  CreateFlashTextFonts(style.face);
  StartupTrace("Flash text fonts");
  m_flashUpdate.OfferUpdate();
  StartupTrace("update offer");
  return FALSE;
}

void LauncherDialog::CreateCanvas() {
  m_canvasDC.CreateCompatibleDC(nullptr);
  CClientDC windowDC(this);
  if (m_canvasBitmap.CreateCompatibleBitmap(&windowDC, kCanvasWidth, kCanvasHeight)) {
    m_canvasDC.SelectObject(&m_canvasBitmap);
  }
}

void LauncherDialog::LoadAnimationTable() {
  if (!m_aniTable.Load(kAniTablePath)) ErrorBox(kAniLoadFailedBox);
}

void LauncherDialog::LoadSkinBitmap() {
  HBITMAP bitmap = LoadWindowSkin(*this, kSkinPath, kSkinKey);
  if (bitmap == nullptr) {
    ErrorBox(kSkinLoadFailedBox);
    return;
  }
  m_backgroundBitmap = bitmap;
  if (AdoptSkinAsCanvas(bitmap)) return;
  m_backgroundDC.CreateCompatibleDC(nullptr);
  m_backgroundDC.SelectObject(bitmap);
  ComposeCanvas();
}

// A skin the canvas's size becomes the canvas itself: it holds exactly what copying it would put
// there (nothing draws on the canvas), and the copy, 2 MB of first touches, is spared at start-up.
bool LauncherDialog::AdoptSkinAsCanvas(HBITMAP skin) {
  BITMAP info{};
  if (m_canvasBitmap.m_hObject == nullptr || ::GetObjectA(skin, sizeof info, &info) == 0 ||
      info.bmWidth != kCanvasWidth || info.bmHeight != kCanvasHeight) {
    return false;
  }
  return m_canvasDC.SelectObject(skin) != nullptr;
}

void LauncherDialog::ComposeCanvas() {
  // Without a skin, or with the skin as the canvas, there is nothing to copy.
  if (m_backgroundDC.m_hDC == nullptr) return;
  m_canvasDC.BitBlt(0, 0, kCanvasWidth, kCanvasHeight, &m_backgroundDC, 0, 0, SRCCOPY);
}

void LauncherDialog::LoadLinks() {
  // The table lives only while the links are copied out of it.
  DefinitionTable table;
  if (table.Load(kLinksPath, ScrambledFile::ModeScrambled) == 0) {
    ErrorBox(kLinksOpenFailedBox, kLinksPath);
    return;
  }
  // Only the first section counts, whatever its title; without any section nothing is filled.
  // (The table never holds a missing section record, so there is no such failure to report.)
  FillLinkTable(table, m_links);
  m_flashUpdate.m_installerPin = ReadInstallerPin(table);
}

void LauncherDialog::LoadButtonSkins() {
  for (int i = 0; i < kButtonCount; ++i) {
    const ButtonSkin& skin = kButtonSkins[i];
    const char* link = skin.linkSlot == kNoLink ? nullptr : m_links.slots[skin.linkSlot];
    (this->*kButtonMembers[i]).LoadSkin(skin, m_aniTable, link);
    (this->*kButtonMembers[i]).SetSkinBeneath(&m_canvasDC);
  }
}

void LauncherDialog::LayoutButtons() {
  for (int i = 0; i < kButtonCount; ++i) {
    PlaceFromLayout(&(this->*kButtonMembers[i]), kButtonSkins[i].layoutSection);
  }
}

void LauncherDialog::CreateFlashMovie() {
  if (m_flashMovie != nullptr) return;
  m_flashMovie = std::make_unique<CShockwaveFlash>();
  CRect window;
  GetWindowRect(&window);
  // Without a control the wrapper stays, windowless; the calls below then reach nothing.
  m_flashMovie->CreateControl(CShockwaveFlash::kClassId, nullptr, WS_CHILD | WS_VISIBLE, window,
                              this, kFlashMovieId);
  m_flashMovie->MoveWindow(0, 0, kFlashMovieWidth, kFlashMovieHeight, TRUE);
  char directory[kMoviePathSize];
  const DWORD length = ::GetCurrentDirectoryA(sizeof directory, directory);
  char path[kMoviePathSize];
  // A current directory too long for the movie path gets no movie rather than a cut path.
  if (length == 0 || length >= sizeof directory || !ComposeMoviePath(directory, path)) return;
  // Both are asked for even when the first fails, as they always were.
  const bool movieSet = m_flashMovie->SetMovie(path);
  const bool playing = m_flashMovie->PlayMovie();
  m_moviePlays = movieSet && playing;
}

void LauncherDialog::RestoreFlashMovie() {
  if (m_flashMovie != nullptr && m_flashMovie->m_hWnd == nullptr) m_flashMovie.reset();
  CreateFlashMovie();
  // The movie covers the banner's place from now on.
  if (m_moviePlays) m_banner.Release();
}

// Decoded here, once, and only when there is no movie: a folder whose movie plays pays nothing for
// its banner, and every paint after this one is block copies.
void LauncherDialog::ShowBannerWithoutMovie() {
  if (m_moviePlays || !m_banner.Load(m_canvasDC)) return;
  // A control that took no movie would cover the picture with an empty window.
  if (m_flashMovie != nullptr && m_flashMovie->m_hWnd != nullptr) {
    m_flashMovie->ShowWindow(SW_HIDE);
  }
}

void LauncherDialog::CreateInsideDialog() {
  m_insideDialog.SetPage(m_links.slots[kSlotPage]);
  m_insideDialog.Create(IDD_INSIDE, this);
  CRect mine, inside;
  GetWindowRect(&mine);
  m_insideDialog.GetWindowRect(&inside);
  m_insideDialog.MoveWindow(mine.left, mine.top, inside.Width(), inside.Height(), FALSE);
  m_insideDialog.ShowWindow(SW_SHOW);
}

VersionStyle LauncherDialog::ShowVersion() {
  char version[kVersionTextBytes + 1];
  if (!ReadVersionText(version)) ErrorBox(kVersionOpenFailedBox, kVersionFile);

  const VersionStyle style = ReadVersionStyle();
  m_versionColor = style.color;
  m_versionFont.CreateFont(style.fontHeight, style.fontWidth, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                           DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                           DEFAULT_QUALITY, FF_SWISS | DEFAULT_PITCH, style.face);
  m_versionLabel.SetFont(&m_versionFont, TRUE);

  char text[64];
  std::snprintf(text, sizeof text, "%s%s", kVersionLabelPrefix, version);
  // The label is as large as its text in the chosen font (plus a pixel of slack), so the whole
  // text shows whatever the template's size for it was.
  SIZE extent{0, 0};
  {
    CClientDC dc(&m_versionLabel);
    HGDIOBJ previous = dc.SelectObject(&m_versionFont);
    ::GetTextExtentPoint32A(dc, text, static_cast<int>(std::strlen(text)), &extent);
    if (previous != nullptr) dc.SelectObject(previous);
  }
  m_versionLabel.MoveWindow(style.x, style.y, extent.cx + 1, extent.cy + 1, TRUE);
  m_versionLabel.SetWindowText(text);
  return style;
}

void LauncherDialog::CreateFlashTextFonts(const char* face) {
  m_flashManualFont.CreateFont(20, 10, 0, 0, FW_NORMAL, FALSE, TRUE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                               FF_SWISS | DEFAULT_PITCH, face);
  m_flashTipFont.CreateFont(20, 10, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                            OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            FF_SWISS | DEFAULT_PITCH, face);
  m_flashManual.SetFont(&m_flashManualFont, TRUE);
  m_flashTip.SetFont(&m_flashTipFont, TRUE);
}

void LauncherDialog::OnPaint() {
  StartupTrace("paint");
  CPaintDC dc(this);
  dc.BitBlt(0, 0, kCanvasWidth, kCanvasHeight, &m_canvasDC, 0, 0, SRCCOPY);
  // At the movie's place, while there is no movie.
  m_banner.Paint(dc);
}

HCURSOR LauncherDialog::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

BOOL LauncherDialog::OnSetCursor(CWnd*, UINT, UINT) { return SetLauncherCursor(); }

void LauncherDialog::OnMouseMove(UINT flags, CPoint point) {
  for (SkinButton LauncherDialog::*button : kButtonMembers) (this->*button).CheckHoverLeave();
  CDialog::OnMouseMove(flags, point);
}

void LauncherDialog::OnLButtonDown(UINT flags, CPoint point) {
  // Any free point of the skin drags the window, shown whole while it moves (not saved to the
  // user's profile).
  ::SystemParametersInfoA(SPI_SETDRAGFULLWINDOWS, TRUE, nullptr, 0);
  SendMessage(WM_SYSCOMMAND, SC_MOVE | HTCAPTION, 0);
  CDialog::OnLButtonDown(flags, point);
}

HBRUSH LauncherDialog::OnCtlColor(CDC* dc, CWnd* wnd, UINT ctlColor) {
  HBRUSH brush = CDialog::OnCtlColor(dc, wnd, ctlColor);
  if (ctlColor != CTLCOLOR_STATIC && ctlColor != CTLCOLOR_BTN) return brush;
  const int id = wnd->GetDlgCtrlID();
  if (id == IDC_VERSION_LABEL || id == IDC_FLASH_TIP || id == IDC_FLASH_MANUAL) {
    dc->SetTextColor(id == IDC_VERSION_LABEL ? m_versionColor : RGB(255, 0, 0));
    dc->SetBkColor(RGB(255, 255, 255));
    dc->SetBkMode(TRANSPARENT);
  }
  return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));
}

void LauncherDialog::OnDestroy() {
  CDialog::OnDestroy();
  // The skin bitmap is only let go of here, not deleted.
  m_backgroundBitmap = nullptr;
  m_flashMovie.reset();
}

void LauncherDialog::OnTimer(UINT_PTR id) { m_flashUpdate.OnTimer(id); }

void LauncherDialog::OnClose() { OnLauncherAction(ACTION_EXIT, 0); }

void LauncherDialog::OnWindowPosChanging(WINDOWPOS* pos) {
  CDialog::OnWindowPosChanging(pos);
  if (m_insideDialog.m_hWnd == nullptr) return;
  // Glued to this window's corner as it is before the pending change (so one step behind a
  // drag), next to it in the window stack.
  CRect mine;
  GetWindowRect(&mine);
  m_insideDialog.SetWindowPos(this, mine.left, mine.top, 0, 0, SWP_NOSIZE | SWP_FRAMECHANGED);
}

void LauncherDialog::OnWindowPosChanged(WINDOWPOS* pos) {
  CDialog::OnWindowPosChanged(pos);
  if (m_insideDialog.m_hWnd == nullptr) return;
  // Glued before the change only, the panel would stay one step behind after every drag and the
  // cut-out would show its edge.
  CRect mine;
  GetWindowRect(&mine);
  m_insideDialog.SetWindowPos(nullptr, mine.left, mine.top, 0, 0,
                              SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

BOOL LauncherDialog::PreTranslateMessage(MSG* msg) {
  ForgetUnansweredClicks(msg->message);
  const bool click = msg->message == WM_LBUTTONDOWN || msg->message == WM_LBUTTONUP ||
                     msg->message == WM_RBUTTONDBLCLK;
  if (click && m_flashUpdate.HandleClick()) {
    if (::GetFocus() != nullptr && m_clickLatch == 0) {
      m_clickLatch = 1;
      for (SkinButton LauncherDialog::*button : kButtonMembers) (this->*button).HitTestClick();
    }
  }
  if (::GetFocus() == nullptr && m_clickLatch != 0) m_clickLatch = 0;
  return CDialog::PreTranslateMessage(msg);
}

// A click taken by the hit test is marked on its button, so the button's own notification of
// the same press does not act again. That notification can only come while the release that ends
// a left press is dispatched. So a mark is dropped as a new left press begins, and at the first
// message after that press's release; a mark taken on any other message (a right double-click)
// goes at the next message.
void LauncherDialog::ForgetUnansweredClicks(UINT message) {
  const bool pressBegins = message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK;
  if (message == WM_LBUTTONUP) {
    m_leftPressUnderWay = false;
    return;
  }
  if (pressBegins || !m_leftPressUnderWay) {
    for (SkinButton LauncherDialog::*button : kButtonMembers) (this->*button).ClearHitTestClick();
  }
  if (pressBegins) m_leftPressUnderWay = true;
}

LRESULT LauncherDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && (wParam == IDOK || wParam == IDCANCEL)) return 0;
  return CDialog::WindowProc(message, wParam, lParam);
}

BOOL LauncherDialog::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
  if (message == WM_LAUNCHER_ACTION) {
    *result = OnLauncherAction(wParam, lParam);
    return TRUE;
  }
  return CDialog::OnWndMsg(message, wParam, lParam, result);
}
