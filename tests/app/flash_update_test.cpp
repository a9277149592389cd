// The Flash update flow, in the real launcher dialog that owns it and lends it its texts, in copies
// of the sample game folder: clicks on the tip and on the manual link, the download from a
// scripted loopback server, the progress the tip shows, and the test bed's stand-in installer
// written, started and followed. The flow's state is read from the flow itself.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/launcher_dialog.h"
#include "flash/installer_file.h"
#include "flash/installer_windows.h"
#include "app/startup_files.h"
#include "flash/update_texts.h"
#include "tests/net/scripted_server.h"
#include "tests/support/game_copy.h"
#include "tests/support/scrambled_files.h"
#include "tests/support/test_support.h"
#include "tests/support/windows/hosting_environment.h"
#include "tests/support/windows/installer_image.h"
#include "tests/support/windows/scoped_variable.h"
#include "tests/support/windows/window_text.h"

namespace fs = std::filesystem;
using net_testing::Gate;
using net_testing::Hold;
using net_testing::OkHeader;
using net_testing::ScriptedServer;
using net_testing::Send;
using testing_support::GameCopy;
using testing_support::HostingEnvironment;
using testing_support::InstallerImage;
using testing_support::ReadFile;
using testing_support::ScopedCurrentDir;

namespace {

using testing_support::ScopedVariable;

// ActiveX hosting with a registered Flash control, as after the application's start-up check,
// so every test finds the machine alike whichever ran before it; and Winsock for the test's own
// servers (the flow starts and cleans up its own use of it).
const auto* const kHosting = ::testing::AddGlobalTestEnvironment(
    new HostingEnvironment(HostingEnvironment::kFlashControl | HostingEnvironment::kSockets));

const std::string kInstallerLog = "standin-installer.log";
const std::string kPageLog = "PageOpener.log";

// The lines of a record file the stand-ins write.
std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  for (size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2) {
    lines.push_back(text.substr(start, end - start));
  }
  return lines;
}

// A copy of the sample game folder, with the stand-in page opener beside the launcher's files so
// a test can name it as the manual download page and see it opened.
class GameFolder : public GameCopy {
 public:
  GameFolder() {
    fs::copy_file(fs::path(LAUNCHER_BINARY_DIR) / "testbed" / "PageOpener.exe",
                  *this / "PageOpener.exe");
  }
  std::string ManualPage() const { return (*this / "PageOpener.exe").string(); }
  // Lines the stand-in installer has recorded so far.
  std::vector<std::string> InstallerRecords() const {
    return Lines(ReadFile(*this / kInstallerLog));
  }
};

// What the start-up check returns when it found no usable Flash control: the dialogs here are
// made as the application makes them after such a check.
constexpr int kNoUsableControl = 0;

// The first byte count of `size` at which the share received reaches `percent`.
size_t BytesFor(size_t size, int percent) { return (size * percent + 99) / 100; }

std::string WindowText(const CWnd& window) { return testing_support::WindowText(window.m_hWnd); }

std::string Progress(int percent) {
  char text[64];
  std::snprintf(text, sizeof text, kFlashProgressFormat, percent);
  return text;
}

POINT CentreOf(const CWnd& window) {
  CRect rect;
  window.GetWindowRect(&rect);
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// A mouse message as the dialog's loop meets it, with the cursor over the centre of `over`. Left
// presses go to the static under the cursor rather than to the dialog, whose own press would
// start a window drag.
void MouseOn(const CWnd& over, UINT message) {
  const POINT centre = CentreOf(over);
  testing_support::MoveCursorTo(centre.x, centre.y);
  ::PostMessageA(over.m_hWnd, message, 0, MAKELPARAM(2, 2));
}

// Whether the dialog's update timer was running (it is stopped by asking).
bool TimerWasRunning(LauncherDialog& dialog) { return dialog.KillTimer(FLASH_UPDATE_TIMER) != 0; }

// Test steps inside the dialog's modal loop, one attempt per 20 ms tick: a step that returns false
// is tried again at the next tick, until it returns true or the deadline passes. The dialog is
// ended after the last step (or at the deadline, which fails the test).
class FlowScript {
 public:
  using Step = std::function<bool()>;
  FlowScript(LauncherDialog& dialog, std::vector<Step> steps, DWORD deadlineMs = 30000)
      : dialog_(dialog), steps_(std::move(steps)), deadlineMs_(deadlineMs) {}

  void Run() {
    running_ = this;
    start_ = ::GetTickCount();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 20, Tick);
    dialog_.DoModal();
    ::KillTimer(nullptr, timer);
    running_ = nullptr;
  }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD) {
    FlowScript* script = running_;
    if (script == nullptr || script->busy_ || !::IsWindowVisible(script->dialog_.m_hWnd)) return;
    script->busy_ = true;
    if (script->next_ < script->steps_.size() && script->steps_[script->next_]()) ++script->next_;
    if (script->next_ == script->steps_.size()) {
      script->dialog_.EndDialog(0);
    } else if (::GetTickCount() - script->start_ > script->deadlineMs_) {
      ADD_FAILURE() << "step " << script->next_ << " did not come true in time";
      script->dialog_.EndDialog(0);
    }
    script->busy_ = false;
  }

  static FlowScript* running_;
  LauncherDialog& dialog_;
  std::vector<Step> steps_;
  DWORD deadlineMs_;
  DWORD start_ = 0;
  size_t next_ = 0;
  bool busy_ = false;
};
FlowScript* FlowScript::running_ = nullptr;

// A step that does something once and goes on.
FlowScript::Step Do(const std::function<void()>& action) {
  return [action] {
    action();
    return true;
  };
}

// Waits until `count` records are in `log` (the installer and the page opener are processes of
// their own).
std::vector<std::string> WaitForRecords(const fs::path& log, size_t count) {
  std::vector<std::string> lines;
  for (int wait = 0; wait < 500; ++wait) {
    lines = Lines(ReadFile(log));
    if (lines.size() >= count) break;
    ::Sleep(20);
  }
  return lines;
}

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

// Every test ends any stand-in installer still waiting.
class FlashUpdateTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (const char* title :
         {kInstallerTitle, kInstallerInstallingTitle, kInstallerFinishedTitle}) {
      while (HWND left = ::FindWindowA(kInstallerWindowClass, title)) {
        ::PostMessageA(left, WM_QUIT, 0, 0);
        ::Sleep(200);
        if (::FindWindowA(kInstallerWindowClass, title) == left) break;
      }
    }
  }
  void SetLink(LauncherDialog& dialog, LinkSlot slot, const std::string& value) {
    CopyLink(dialog.m_links.slots[slot], kLinkSlotSize, value.c_str());
  }

  GameFolder folder_;
};

TEST_F(FlashUpdateTest, TheTipIsOfferedOnlyAfterAFailedCheckWithAnAddressToDownloadFrom) {
  auto tipAfterStart = [&](int checkResult, std::string* text) {
    LauncherDialog dialog(nullptr, checkResult);
    ScopedCurrentDir here(folder_.dir());
    bool visible = false;
    FlowScript(dialog, {Do([&] {
                 visible = dialog.m_flashTip.IsWindowVisible();
                 *text = WindowText(dialog.m_flashTip);
                 EXPECT_FALSE(dialog.m_flashManual.IsWindowVisible());
               })})
        .Run();
    return visible;
  };
  std::string text;
  EXPECT_TRUE(tipAfterStart(0, &text));
  EXPECT_EQ(text, kFlashTipOffer);
  EXPECT_FALSE(tipAfterStart(1, &text)) << "a usable control was found";

  std::string links = "[Links]\r\nPage=web\\news.html\r\nFlashHttpHand=web\\flash.html\r\n";
  folder_.Write("ini/play.dat", testing_support::Scrambled(links));
  EXPECT_FALSE(tipAfterStart(0, &text)) << "nowhere to download from";
}

TEST_F(FlashUpdateTest, ClicksOffTheTextsOnAHiddenTipOrWithoutTheirLinksDoNothing) {
  ScriptedServer server({Send(OkHeader(10)), Hold()});
  LauncherDialog dialog(nullptr, kNoUsableControl);
  FlashUpdateFlow& flow = dialog.FlashUpdate();
  ScopedCurrentDir here(folder_.dir());
  FlowScript(dialog,
             {
                 Do([&] {
                   SetLink(dialog, kSlotFlashHttp, server.Url("flash/flashSetUp.exe"));
                   SetLink(dialog, kSlotFlashHttpHand, "");
                   // Off the tip: over the version label.
                   MouseOn(dialog.m_versionLabel, WM_LBUTTONDOWN);
                   MouseOn(dialog.m_versionLabel, WM_RBUTTONDBLCLK);
                 }),
                 Do([&] {
                   dialog.m_flashTip.ShowWindow(SW_HIDE);
                   MouseOn(dialog.m_flashTip, WM_LBUTTONDOWN);
                 }),
                 Do([&] {
                   dialog.m_flashTip.ShowWindow(SW_SHOW);
                   SetLink(dialog, kSlotFlashHttp, "");
                   MouseOn(dialog.m_flashTip, WM_LBUTTONDOWN);
                   MouseOn(dialog.m_flashTip, WM_LBUTTONUP);
                   // The manual link shown, but without its page.
                   dialog.m_flashManual.SetWindowText(kFlashManualLink);
                   dialog.m_flashManual.ShowWindow(SW_SHOW);
                   MouseOn(dialog.m_flashManual, WM_LBUTTONDOWN);
                 }),
                 Do([&] {
                   EXPECT_EQ(WindowText(dialog.m_flashTip), kFlashTipOffer);
                   EXPECT_TRUE(dialog.m_flashTip.IsWindowVisible());
                   EXPECT_TRUE(dialog.m_flashManual.IsWindowVisible());
                   EXPECT_EQ(flow.m_downloadArmed, 1);
                   EXPECT_FALSE(TimerWasRunning(dialog));
                 }),
             })
      .Run();
  ::Sleep(100);
  EXPECT_TRUE(server.Requests().empty()) << "no download was asked for";
}

TEST_F(FlashUpdateTest, ARefusedConnectionIsReportedAndTheNextClickTriesAgain) {
  net_testing::RefusedPort refused;
  ScriptedServer server({Send(OkHeader(10)), Hold()});
  LauncherDialog dialog(nullptr, kNoUsableControl);
  FlashUpdateFlow& flow = dialog.FlashUpdate();
  flow.m_downloader.connectTimeout = 300;
  ScopedCurrentDir here(folder_.dir());
  FlowScript(dialog, {
                         Do([&] {
                           SetLink(dialog, kSlotFlashHttp, refused.Url("flash/flashSetUp.exe"));
                           ASSERT_NE(::GetFocus(), nullptr);
                           MouseOn(dialog.m_flashTip, WM_LBUTTONDOWN);
                         }),
                         [&] { return WindowText(dialog.m_flashTip) == kFlashConnectTimeout; },
                         Do([&] {
                           EXPECT_EQ(flow.m_downloadArmed, 1) << "a later click may try again";
                           EXPECT_EQ(dialog.m_clickLatch, 0)
                               << "the failed click skipped the buttons' hit test";
                           EXPECT_FALSE(TimerWasRunning(dialog));
                           // The release of the same click, now with a server to answer.
                           SetLink(dialog, kSlotFlashHttp, server.Url("flash/flashSetUp.exe"));
                           MouseOn(dialog.m_flashTip, WM_LBUTTONUP);
                         }),
                         [&] { return flow.m_downloadArmed == 0 && !server.Requests().empty(); },
                         Do([&] { EXPECT_TRUE(TimerWasRunning(dialog)); }),
                     })
      .Run();
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].rfind("GET /flash/flashSetUp.exe HTTP/1.1\r\n", 0), 0u);
}

// The ticks are sent by the test, so each sees the percentage the server's gates allow.
TEST_F(FlashUpdateTest,
       RealPercentagesShowTenThenTwentyThenTheInstallerRunsAndTheTipClimbsToNinetyFive) {
  const std::string image = InstallerImage("quiet");
  const size_t at30 = BytesFor(image.size(), 30), at60 = BytesFor(image.size(), 60);
  ScriptedServer server({Send(OkHeader(image.size())), Send(image.substr(0, at30)), Gate(),
                         Send(image.substr(at30, at60 - at30)), Gate(), Send(image.substr(at60))});
  LauncherDialog dialog(nullptr, kNoUsableControl);
  FlashUpdateFlow& flow = dialog.FlashUpdate();
  ScopedCurrentDir here(folder_.dir());
  std::vector<std::string> tips;
  auto tick = [&] {
    flow.OnTimer(FLASH_UPDATE_TIMER);
    tips.push_back(WindowText(dialog.m_flashTip));
  };
  auto percentIs = [&](int percent) {
    return [&flow, percent] { return flow.m_downloader.GetPercent() == percent; };
  };
  FlowScript(dialog,
             {
                 Do([&] {
                   SetLink(dialog, kSlotFlashHttp, server.Url("flash/flashSetUp.exe"));
                   MouseOn(dialog.m_flashTip, WM_LBUTTONDOWN);
                 }),
                 [&] { return flow.m_downloadArmed == 0; },
                 Do([&] { dialog.KillTimer(FLASH_UPDATE_TIMER); }),
                 percentIs(30),
                 Do(tick),
                 Do([&] { server.OpenGate(); }),
                 percentIs(60),
                 Do(tick),
                 Do([&] { server.OpenGate(); }),
                 percentIs(100),
                 Do([&] {
                   tick();
                   EXPECT_EQ(flow.m_installerStarted, 1);
                   EXPECT_EQ(flow.shownPercent, 80);
                   EXPECT_TRUE(dialog.m_flashManual.IsWindowVisible());
                   EXPECT_EQ(WindowText(dialog.m_flashManual), kFlashManualLink);
                 }),
                 Do(tick),
                 Do(tick),
                 Do(tick),
                 Do(tick),
             })
      .Run();
  EXPECT_EQ(tips, (std::vector<std::string>{Progress(10), Progress(20), Progress(20), Progress(85),
                                            Progress(90), Progress(95), Progress(95)}));
  EXPECT_EQ(ReadFile(folder_ / "flashSetUp.exe"), image) << "written whole, byte for byte";
  const std::vector<std::string> records = WaitForRecords(folder_ / kInstallerLog, 1);
  ASSERT_EQ(records.size(), 1u);
  EXPECT_TRUE(Contains(records[0], "started quiet show=7 flags=0x1")) << records[0];
  EXPECT_TRUE(Contains(records[0], folder_.dir().string())) << "the launcher's directory";
}

TEST_F(FlashUpdateTest, ABodyThatNeverStartsShowsZeroWithTheManualLinkFromTheFirstTick) {
  ScriptedServer server({Send(OkHeader(5000)), Hold()});
  LauncherDialog dialog(nullptr, kNoUsableControl);
  ScopedCurrentDir here(folder_.dir());
  DWORD clicked = 0;
  // Each text the tip shows, and whether the manual link was offered with it.
  std::vector<std::string> tips;
  auto watch = [&] {
    std::string text = WindowText(dialog.m_flashTip) +
                       (dialog.m_flashManual.IsWindowVisible() ? " + manual link" : "");
    if (tips.empty() || tips.back() != text) tips.push_back(text);
  };
  FlowScript(dialog,
             {
                 Do([&] {
                   SetLink(dialog, kSlotFlashHttp, server.Url("flash/flashSetUp.exe"));
                   watch();
                   MouseOn(dialog.m_flashTip, WM_LBUTTONDOWN);
                   clicked = ::GetTickCount();
                 }),
                 [&] {
                   watch();
                   return ::GetTickCount() - clicked > 2500;
                 },
                 Do([&] { EXPECT_EQ(WindowText(dialog.m_flashManual), kFlashManualLink); }),
             })
      .Run();
  // Two or three ticks have passed: the first already showed 0 with the link, the others kept it.
  EXPECT_EQ(tips, (std::vector<std::string>{kFlashTipOffer, Progress(0) + " + manual link"}));
}

// Also: a download under way keeps the downloader; should the tip be clicked again, the flow goes
// on following that download and asks for no other (which the downloader would refuse).
TEST_F(FlashUpdateTest, RightDoubleClicksCountAsClicksWhileRightPressesAndReleasesDoNot) {
  ScriptedServer server({Hold()});
  LauncherDialog dialog(nullptr, kNoUsableControl);
  FlashUpdateFlow& flow = dialog.FlashUpdate();
  ScopedCurrentDir here(folder_.dir());
  FlowScript(dialog, {
                         Do([&] {
                           SetLink(dialog, kSlotFlashHttp, server.Url("flash/flashSetUp.exe"));
                           SetLink(dialog, kSlotFlashHttpHand, folder_.ManualPage());
                           MouseOn(dialog.m_flashTip, WM_RBUTTONDOWN);
                           MouseOn(dialog.m_flashTip, WM_RBUTTONUP);
                         }),
                         Do([&] {
                           EXPECT_EQ(flow.m_downloadArmed, 1);
                           MouseOn(dialog.m_flashTip, WM_RBUTTONDBLCLK);
                         }),
                         [&] { return flow.m_downloadArmed == 0 && !server.Requests().empty(); },
                         Do([&] {
                           flow.m_downloadArmed = 1;
                           MouseOn(dialog.m_flashTip, WM_RBUTTONDBLCLK);
                         }),
                         Do([&] {
                           EXPECT_EQ(flow.m_downloadArmed, 0);
                           EXPECT_NE(WindowText(dialog.m_flashTip), kFlashConnectTimeout);
                         }),
                         [&] { return dialog.m_flashManual.IsWindowVisible(); },
                         Do([&] {
                           MouseOn(dialog.m_flashManual, WM_RBUTTONDOWN);
                           MouseOn(dialog.m_flashManual, WM_RBUTTONUP);
                         }),
                         Do([&] {
                           EXPECT_TRUE(dialog.m_flashManual.IsWindowVisible());
                           MouseOn(dialog.m_flashManual, WM_RBUTTONDBLCLK);
                         }),
                         Do([&] {
                           EXPECT_FALSE(dialog.m_flashManual.IsWindowVisible());
                           EXPECT_FALSE(dialog.m_flashTip.IsWindowVisible());
                           EXPECT_EQ(WindowText(dialog.m_flashTip), "");
                           EXPECT_TRUE(flow.m_downloader.IsStopped());
                           EXPECT_FALSE(TimerWasRunning(dialog));
                         }),
                     })
      .Run();
  EXPECT_EQ(server.Requests().size(), 1u) << "one download";
  const std::vector<std::string> opened = WaitForRecords(folder_ / kPageLog, 1);
  ASSERT_EQ(opened.size(), 1u) << "the manual page opened once";
  EXPECT_TRUE(Contains(opened[0], "PageOpener.exe")) << opened[0];
}

// The banner's control could not be made at start-up; the finished installation brings it back.
TEST_F(FlashUpdateTest,
       AManualClickWhileInstallingOnlyHidesTheLinkAndTheFinishedInstallerIsToldToQuit) {
  const std::string image = InstallerImage("install", 300, 2500);
  ScriptedServer server({Send(OkHeader(image.size())), Send(image)});
  LauncherDialog dialog(nullptr, kNoUsableControl);
  FlashUpdateFlow& flow = dialog.FlashUpdate();
  ScopedCurrentDir here(folder_.dir());
  auto noFlash = std::make_unique<ScopedVariable>("STANDIN_FLASH_REFUSE", "1");
  FlowScript(dialog, {
                         Do([&] {
                           ASSERT_NE(dialog.m_flashMovie.get(), nullptr);
                           EXPECT_EQ(dialog.m_flashMovie->m_hWnd, nullptr);
                           noFlash.reset();
                           SetLink(dialog, kSlotFlashHttp, server.Url("flash/flashSetUp.exe"));
                           SetLink(dialog, kSlotFlashHttpHand, folder_.ManualPage());
                           MouseOn(dialog.m_flashTip, WM_LBUTTONDOWN);
                         }),
                         [&] {
                           return ::FindWindowA(kInstallerWindowClass, kInstallerInstallingTitle) !=
                                      nullptr &&
                                  dialog.m_flashManual.IsWindowVisible();
                         },
                         Do([&] { MouseOn(dialog.m_flashManual, WM_LBUTTONDOWN); }),
                         Do([&] {
                           EXPECT_FALSE(dialog.m_flashManual.IsWindowVisible());
                           EXPECT_TRUE(dialog.m_flashTip.IsWindowVisible()) << "the flow goes on";
                         }),
                         [&] { return !dialog.m_flashTip.IsWindowVisible(); },
                         Do([&] {
                           EXPECT_EQ(flow.shownPercent, 100);
                           EXPECT_FALSE(TimerWasRunning(dialog));
                           ASSERT_NE(dialog.m_flashMovie.get(), nullptr);
                           EXPECT_NE(dialog.m_flashMovie->m_hWnd, nullptr)
                               << "the banner is made again";
                           EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, 132), dialog.m_flashMovie->m_hWnd);
                         }),
                     })
      .Run();
  const std::vector<std::string> records = WaitForRecords(folder_ / kInstallerLog, 2);
  ASSERT_EQ(records.size(), 2u);
  EXPECT_TRUE(Contains(records[1], "ended WM_QUIT")) << records[1];
  EXPECT_FALSE(testing_support::FileExists(folder_ / kPageLog)) << "no page while installing";
  const std::string banner = ReadFile(folder_ / "standin-flash.log");
  EXPECT_TRUE(Contains(banner, "/data2/interface/StartUp/loadmovie.swf\r\nplay\r\n")) << banner;
}

TEST_F(FlashUpdateTest, AnOutOfDateInstallerIsReportedTheTimerStopsAndTheManualPageRemains) {
  const std::string image = InstallerImage("outdated");
  ScriptedServer server({Send(OkHeader(image.size())), Send(image)});
  LauncherDialog dialog(nullptr, kNoUsableControl);
  ScopedCurrentDir here(folder_.dir());
  FlowScript(dialog,
             {
                 Do([&] {
                   SetLink(dialog, kSlotFlashHttp, server.Url("flash/flashSetUp.exe"));
                   SetLink(dialog, kSlotFlashHttpHand, folder_.ManualPage());
                   MouseOn(dialog.m_flashTip, WM_LBUTTONDOWN);
                 }),
                 [&] { return WindowText(dialog.m_flashTip) == kFlashOutdated; },
                 Do([&] {
                   EXPECT_FALSE(TimerWasRunning(dialog));
                   EXPECT_NE(::FindWindowA(kInstallerWindowClass, kInstallerTitle), nullptr);
                   MouseOn(dialog.m_flashManual, WM_LBUTTONDOWN);
                 }),
                 Do([&] {
                   EXPECT_FALSE(dialog.m_flashTip.IsWindowVisible());
                   EXPECT_FALSE(dialog.m_flashManual.IsWindowVisible());
                 }),
             })
      .Run();
  EXPECT_EQ(WaitForRecords(folder_ / kPageLog, 1).size(), 1u) << "the manual page opened";
}

int g_createCalls = 0;
FlashUpdateFlow* g_promptingFlow = nullptr;
BOOL WINAPI CreateProcessAskingForElevation(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES,
                                            LPSECURITY_ATTRIBUTES, BOOL, DWORD, LPVOID, LPCSTR,
                                            LPSTARTUPINFOA, LPPROCESS_INFORMATION) {
  ++g_createCalls;
  // The elevation prompt pumps messages: the update's tick can arrive in the middle of the start.
  if (g_promptingFlow != nullptr) g_promptingFlow->OnTimer(FLASH_UPDATE_TIMER);
  ::SetLastError(740);  // ERROR_ELEVATION_REQUIRED
  return FALSE;
}
BOOL WINAPI CreateProcessDenied(LPCSTR, LPSTR, LPSECURITY_ATTRIBUTES, LPSECURITY_ATTRIBUTES, BOOL,
                                DWORD, LPVOID, LPCSTR, LPSTARTUPINFOA, LPPROCESS_INFORMATION) {
  ::SetLastError(ERROR_ACCESS_DENIED);
  return FALSE;
}

class ElevationSeam {
 public:
  explicit ElevationSeam(InstallerCreateProcess seam) { SetInstallerCreateProcessForTesting(seam); }
  ~ElevationSeam() { SetInstallerCreateProcessForTesting(nullptr); }
};

TEST_F(FlashUpdateTest, AnInstallerThatAsksForElevationIsStartedThroughTheShell) {
  const std::string image = InstallerImage("quiet");
  ScriptedServer server({Send(OkHeader(image.size())), Send(image)});
  LauncherDialog dialog(nullptr, kNoUsableControl);
  FlashUpdateFlow& flow = dialog.FlashUpdate();
  ScopedCurrentDir here(folder_.dir());
  g_createCalls = 0;
  g_promptingFlow = &flow;
  {
    ElevationSeam seam(CreateProcessAskingForElevation);
    FlowScript(dialog,
               {
                   Do([&] {
                     SetLink(dialog, kSlotFlashHttp, server.Url("flash/flashSetUp.exe"));
                     MouseOn(dialog.m_flashTip, WM_LBUTTONDOWN);
                   }),
                   [&] { return flow.m_installerStarted == 1; },
               })
        .Run();
  }
  g_promptingFlow = nullptr;
  EXPECT_EQ(g_createCalls, 1) << "a tick during the prompt does not start the installer again";
  std::vector<std::string> records = WaitForRecords(folder_ / kInstallerLog, 1);
  ASSERT_EQ(records.size(), 1u) << "started by the shell";
  EXPECT_TRUE(Contains(records[0], "started quiet show=7")) << records[0];

  // Any other failure is not an elevation request: nothing is started.
  ElevationSeam seam(CreateProcessDenied);
  EXPECT_FALSE(StartInstaller(kFlashInstallerPath));
  ::Sleep(300);
  EXPECT_EQ(folder_.InstallerRecords().size(), 1u);
}

TEST_F(FlashUpdateTest, AnInstallerThatCannotBeWrittenIsNotRunAndTheManualPageIsOffered) {
  const std::string image = InstallerImage("quiet");
  ScriptedServer server({Send(OkHeader(image.size())), Send(image)});
  // A folder in the file's place: the file cannot be created.
  fs::create_directory(folder_.dir() / "flashSetUp.exe");
  LauncherDialog dialog(nullptr, kNoUsableControl);
  FlashUpdateFlow& flow = dialog.FlashUpdate();
  ScopedCurrentDir here(folder_.dir());
  FlowScript(dialog,
             {
                 Do([&] {
                   SetLink(dialog, kSlotFlashHttp, server.Url("flash/flashSetUp.exe"));
                   MouseOn(dialog.m_flashTip, WM_LBUTTONDOWN);
                 }),
                 [&] { return WindowText(dialog.m_flashTip) == kFlashSaveFailed; },
                 Do([&] {
                   EXPECT_TRUE(dialog.m_flashManual.IsWindowVisible());
                   EXPECT_EQ(flow.m_installerStarted, 0);
                   EXPECT_FALSE(TimerWasRunning(dialog));
                 }),
             })
      .Run();
  ::Sleep(300);
  EXPECT_TRUE(folder_.InstallerRecords().empty()) << "nothing was started";
}

// Each way a download or an installation can fail ends with a text, the manual link and the timer
// stopped, and the next click on the tip starts a fresh download.
TEST_F(FlashUpdateTest,
       ARefusedOrCutDownloadOrAnInstallerThatWillNotStartLetsTheNextClickStartAfresh) {
  const std::string image = InstallerImage("quiet");
  const struct {
    const char* kind;
    std::vector<net_testing::Step> script;
    bool startFails;
    const char* text;
  } cases[] = {
      {"404",
       {Send("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nnot found")},
       false,
       kFlashDownloadFailed},
      {"cut short",
       {Send(OkHeader(image.size()) + image.substr(0, image.size() / 2))},
       false,
       kFlashDownloadFailed},
      {"will not start", {Send(OkHeader(image.size()) + image)}, true, kFlashStartFailed},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    ScriptedServer failing(c.script);
    ScriptedServer working({Send(OkHeader(image.size())), Send(image)});
    LauncherDialog dialog(nullptr, kNoUsableControl);
    FlashUpdateFlow& flow = dialog.FlashUpdate();
    ScopedCurrentDir here(folder_.dir());
    std::unique_ptr<ElevationSeam> seam;
    if (c.startFails) seam = std::make_unique<ElevationSeam>(CreateProcessDenied);
    FlowScript(dialog, {
                           Do([&] {
                             SetLink(dialog, kSlotFlashHttp, failing.Url("flash/flashSetUp.exe"));
                             MouseOn(dialog.m_flashTip, WM_LBUTTONDOWN);
                           }),
                           [&] { return WindowText(dialog.m_flashTip) == c.text; },
                           Do([&] {
                             EXPECT_TRUE(dialog.m_flashManual.IsWindowVisible());
                             EXPECT_FALSE(TimerWasRunning(dialog));
                             EXPECT_EQ(flow.m_downloadArmed, 1);
                             EXPECT_EQ(flow.m_installerStarted, 0);
                             seam.reset();
                             SetLink(dialog, kSlotFlashHttp, working.Url("flash/flashSetUp.exe"));
                             MouseOn(dialog.m_flashTip, WM_LBUTTONDOWN);
                           }),
                           [&] { return flow.m_installerStarted == 1; },
                       })
        .Run();
    EXPECT_EQ(working.Requests().size(), 1u);
    EXPECT_EQ(WaitForRecords(folder_ / kInstallerLog, 1).size(), 1u) << "the fresh download ran";
    TearDown();
    std::error_code ignored;
    fs::remove(folder_.dir() / kInstallerLog, ignored);
  }
}

// What the server sends is checked before anything is written: not a program, or not the one the
// game folder pins, and nothing is written or started; a mistyped pin downloads nothing at all.
TEST_F(FlashUpdateTest, AnInstallerThatIsNotAProgramOrNotThePinnedOneIsNeitherWrittenNorRun) {
  const std::string page = "<html><body>Flash Player</body></html>" + std::string(200, ' ');
  const std::string image = InstallerImage("quiet");
  InstallerPin otherFile;
  otherFile.state = InstallerPin::kValid;
  otherFile.digest[0] = 1;
  InstallerPin malformed;
  malformed.state = InstallerPin::kMalformed;
  const struct {
    const char* kind;
    std::string body;
    InstallerPin pin;
    const char* logged;
  } cases[] = {
      {"html page", page, InstallerPin{}, "Flash installer refused: it is not a Windows program"},
      {"another file's digest", image, otherFile,
       "Flash installer refused: its SHA-256 is not the one FlashHttpSha256 names"},
      {"malformed pin", image, malformed,
       "Flash installer not downloaded: FlashHttpSha256 in ini/play.dat is not 64 hex digits"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    ScriptedServer server({Send(OkHeader(c.body.size()) + c.body)});
    LauncherDialog dialog(nullptr, kNoUsableControl);
    FlashUpdateFlow& flow = dialog.FlashUpdate();
    ScopedCurrentDir here(folder_.dir());
    FlowScript(dialog,
               {
                   Do([&] {
                     flow.m_installerPin = c.pin;
                     SetLink(dialog, kSlotFlashHttp, server.Url("flash/flashSetUp.exe"));
                     MouseOn(dialog.m_flashTip, WM_LBUTTONDOWN);
                   }),
                   [&] { return WindowText(dialog.m_flashTip) == kFlashVerifyFailed; },
                   Do([&] {
                     EXPECT_TRUE(dialog.m_flashManual.IsWindowVisible());
                     EXPECT_FALSE(TimerWasRunning(dialog));
                     EXPECT_EQ(flow.m_downloadArmed, 1);
                   }),
               })
        .Run();
    EXPECT_FALSE(fs::exists(folder_.dir() / "flashSetUp.exe"));
    EXPECT_NE(ReadFile(folder_ / "debug.log").find(c.logged), std::string::npos);
    if (c.pin.state == InstallerPin::kMalformed) {
      EXPECT_TRUE(server.Requests().empty());
    }
  }
  ::Sleep(300);
  EXPECT_TRUE(folder_.InstallerRecords().empty()) << "nothing was started";
}

}  // namespace
