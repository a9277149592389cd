// The Flash update as a player meets it, seen from outside the launcher: in a game folder where
// the start-up Flash check finds no usable control, the tip is clicked, the installer comes from
// a loopback server at a player's pace, is written beside the launcher and started, and its
// windows are followed until the launcher tells it to quit. The tip's texts are read as they
// change; the run's timings are printed.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/windows/box_watcher.h"
#include "tests/support/windows/flash_machine.h"
#include "flash/system_sha256.h"
#include "tests/support/game_copy.h"
#include "tests/support/scrambled_files.h"
#include "tests/support/windows/installer_image.h"
#include "tests/e2e/input.h"
#include "tests/e2e/launcher_process.h"
#include "tests/e2e/run_log.h"
#include "tests/support/windows/scoped_variable.h"
#include "tests/net/scripted_server.h"

namespace fs = std::filesystem;

namespace e2e {
namespace {

using testing_support::ScopedVariable;

constexpr int kTipId = 1003;
constexpr int kManualId = 1004;
constexpr const char* kProgressPrefix = "Flash插件版本更新中.......";

// The stand-in installer as a full installation: its main window for a second, the installing
// one for a second and a half, then the finished one.
std::string FullInstallation() {
  return testing_support::InstallerImage("install", 1000, 1500, 30000);
}

// The copy's links with the download address replaced and, when `pin` is given, the installer's
// digest pinned beside it.
void PointDownloadAt(const GameCopy& game, const std::string& url, const std::string& pin = "") {
  testing_support::EditScrambledFile(game / "ini/play.dat", [&](std::string& links) {
    const size_t key = links.find("FlashHttp=");
    ASSERT_NE(key, std::string::npos) << links;
    const size_t end = links.find_first_of("\r\n", key);
    links.replace(key, end - key,
                  "FlashHttp=" + url + (pin.empty() ? "" : "\r\nFlashHttpSha256=" + pin));
  });
}

// The SHA-256 of `bytes` in upper-case hex, from the system's CryptoAPI provider (the launcher
// takes the CNG one where it can, so the two are checked against each other).
std::string UpperHexDigest(const std::string& bytes) {
  unsigned char digest[kSystemSha256Size] = {};
  EXPECT_TRUE(SystemSha256(bytes.data(), bytes.size(), digest, Sha256Provider::kCryptoApi));
  std::string hex;
  for (unsigned char byte : digest) {
    char pair[3];
    std::snprintf(pair, sizeof pair, "%02X", byte);
    hex += pair;
  }
  return hex;
}

// A folder where the start-up check finds no usable control: the control cannot be created,
// registering one fails, and there is no flash.ocx to install.
struct NoFlashControl {
  explicit NoFlashControl(const GameCopy& game) { game.Remove("flash.ocx"); }
  ScopedVariable noControl{"STANDIN_FLASH_REFUSE", "1"};
  testing_support::ScopedStandInSetting noRegistration{"RegisterFails", 1};
};

// Clicks the centre of the tip once it is offered.
void ClickTheTip(HWND launcher) {
  HWND tip = ::GetDlgItem(launcher, kTipId);
  ASSERT_NE(tip, nullptr);
  ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(tip) != FALSE; }, 3000))
      << "the tip is offered after the failed check";
  EXPECT_EQ(WindowText(tip), "Flash插件需要更新,点击此处下载");
  RECT tipRect{};
  ::GetWindowRect(tip, &tipRect);
  ASSERT_TRUE(ClickAt((tipRect.left + tipRect.right) / 2, (tipRect.top + tipRect.bottom) / 2));
}

// What the two texts show, read from outside every few milliseconds; each change is kept with the
// time it was seen.
class TextWatch {
 public:
  struct Seen {
    DWORD at;
    std::string tip;     // empty while hidden
    std::string manual;  // empty while hidden
  };
  explicit TextWatch(HWND launcher) : launcher_(launcher), thread_([this] { Watch(); }) {}
  ~TextWatch() {
    stop_ = true;
    thread_.join();
  }
  std::vector<Seen> Changes() {
    std::lock_guard<std::mutex> hold(lock_);
    return changes_;
  }

 private:
  static std::string Shown(HWND text) {
    return text != nullptr && ::IsWindowVisible(text) ? WindowText(text) : std::string();
  }
  void Watch() {
    while (!stop_) {
      // The launcher changes the tip before the manual link, each time. Reading them in the
      // other order, a sample that falls between its two changes is one it really showed.
      std::string manual = Shown(::GetDlgItem(launcher_, kManualId));
      Seen now{::GetTickCount(), Shown(::GetDlgItem(launcher_, kTipId)), std::move(manual)};
      {
        std::lock_guard<std::mutex> hold(lock_);
        if (changes_.empty() || changes_.back().tip != now.tip ||
            changes_.back().manual != now.manual) {
          changes_.push_back(now);
        }
      }
      ::Sleep(5);
    }
  }

  HWND launcher_;
  std::atomic<bool> stop_{false};
  std::mutex lock_;
  std::vector<Seen> changes_;
  std::thread thread_;
};

// The percentage of a progress text, or -1 for any other text.
int ProgressOf(const std::string& tip) {
  const std::string prefix = kProgressPrefix;
  if (tip.rfind(prefix, 0) != 0 || tip.back() != '%') return -1;
  return std::atoi(tip.c_str() + prefix.size());
}

// The server writes its header names in lower case and no blank after the colon, as some servers
// and proxies do; the game folder pins the installer's digest, written in upper-case hex.
TEST(FlashUpdate, TheTipDownloadsRunsAndFollowsTheInstallerToItsEnd) {
  net_testing::WinsockSession winsock;
  const std::string image = FullInstallation();
  // Ten pieces a little under half a second apart: a download of a few seconds.
  std::vector<net_testing::Step> script{net_testing::Send(
      "HTTP/1.1 200 OK\r\ncontent-type:application/octet-stream\r\ncontent-length:" +
      std::to_string(image.size()) + "\r\n\r\n")};
  const size_t piece = image.size() / 10 + 1;
  for (size_t at = 0; at < image.size(); at += piece) {
    script.push_back(net_testing::Pause(450));
    script.push_back(net_testing::Send(image.substr(at, piece)));
  }
  net_testing::ScriptedServer server(script);

  GameCopy game;
  NoFlashControl noFlash(game);
  PointDownloadAt(game, server.Url("flash/flashSetUp.exe"), UpperHexDigest(image));

  testing_support::BoxWatcher boxes;
  LauncherProcess launcher(game / "Play.exe", game.dir());
  HWND window = launcher.WaitUntilReady();
  ASSERT_NE(window, nullptr) << "the launcher did not come up";
  HWND tip = ::GetDlgItem(window, kTipId);
  TextWatch texts(window);
  const DWORD clicked = ::GetTickCount();
  ClickTheTip(window);
  if (HasFatalFailure()) return;

  ASSERT_TRUE(server.WaitConnections(1)) << "the download did not end";
  const DWORD downloaded = ::GetTickCount();
  const fs::path log = game / "standin-installer.log";
  ASSERT_EQ(WaitForRunRecords(log, 1, 15000).size(), 1u) << "the installer did not start";
  const DWORD started = ::GetTickCount();
  HWND manual = ::GetDlgItem(window, kManualId);
  ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(tip) && !::IsWindowVisible(manual); }, 20000))
      << "the texts did not go";
  const DWORD done = ::GetTickCount();

  const std::vector<RunRecord> records = WaitForRunRecords(log, 2);
  ASSERT_EQ(records.size(), 2u);
  ASSERT_EQ(records[0].size(), 3u);
  EXPECT_EQ(records[0][1], game.Text()) << "started in the launcher's folder";
  EXPECT_EQ(records[0][2], "started install show=7 flags=0x1") << "minimised, not activated";
  EXPECT_EQ(records[1].back(), "ended WM_QUIT") << "the finished window was told to quit";
  EXPECT_EQ(game.Read("flashSetUp.exe"), image) << "byte for byte what the server sent";
  EXPECT_TRUE(launcher.Running());

  // The texts along the way: the offer, then progress that only climbs, the manual link offered
  // beside it, and both gone at the end.
  // The watch samples every few milliseconds: let it see the end the test saw directly.
  EXPECT_TRUE(WaitFor(
      [&] {
        const std::vector<TextWatch::Seen> now = texts.Changes();
        return !now.empty() && now.back().tip.empty() && now.back().manual.empty();
      },
      2000));
  const std::vector<TextWatch::Seen> seen = texts.Changes();
  ASSERT_GE(seen.size(), 3u);
  EXPECT_EQ(seen.front().tip, "Flash插件需要更新,点击此处下载");
  EXPECT_EQ(seen.back().tip, "");
  EXPECT_EQ(seen.back().manual, "");
  int last = 0;
  bool manualOffered = false;
  for (size_t i = 1; i < seen.size(); ++i) {
    if (seen[i].tip.empty()) continue;  // the tip goes first at the end
    const int percent = ProgressOf(seen[i].tip);
    EXPECT_GE(percent, last) << "text " << i << ": " << seen[i].tip;
    last = percent;
    if (!seen[i].manual.empty()) {
      manualOffered = true;
      EXPECT_EQ(seen[i].manual, "手动更新");
    }
  }
  EXPECT_TRUE(manualOffered);
  EXPECT_GE(last, 85) << "the installer's run was followed";
  EXPECT_TRUE(boxes.Texts().empty());

  std::printf(
      "flash update: %zu-byte installer; after the click: downloaded %lu ms, installer "
      "started %lu ms, done %lu ms\n",
      image.size(), static_cast<unsigned long>(downloaded - clicked),
      static_cast<unsigned long>(started - clicked), static_cast<unsigned long>(done - clicked));
  for (const TextWatch::Seen& change : seen) {
    std::printf("  %6ld ms  tip \"%s\"  manual \"%s\"\n",
                static_cast<long>(change.at) - static_cast<long>(clicked), change.tip.c_str(),
                change.manual.c_str());
  }
}

// What comes back is not the installer: an HTML page served with 200, or a program whose digest is
// not the one pinned. Nothing is written or started, and the player is sent to the manual page.
TEST(FlashUpdate, ABodyThatIsNotTheInstallerIsNeitherWrittenNorStarted) {
  net_testing::WinsockSession winsock;
  const std::string page =
      "<html><head><title>Flash</title></head><body>Get Flash Player here."
      "</body></html>\r\n";
  const std::string image = FullInstallation();
  const struct {
    const char* kind;
    std::string body;
    std::string pin;
  } cases[] = {
      {"an html page", page, ""},
      {"another file's digest", image, UpperHexDigest(page)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    net_testing::ScriptedServer server(
        {net_testing::Send(net_testing::OkHeader(c.body.size()) + c.body)});
    GameCopy game;
    NoFlashControl noFlash(game);
    PointDownloadAt(game, server.Url("flash/flashSetUp.exe"), c.pin);
    testing_support::BoxWatcher boxes;
    LauncherProcess launcher(game / "Play.exe", game.dir());
    HWND window = launcher.WaitUntilReady();
    ASSERT_NE(window, nullptr) << "the launcher did not come up";
    ClickTheTip(window);
    if (HasFatalFailure()) return;
    HWND tip = ::GetDlgItem(window, kTipId);
    HWND manual = ::GetDlgItem(window, kManualId);
    // The tip's text changes a moment before the link shows: wait for both.
    EXPECT_TRUE(WaitFor(
        [&] {
          return WindowText(tip) == "Flash插件校验失败,请手动下载!" && ::IsWindowVisible(manual);
        },
        15000))
        << WindowText(tip);
    EXPECT_EQ(WindowText(manual), "手动更新");
    ::Sleep(1500);  // a tick more: still nothing on disk, nothing started
    EXPECT_FALSE(fs::exists(game / "flashSetUp.exe"));
    EXPECT_FALSE(fs::exists(game / "standin-installer.log"));
    EXPECT_TRUE(launcher.Running());
    EXPECT_TRUE(boxes.Texts().empty());
  }
}

}  // namespace
}  // namespace e2e
