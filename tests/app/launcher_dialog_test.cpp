// The launcher dialog initialised in temporary game folders: what it loads, what it reports, how
// it answers its messages. The player's view of the running program is in the end-to-end tests.
#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "app/launcher_action_message.h"
#include "app/launcher_dialog.h"
#include "app/res/resource.h"
#include "tests/support/windows/box_watcher.h"
#include "tools/gamecheck/game_check.h"
#include "tests/support/game_copy.h"
#include "tests/support/windows/hosting_environment.h"
#include "image/cximage.h"
#include "tests/support/windows/modal_script.h"
#include "tests/support/windows/scoped_variable.h"
#include "tests/support/scrambled_files.h"
#include "tests/support/test_support.h"
#include "tests/support/windows/window_text.h"

namespace fs = std::filesystem;
using testing_support::BoxWatcher;
using testing_support::GameCopy;
using testing_support::HostingEnvironment;
using testing_support::MoveCursorTo;
using testing_support::ReadFile;
using testing_support::ScopedCurrentDir;
using testing_support::Scrambled;
using testing_support::WindowText;
using testing_support::WriteFile;

namespace {

using testing_support::ScopedVariable;

// The application enables ActiveX hosting and checks the Flash control before it runs the
// dialog; so do these tests.
const auto* const kHosting =
    ::testing::AddGlobalTestEnvironment(new HostingEnvironment(HostingEnvironment::kFlashControl));

const char* const kSkinMessage =
    "Load image failed! Please make sure the \"data2/interface/StartUp/OutSideStartBG.bmp\" file "
    "path is correct!";
const char* const kAniMessage =
    "Load data file failed! Please make sure the \"ani/play.ani\" file is under the current "
    "folder!";

CRect ClientRectOf(const CWnd& parent, const CWnd& child) {
  CRect rect;
  ::GetWindowRect(child.m_hWnd, &rect);
  ::MapWindowPoints(nullptr, parent.m_hWnd, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// Initialises the dialog in `folder`, runs `check` inside its modal loop, then closes it.
INT_PTR RunDialog(const GameCopy& folder, LauncherDialog& dialog,
                  const std::function<void()>& check, bool end = true) {
  ScopedCurrentDir here(folder.dir());
  ModalScript script({[&] {
    check();
    if (end) dialog.EndDialog(77);
  }});
  return script.Run(dialog);
}

TEST(LauncherDialogInit, LoadsTheSampleGameFolderWithoutComplaint) {
  GameCopy folder;
  BoxWatcher boxes;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    EXPECT_EQ(WindowText(dialog.m_hWnd), "Play");
    CRect window;
    dialog.GetWindowRect(&window);
    EXPECT_EQ(window.Width(), 808);
    EXPECT_EQ(window.Height(), 581);
    EXPECT_EQ(::GetWindowLongA(dialog.m_hWnd, GWL_EXSTYLE) & WS_EX_APPWINDOW, WS_EX_APPWINDOW);
    EXPECT_EQ(::GetWindowLongA(dialog.m_hWnd, GWL_STYLE) &
                  (WS_CAPTION | WS_BORDER | WS_THICKFRAME | WS_DLGFRAME),
              0);

    // Shaped by the skin: the magenta corner is cut away, the middle of the title band is not.
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    ASSERT_NE(::GetWindowRgn(dialog.m_hWnd, region), ERROR);
    EXPECT_FALSE(::PtInRegion(region, 0, 0));
    EXPECT_TRUE(::PtInRegion(region, 404, 150));
    ::DeleteObject(region);

    // Buttons where ini/PlayGui.ini puts them (the shop button under its section "Shop").
    EXPECT_EQ(ClientRectOf(dialog, dialog.m_btnShop), CRect(590, 356, 590 + 92, 356 + 32));
    EXPECT_EQ(ClientRectOf(dialog, dialog.m_btnStanEnt), CRect(590, 402, 590 + 194, 402 + 56));
    EXPECT_EQ(ClientRectOf(dialog, dialog.m_btnExit), CRect(772, 280, 772 + 24, 280 + 24));

    // Every button has its images: 2, 3 or 4 frames, or one frame for all states.
    for (SkinButton* button :
         {&dialog.m_btnExit, &dialog.m_btnShop, &dialog.m_btnCheckHorse, &dialog.m_btnOfficialNet,
          &dialog.m_btnRegister, &dialog.m_btnStanEnt, &dialog.m_btnHiClearEnt}) {
      EXPECT_NE(button->m_imgNormal, nullptr) << button->m_name;
      EXPECT_NE(button->m_imgPressed, nullptr) << button->m_name;
      EXPECT_NE(button->m_imgHover, nullptr) << button->m_name;
      EXPECT_NE(button->m_imgDisabled, nullptr) << button->m_name;
    }
    EXPECT_EQ(dialog.m_btnShop.m_imgNormal->GetWidth(), 92);

    // Links from the first section of the scrambled ini/play.dat.
    EXPECT_STREQ(dialog.m_links.slots[0], "web\\news.html");
    EXPECT_STREQ(dialog.m_btnRegister.m_link, "web\\register.html");
    EXPECT_STREQ(dialog.m_btnExit.m_link, "web\\goodbye.html");
    EXPECT_STREQ(dialog.m_btnCheckHorse.m_link, "");

    // The version label: text, place, font and colour from ini/GameSetUp.ini.
    EXPECT_EQ(WindowText(dialog.m_versionLabel.m_hWnd), "版本号:2.3.1029");
    EXPECT_EQ(ClientRectOf(dialog, dialog.m_versionLabel).TopLeft().x, 592);
    EXPECT_EQ(ClientRectOf(dialog, dialog.m_versionLabel).TopLeft().y, 538);
    EXPECT_EQ(dialog.m_versionColor, RGB(236, 204, 128));
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(dialog.m_versionLabel.SendMessage(WM_GETFONT)),
                 sizeof font, &font);
    EXPECT_EQ(font.lfHeight, 14);
    EXPECT_EQ(font.lfWidth, 7);
    EXPECT_EQ(font.lfWeight, 400);
    EXPECT_EQ(font.lfPitchAndFamily, 0x20);
    EXPECT_STREQ(font.lfFaceName, "宋体");

    // The two Flash texts are hidden, in 20 x 10 fonts, underlined for the manual link.
    EXPECT_FALSE(dialog.m_flashTip.IsWindowVisible());
    EXPECT_FALSE(dialog.m_flashManual.IsWindowVisible());
    ::GetObjectA(reinterpret_cast<HFONT>(dialog.m_flashManual.SendMessage(WM_GETFONT)), sizeof font,
                 &font);
    EXPECT_EQ(font.lfHeight, 20);
    EXPECT_TRUE(font.lfUnderline);
  });
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST(LauncherDialogInit, VersionLabelHoldsItsWholeTextInTheChosenFont) {
  GameCopy folder;
  WriteFile(folder / "Version.dat", "10.20.30.40-release");
  WriteFile(folder / "ini/GameSetUp.ini",
            "[VersionPos]\r\nx=20\r\ny=30\r\nFontHeight=40\r\n"
            "FontWidth=20\r\nFontColorR=511\r\n");
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    EXPECT_EQ(dialog.m_versionColor, RGB(255, 0, 0)) << "only the low 8 bits count";
    const std::string text = WindowText(dialog.m_versionLabel.m_hWnd);
    EXPECT_EQ(text, "版本号:10.20.30.40-release");
    HDC dc = ::GetDC(dialog.m_versionLabel.m_hWnd);
    HGDIOBJ previous = ::SelectObject(dc, dialog.m_versionFont);
    SIZE extent{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, previous);
    ::ReleaseDC(dialog.m_versionLabel.m_hWnd, dc);
    CRect client;
    dialog.m_versionLabel.GetClientRect(&client);
    EXPECT_GE(client.Width(), extent.cx);
    EXPECT_GE(client.Height(), extent.cy);
    EXPECT_EQ(ClientRectOf(dialog, dialog.m_versionLabel).TopLeft().x, 20);
  });
}

TEST(LauncherDialogInit, EachMissingFileIsReportedOnceAndInitialisationGoesOn) {
  GameCopy folder;
  folder.Remove("data2/interface/StartUp/OutSideStartBG.bmp");
  folder.Remove("Version.dat");
  folder.Remove("ini/play.dat");
  folder.Remove("ani/play.ani");
  BoxWatcher boxes;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    EXPECT_EQ(WindowText(dialog.m_hWnd), "Play") << "initialisation went on to the end";
    EXPECT_EQ(WindowText(dialog.m_versionLabel.m_hWnd), "版本号:");
    // Without the skin the window keeps the template's size, unshaped.
    CRect expected(0, 0, 549, 376);
    ::MapDialogRect(dialog.m_hWnd, &expected);
    CRect window;
    dialog.GetWindowRect(&window);
    EXPECT_EQ(window.Width(), expected.Width());
    EXPECT_EQ(window.Height(), expected.Height());
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(dialog.m_hWnd, region), ERROR);
    ::DeleteObject(region);
    EXPECT_EQ(dialog.m_btnStanEnt.m_imgNormal, nullptr);
    EXPECT_STREQ(dialog.m_links.slots[0], "");
  });
  EXPECT_EQ(boxes.Texts(),
            (std::vector<std::string>{kAniMessage, kSkinMessage, "error on open ini/play.dat.",
                                      "Error on open Version.dat."}));
}

// Syntax errors: the parsers log what they met, the dialog shows its own message once, and what
// was read before the error stays in use.
TEST(LauncherDialogInit, BadDataFilesAreLoggedShownAndPartlyUsed) {
  GameCopy folder;
  std::string ani = ReadFile(folder / "ani/play.ani");
  ani += "\n[Broken name]\nFrameAmount=1\nFrame0=x.tga\n";
  WriteFile(folder / "ani/play.ani", ani);
  // A bad title after the first section: the load fails, so no link is taken at all.
  const std::string links = "[Links]\r\nRegist=web\\register.html\r\n[bad title\r\n";
  WriteFile(folder / "ini/play.dat", Scrambled(links));

  BoxWatcher boxes;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    EXPECT_NE(dialog.m_btnStanEnt.m_imgNormal, nullptr) << "sections before the error are used";
    EXPECT_STREQ(dialog.m_btnRegister.m_link, "");
  });
  EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{kAniMessage, "error on open ini/play.dat."}));
  const std::string log = ReadFile(folder / "debug.log");
  EXPECT_NE(log.find("Error Title line [Broken name] in ani/play.ani -- "), std::string::npos)
      << log;
  EXPECT_NE(log.find("Error Title  [bad title in ini/play.dat -- "), std::string::npos) << log;
}

TEST(LauncherDialogInit, MissingButtonImagesAreReportedPerStateInLoadOrder) {
  GameCopy folder;
  // Register has three frames: frame 0 serves normal and (3 mod 3) disabled.
  const std::string normal = "data2/interface/StartUp/Buttons/Register0.tga";
  const std::string pressed = "data2/interface/StartUp/Buttons/StanEnt1.tga";
  folder.Remove(normal);
  folder.Remove(pressed);
  BoxWatcher boxes;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    EXPECT_EQ(dialog.m_btnRegister.m_imgNormal, nullptr);
    EXPECT_EQ(dialog.m_btnRegister.m_imgDisabled, nullptr);
    EXPECT_NE(dialog.m_btnRegister.m_imgPressed, nullptr);
    EXPECT_NE(dialog.m_btnRegister.m_imgHover, nullptr);
    EXPECT_EQ(dialog.m_btnStanEnt.m_imgPressed, nullptr);
    EXPECT_NE(dialog.m_btnStanEnt.m_imgNormal, nullptr);
  });
  const std::string prefix = "Load image failed! Make sure the path \"";
  const std::string suffix = "\" image is OK! ";
  // Buttons load in the order Exit, CheckHorse, OfficialNet, Register, StanEnt, ...
  EXPECT_EQ(boxes.Texts(),
            (std::vector<std::string>{prefix + normal + suffix, prefix + normal + suffix,
                                      prefix + pressed + suffix}));
}

// The operator tool reads the same broken folder first: the boxes it says the launcher will show
// are exactly the boxes the launcher then shows, in the same order.
TEST(LauncherDialogInit, GamecheckNamesEveryBoxTheLauncherShows) {
  GameCopy folder;
  folder.Remove("data2/interface/StartUp/Buttons/Register0.tga");  // normal and disabled
  WriteFile(folder / "data2/interface/StartUp/Buttons/StanEnt1.tga", std::string(64, 'x'));
  folder.Remove("ini/play.dat");
  folder.Remove("data2/interface/StartUp/InsideStartBG.bmp");
  folder.Remove("Version.dat");
  GameReport report;
  std::string error;
  ASSERT_TRUE(CheckGameFolder(folder.Text(), report, error)) << error;
  std::vector<std::string> foretold;
  for (const Problem& problem : report.problems) {
    if (problem.IsError()) foretold.push_back(problem.box);
  }
  EXPECT_EQ(foretold.size(), 6u);

  BoxWatcher boxes;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [] {});
  EXPECT_EQ(boxes.Texts(), foretold);
}

TEST(LauncherDialogInit, AButtonWhoseSectionIsMissingOrEmptyHasNoImagesAndNoComplaint) {
  GameCopy folder;
  std::string ani = ReadFile(folder / "ani/play.ani");
  const size_t shop = ani.find("[ShoppingMall]");
  ASSERT_NE(shop, std::string::npos);
  ani.replace(shop, 14, "[Shopping]");
  ani += "\n[Register]\nFrameAmount=0\n";
  WriteFile(folder / "ani/play.ani", ani);
  BoxWatcher boxes;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    EXPECT_EQ(dialog.m_btnShop.m_imgNormal, nullptr);
    EXPECT_EQ(dialog.m_btnRegister.m_imgNormal, nullptr) << "an empty section is like none";
    EXPECT_STREQ(dialog.m_btnShop.m_name, "ShoppingMall");
    EXPECT_STREQ(dialog.m_btnShop.m_link, "web\\shop.html") << "it still has its action";
  });
  EXPECT_TRUE(boxes.Texts().empty());
}

TEST(LauncherDialogMessages, EnterEscapeAndCancelCommandsDoNotCloseIt) {
  GameCopy folder;
  LauncherDialog dialog;
  ScopedCurrentDir here(folder.dir());
  bool stillRunning = false;
  ModalScript script({
      [&] {
        ::PostMessageA(dialog.m_hWnd, WM_KEYDOWN, VK_RETURN, 0);
        ::PostMessageA(dialog.m_btnStanEnt.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
        ::PostMessageA(dialog.m_hWnd, WM_COMMAND, IDCANCEL, 0);
        ::PostMessageA(dialog.m_hWnd, WM_COMMAND, IDOK, 0);
        // The whole parameter counts: notification 1 on id 1 is not a swallowed IDOK, and still
        // not a click that would end the dialog.
        ::PostMessageA(dialog.m_hWnd, WM_COMMAND, 0x10001, 0);
      },
      [&] {
        stillRunning = ::IsWindowVisible(dialog.m_hWnd);
        dialog.EndDialog(5);
      },
  });
  EXPECT_EQ(script.Run(dialog), 5);
  EXPECT_TRUE(stillRunning);
}

TEST(LauncherDialogMessages, ExitActionCancelsAndStartGameEndsWithZeroEvenWithoutThePatcher) {
  GameCopy folder;
  {
    LauncherDialog dialog;
    INT_PTR result = RunDialog(
        folder, dialog, [&] { dialog.SendMessage(WM_LAUNCHER_ACTION, ACTION_EXIT, 0); }, false);
    EXPECT_EQ(result, IDCANCEL);
  }
  {
    // The test program's own folder has no RozeVazed.exe: the launcher closes all the same.
    LauncherDialog dialog;
    INT_PTR result = RunDialog(
        folder, dialog,
        [&] { EXPECT_EQ(dialog.SendMessage(WM_LAUNCHER_ACTION, ACTION_START_GAME, 0), 0); }, false);
    EXPECT_EQ(result, 0);
  }
  {
    LauncherDialog dialog;
    INT_PTR result = RunDialog(folder, dialog, [&] {
      dialog.SendMessage(WM_LAUNCHER_ACTION, 7, 0);  // unknown codes do nothing
    });
    EXPECT_EQ(result, 77);
  }
}

// The stand-in check tool of this build, as seen from the test program's folder (which stands in
// for the launcher's): what a game folder names in ini/Startgame.ini, and the lines its log gained.
class CheckToolRuns {
 public:
  CheckToolRuns() {
    char module[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, module, sizeof module);
    programFolder = fs::path(module).parent_path();
    log_ = programFolder / ".." / ".." / "testbed" / "HorseCheck.log";
    before_ = ReadFile(log_).size();
    ::SetEnvironmentVariableA("STANDIN_SHOW_MS", "0");
  }
  void NameIn(const GameCopy& folder) const {
    WriteFile(folder / "ini/Startgame.ini",
              "[Read]\r\nFlashName=..\\..\\testbed\\HorseCheck.exe\r\n");
  }
  // What the log gained since construction.
  std::string Added() const { return ReadFile(log_).substr(before_); }
  // The same, once it holds `lines` new lines (or after 3 s).
  std::string WaitForLines(long lines) const {
    std::string added;
    for (int wait = 0; wait < 300; ++wait) {
      added = Added();
      if (std::count(added.begin(), added.end(), '\n') >= lines) break;
      ::Sleep(10);
    }
    return added;
  }

  fs::path programFolder;

 private:
  fs::path log_;
  size_t before_;
};

// The check tool is looked up in the launcher's folder (here: the test program's), whatever the
// current directory, and started there with the folder and its trailing backslash as directory.
TEST(LauncherDialogMessages, CheckToolRunsFromTheProgramFolderAndTheLauncherStays) {
  CheckToolRuns runs;
  GameCopy folder;
  runs.NameIn(folder);
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    dialog.SendMessage(WM_LAUNCHER_ACTION, ACTION_CHECK_TOOL, 0);
    dialog.SendMessage(WM_LAUNCHER_ACTION, ACTION_CHECK_TOOL, 0);
    EXPECT_TRUE(dialog.IsWindowVisible());
  });
  const std::string added = runs.WaitForLines(2);
  // The launcher passes an empty command line, for which Wine makes up the quoted program path,
  // and the folder with its trailing backslash, which the tool reports without it.
  const fs::path& programFolder = runs.programFolder;
  const std::string program = (programFolder / "..\\..\\testbed\\HorseCheck.exe").string();
  const std::string line = "\"" + program + "\"\t" + programFolder.string() + "\r\n";
  EXPECT_EQ(added, line + line);
}

// The first click after the launcher becomes active is taken by the dialog's hit test as the
// button goes down; the button's own notification of that same click must not act again.
TEST(SkinButtonClick, OnePressAndReleaseRunsTheActionOnceOnEitherPath) {
  CheckToolRuns runs;
  GameCopy folder;
  runs.NameIn(folder);
  LauncherDialog dialog;
  ScopedCurrentDir here(folder.dir());
  int latchAfterFirst = -1, latchAfterSecond = -1;
  auto click = [&] {
    HWND button = dialog.m_btnCheckHorse.m_hWnd;
    CRect rect;
    ::GetWindowRect(button, &rect);
    MoveCursorTo(rect.left + 5, rect.top + 5);
    ::PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    ::PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  };
  ModalScript script({
      [&] {
        ASSERT_NE(::GetFocus(), nullptr) << "the active launcher has a focus window";
        EXPECT_EQ(dialog.m_clickLatch, 0);
        click();
      },
      [&] {
        latchAfterFirst = dialog.m_clickLatch;
        click();
      },
      [&] {
        latchAfterSecond = dialog.m_clickLatch;
        dialog.EndDialog(0);
      },
  });
  script.Run(dialog);
  EXPECT_EQ(latchAfterFirst, 1) << "the hit test took the first click and set the latch";
  EXPECT_EQ(latchAfterSecond, 1) << "the latch stays while the launcher keeps the focus";
  runs.WaitForLines(2);
  ::Sleep(200);  // a third, wrong, run would have had time to show up
  const std::string added = runs.Added();
  EXPECT_EQ(std::count(added.begin(), added.end(), '\n'), 2) << "two clicks, two runs";
}

// A click the hit test took without the button's own notification following (a right
// double-click, a press released off the button) must not swallow the button's next click by
// keyboard.
TEST(SkinButtonClick, AHitTestClickWithoutItsNotificationLeavesTheNextKeyboardClickAlone) {
  CheckToolRuns runs;
  GameCopy folder;
  runs.NameIn(folder);
  LauncherDialog dialog;
  ScopedCurrentDir here(folder.dir());
  HWND button = nullptr;
  auto space = [&] {
    ::SetFocus(button);
    ::PostMessageA(button, WM_KEYDOWN, VK_SPACE, 0x00390001);
    ::PostMessageA(button, WM_KEYUP, VK_SPACE, 0xC0390001);
  };
  ModalScript script({
      [&] {
        button = dialog.m_btnCheckHorse.m_hWnd;
        CRect rect;
        ::GetWindowRect(button, &rect);
        MoveCursorTo(rect.left + 5, rect.top + 5);
        ::PostMessageA(button, WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(5, 5));
      },
      space,
      [&] {
        // As after the launcher lost the focus and got it back: the hit test takes this press.
        dialog.m_clickLatch = 0;
        ::PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        ::PostMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(-30, -30));
      },
      space,
      [&] { dialog.EndDialog(0); },
  });
  script.Run(dialog);
  runs.WaitForLines(4);
  ::Sleep(200);  // a fifth, wrong, run would have had time to show up
  const std::string added = runs.Added();
  EXPECT_EQ(std::count(added.begin(), added.end(), '\n'), 4)
      << "the right double-click, the press, and each Space after them run the tool once";
}

TEST(LauncherDialogMessages, ColourRequestsOfTheThreeTextsAndOtherControls) {
  GameCopy folder;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    HDC dc = ::CreateCompatibleDC(nullptr);
    auto ask = [&](UINT message, const CWnd& control) {
      ::SetTextColor(dc, RGB(1, 2, 3));
      ::SetBkColor(dc, RGB(4, 5, 6));
      ::SetBkMode(dc, OPAQUE);
      return reinterpret_cast<HBRUSH>(dialog.SendMessage(message, reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(control.m_hWnd)));
    };
    const HBRUSH hollow = static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH));

    EXPECT_EQ(ask(WM_CTLCOLORSTATIC, dialog.m_versionLabel), hollow);
    EXPECT_EQ(::GetTextColor(dc), RGB(236, 204, 128));
    EXPECT_EQ(::GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(::GetBkMode(dc), TRANSPARENT);

    EXPECT_EQ(ask(WM_CTLCOLORSTATIC, dialog.m_flashTip), hollow);
    EXPECT_EQ(::GetTextColor(dc), RGB(255, 0, 0));
    EXPECT_EQ(ask(WM_CTLCOLORBTN, dialog.m_flashManual), hollow);
    EXPECT_EQ(::GetTextColor(dc), RGB(255, 0, 0));

    // Other controls keep the colours the default processing gave them.
    EXPECT_EQ(ask(WM_CTLCOLORBTN, dialog.m_btnShop), hollow);
    EXPECT_NE(::GetTextColor(dc), RGB(255, 0, 0));
    EXPECT_NE(::GetBkColor(dc), RGB(255, 255, 255));
    EXPECT_EQ(::GetBkMode(dc), OPAQUE);

    EXPECT_NE(ask(WM_CTLCOLOREDIT, dialog.m_versionLabel), hollow)
        << "other kinds of request get the base brush";
    EXPECT_NE(::GetTextColor(dc), RGB(236, 204, 128));
    ::DeleteDC(dc);
  });
}

TEST(SkinButtonHover, HoverImageShowsOnEntryAndTheDialogRestoresTheNormalImage) {
  GameCopy folder;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    SkinButton& button = dialog.m_btnStanEnt;
    CRect rect;
    button.GetWindowRect(&rect);
    MoveCursorTo(rect.left + 10, rect.top + 10);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(button.m_hovering);
    dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    EXPECT_TRUE(button.m_hovering) << "the cursor is still over the button";

    MoveCursorTo(rect.left - 100, rect.top);
    dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    EXPECT_FALSE(button.m_hovering);
  });
}

// The screen pixels of a window's area, row by row. Wine copies what a window drew to the screen
// when its thread next waits for messages, so the reading waits for that first.
std::vector<COLORREF> ScreenPixels(HWND hwnd) {
  for (int settle = 0; settle < 3; ++settle) {
    ::GdiFlush();
    ::Sleep(40);
    MSG msg;
    ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
  }
  CRect rect;
  ::GetWindowRect(hwnd, &rect);
  HDC screen = ::GetDC(nullptr);
  std::vector<COLORREF> pixels;
  for (int y = rect.top; y < rect.bottom; ++y) {
    for (int x = rect.left; x < rect.right; ++x) pixels.push_back(::GetPixel(screen, x, y));
  }
  ::ReleaseDC(nullptr, screen);
  return pixels;
}

TEST(SkinButtonHover, SoftEdgedImagesLookTheSameAfterManyHoverCycles) {
  GameCopy folder;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    SkinButton& button = dialog.m_btnHiClearEnt;
    ASSERT_NE(button.m_imgNormal, nullptr);
    ASSERT_TRUE(button.m_imgNormal->HasAlpha());
    CRect rect;
    button.GetWindowRect(&rect);
    MoveCursorTo(rect.left - 100, rect.top);
    button.UpdateWindow();
    const std::vector<COLORREF> first = ScreenPixels(button.m_hWnd);
    for (int cycle = 0; cycle < 6; ++cycle) {
      MoveCursorTo(rect.left + 20, rect.top + 20);
      button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(20, 20));
      MoveCursorTo(rect.left - 100, rect.top);
      dialog.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(1, 1));
    }
    EXPECT_FALSE(button.m_hovering);
    const std::vector<COLORREF> after = ScreenPixels(button.m_hWnd);
    size_t changed = 0;
    for (size_t i = 0; i < first.size(); ++i) changed += first[i] != after[i];
    EXPECT_EQ(changed, 0u) << "the normal picture is drawn over the skin, not over the glow";
  });
}

std::string CurrentDirectory() {
  char directory[MAX_PATH] = {};
  ::GetCurrentDirectoryA(sizeof directory, directory);
  return directory;
}

TEST(LauncherDialogControls, MovieAndPanelAreMadeOnceAndExitHidesThePanelFirst) {
  GameCopy folder;
  BoxWatcher boxes;
  LauncherDialog dialog;
  std::string movieLine;
  const INT_PTR result = RunDialog(
      folder, dialog,
      [&] {
        ASSERT_NE(dialog.m_flashMovie.get(), nullptr);
        CShockwaveFlash* movie = dialog.m_flashMovie.get();
        HWND movieWindow = movie->m_hWnd;
        EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, 132), movieWindow);
        movieLine = "movie " + CurrentDirectory() + "/data2/interface/StartUp/loadmovie.swf\r\n";
        const std::string log = ReadFile(folder / "standin-flash.log");
        EXPECT_EQ(log, movieLine + "play\r\n");
        dialog.CreateFlashMovie();
        EXPECT_EQ(dialog.m_flashMovie.get(), movie) << "no second wrapper";
        EXPECT_EQ(movie->m_hWnd, movieWindow) << "no second control";
        EXPECT_EQ(ReadFile(folder / "standin-flash.log"), log) << "the movie is not loaded again";

        CDialogInSide& inside = dialog.m_insideDialog;
        EXPECT_TRUE(inside.IsWindowVisible());
        EXPECT_EQ(::GetParent(inside.m_hWnd), dialog.m_hWnd) << "owned by the launcher";
        EXPECT_EQ(::GetDlgItem(inside.m_hWnd, 100), inside.m_browser.m_hWnd);
        EXPECT_EQ(ReadFile(folder / "standin-browser.log"), "navigate web\\news.html\r\n");

        dialog.SendMessage(WM_LAUNCHER_ACTION, ACTION_EXIT, 0);
        EXPECT_FALSE(inside.IsWindowVisible()) << "hidden before the launcher goes";
      },
      false);
  EXPECT_EQ(result, IDCANCEL);
  EXPECT_EQ(dialog.m_flashMovie.get(), nullptr) << "released with the window";
  EXPECT_TRUE(boxes.Texts().empty());
}

// Enter and Escape, pressed while the panel has the keyboard: Enter does nothing there, Escape
// closes the launcher as its exit does.
TEST(LauncherDialogControls, EscapeInThePanelClosesTheLauncherEnterDoesNothing) {
  GameCopy folder;
  LauncherDialog dialog;
  ScopedCurrentDir here(folder.dir());
  bool openAfterEnter = false;
  ModalScript script({
      [&] { ::PostMessageA(dialog.m_insideDialog.m_hWnd, WM_KEYDOWN, VK_RETURN, 0); },
      [&] {
        openAfterEnter = dialog.IsWindowVisible() && dialog.m_insideDialog.IsWindowVisible();
        ::PostMessageA(dialog.m_insideDialog.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0);
      },
      [&] { dialog.EndDialog(77); },
  });
  EXPECT_EQ(script.Run(dialog), IDCANCEL);
  EXPECT_TRUE(openAfterEnter);
}

TEST(LauncherDialogControls, AnEmptyPageLinkGivesABrowserThatGoesNowhere) {
  GameCopy folder;
  folder.Write("ini/play.dat", Scrambled("[Links]\r\nPage=\r\nRegist=web\\register.html\r\n"));
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    EXPECT_NE(dialog.m_insideDialog.m_browser.m_hWnd, nullptr);
    EXPECT_STREQ(dialog.m_btnRegister.m_link, "web\\register.html");
  });
  EXPECT_FALSE(testing_support::FileExists(folder / "standin-browser.log"));
}

TEST(LauncherDialogControls, AMissingPanelImageIsReportedAndThePanelStaysPlainWithItsPage) {
  GameCopy folder;
  folder.Remove("data2/interface/StartUp/InsideStartBG.bmp");
  BoxWatcher boxes;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    CDialogInSide& inside = dialog.m_insideDialog;
    EXPECT_TRUE(inside.IsWindowVisible());
    HRGN region = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_EQ(::GetWindowRgn(inside.m_hWnd, region), ERROR) << "no shape without its image";
    ::DeleteObject(region);
    CRect expected(0, 0, 316, 180);
    ::MapDialogRect(inside.m_hWnd, &expected);
    CRect window;
    inside.GetWindowRect(&window);
    EXPECT_EQ(window.Width(), expected.Width()) << "the template's size";
    CRect browser = ClientRectOf(inside, inside.m_browser);
    EXPECT_EQ(browser, CRect(40, 270, 40 + window.Width(), 270 + window.Height()));
  });
  EXPECT_EQ(boxes.Texts(), std::vector<std::string>{
                               "Load image failed! Please make sure the \"data2/interface/StartUp/"
                               "InsideStartBG.bmp\" file path is correct!"});
  EXPECT_EQ(ReadFile(folder / "standin-browser.log"), "navigate web\\news.html\r\n");
}

TEST(LauncherDialogControls, ControlsThatCannotBeCreatedLeaveTheRestOfTheLauncherWorking) {
  GameCopy folder;
  ScopedVariable noFlash("STANDIN_FLASH_REFUSE", "1");
  ScopedVariable noBrowser("STANDIN_BROWSER_REFUSE", "1");
  BoxWatcher boxes;
  LauncherDialog dialog;
  RunDialog(folder, dialog, [&] {
    ASSERT_NE(dialog.m_flashMovie.get(), nullptr) << "the wrapper stays, without a window";
    EXPECT_EQ(dialog.m_flashMovie->m_hWnd, nullptr);
    EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, 132), nullptr);
    EXPECT_TRUE(dialog.m_insideDialog.IsWindowVisible());
    EXPECT_EQ(dialog.m_insideDialog.m_browser.m_hWnd, nullptr);
    EXPECT_EQ(WindowText(dialog.m_versionLabel.m_hWnd), "版本号:2.3.1029")
        << "initialisation went on";
  });
  EXPECT_TRUE(boxes.Texts().empty());
  EXPECT_FALSE(testing_support::FileExists(folder / "standin-flash.log"));
  EXPECT_FALSE(testing_support::FileExists(folder / "standin-browser.log"));
}

}  // namespace
