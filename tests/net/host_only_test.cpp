// Host-only checks: no descriptor leaks, a real off-the-shelf server, and the fetch tool.
#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "net/http_downloader.h"
#include "tests/net/scripted_server.h"
#include "tests/support/test_support.h"

extern char** environ;

namespace {

using namespace net_testing;
using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

int OpenDescriptors() {
  int count = 0;
  DIR* dir = opendir("/proc/self/fd");
  while (dirent* entry = readdir(dir)) count += entry->d_name[0] != '.';
  closedir(dir);
  return count;
}

TEST(NoDescriptorLeak, AfterRacesDownloadsAndFailures) {
  RefusedPort refused;
  ScriptedServer winner({Send(OkHeader(10) + "0123456789")});
  ScriptedServer loser({Hold()});
  ScriptedServer closing({Send(OkHeader(100) + "short")});
  // A listener whose accept queue is full: further connects stay pending until the race gives up.
  QueueFullListener full;

  int before = OpenDescriptors();
  {
    HttpTransfer race;
    ASSERT_EQ(race.Start({refused.Url("r"), UnresolvableUrl("u"), winner.Url("w"), loser.Url("l")}),
              1);
    HttpTransfer pending;
    pending.connectTimeout = 200;
    EXPECT_EQ(pending.Start({full.Url("p"), refused.Url("r")}), 0);
    HttpDownloader failing;
    ASSERT_EQ(failing.Start({closing.Url("c")}), 1);
    WaitForSingleObject(failing.GetWorkerThread(), INFINITE);
  }
  ASSERT_TRUE(loser.WaitConnections(1));
  ASSERT_TRUE(closing.WaitConnections(1));
  EXPECT_EQ(OpenDescriptors(), before);
}

// Linux's dropped SYNs give a server that connects late; Windows would refuse at once.
TEST(MirrorRaceOnTheHost, ARefusalLeavesTheRaceToAServerThatMayStillConnect) {
  WinsockSession winsock;
  RefusedPort refused;
  QueueFullListener late;

  // While its queue stays full the late server is a silent one: the race waits for it.
  HttpTransfer silent;
  silent.connectTimeout = 300;
  EXPECT_FALSE(silent.ConnectFirst({refused.Url("r"), late.Url("late.bin")}));
  EXPECT_EQ(silent.raceOutcome, HttpTransfer::RaceTimedOut);

  // Room is made once the refusal has long shown; the late server then connects and wins.
  HttpTransfer race;
  race.connectTimeout = 30000;
  std::thread makeRoom([&late] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    late.MakeRoom();
  });
  const bool won = race.ConnectFirst({refused.Url("r"), late.Url("late.bin")});
  makeRoom.join();
  ASSERT_TRUE(won) << "outcome " << race.raceOutcome;
  EXPECT_EQ(race.fileName, "late.bin");
}

// Runs `argv`, with `directory` as current directory and standard error written to `errors`
// when given; the process id.
pid_t Spawn(const std::vector<std::string>& argv, const std::string& directory = "",
            const std::string& errors = "") {
  std::vector<char*> args;
  for (const std::string& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
  args.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!directory.empty()) posix_spawn_file_actions_addchdir_np(&actions, directory.c_str());
  if (!errors.empty()) {
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                     0644);
  }
  pid_t pid = -1;
  if (posix_spawn(&pid, args[0], &actions, nullptr, args.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int ExitCode(pid_t pid) {
  int status = 0;
  waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(OffTheShelfServer, PythonHttpServerFileArrivesByteForByte) {
  const char* python = "/usr/bin/python3";
  if (access(python, X_OK) != 0) GTEST_SKIP() << "Debian's python3 is not installed";
  WinsockSession winsock;
  TempDir root;
  std::string content = Pattern(100000);
  WriteFile(root.path() / "setup.exe", content);
  int port;
  {
    RefusedPort probe;  // a free port, released just before the server binds it
    port = std::stoi(probe.Url("").substr(17));
  }
  pid_t server = Spawn({python, "-m", "http.server", std::to_string(port), "--bind", "127.0.0.1",
                        "--directory", root.path().string()});
  ASSERT_GT(server, 0);
  std::string url = "http://127.0.0.1:" + std::to_string(port) + "/setup.exe";
  HttpDownloader downloader;
  // The server needs a moment to start listening; until it does, its port refuses at once.
  int started = 0;
  for (int tries = 0; tries < 100 && started == 0; ++tries) {
    downloader.connectTimeout = 200;
    started = downloader.Start({url});
    if (started == 0) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  ASSERT_EQ(started, 1);
  EXPECT_EQ(WaitForSingleObject(downloader.GetWorkerThread(), 30000), WAIT_OBJECT_0);
  EXPECT_EQ(downloader.GetPercent(), 100);
  ASSERT_EQ(downloader.GetTransfer().bodySize, static_cast<int>(content.size()));
  EXPECT_TRUE(std::string(downloader.GetTransfer().body.get(), content.size()) == content);
  kill(server, SIGTERM);
  waitpid(server, nullptr, 0);
}

TEST(FetchTool, WritesTheWinnersFileAndReportsFailures) {
  TempDir dir;
  std::string body = Pattern(5000);
  RefusedPort refused;
  ScriptedServer server({Send(OkHeader(body.size()) + body)});
  std::string out = dir / "out.bin";
  EXPECT_EQ(ExitCode(Spawn({FETCH_TOOL, "-o", out, refused.Url("r.bin"), server.Url("d/s.bin")})),
            0);
  EXPECT_TRUE(ReadFile(out) == body);

  ScriptedServer named({Send(OkHeader(3) + "abc")});
  EXPECT_EQ(ExitCode(Spawn({FETCH_TOOL, named.Url("d/named.bin")}, dir.path().string())), 0);
  EXPECT_EQ(ReadFile(dir.path() / "named.bin"), "abc");

  ScriptedServer half({Send(OkHeader(100) + Pattern(50))});
  EXPECT_EQ(ExitCode(Spawn({FETCH_TOOL, "-o", dir / "half.bin", half.Url("h.bin")})), 1);
  EXPECT_FALSE(testing_support::FileExists(dir.path() / "half.bin"));
  EXPECT_EQ(ExitCode(Spawn({FETCH_TOOL, "not a url"})), 1);
}

TEST(FetchTool, NamesTheFileOnlyWithAPlainNameAndSaysWhyNothingConnected) {
  TempDir dir;
  const std::string game = dir / "game";
  std::filesystem::create_directory(game);
  const std::string errors = dir / "errors.txt";
  auto run = [&](const std::vector<std::string>& args) {
    std::vector<std::string> argv{FETCH_TOOL};
    argv.insert(argv.end(), args.begin(), args.end());
    return ExitCode(Spawn(argv, game, errors));
  };

  // The query is no part of the name.
  ScriptedServer queried({Send(OkHeader(3) + "abc")});
  EXPECT_EQ(run({queried.Url("dl/setup.exe?version=10")}), 0) << ReadFile(errors);
  EXPECT_EQ(ReadFile(std::string(game) + "/setup.exe"), "abc");

  // A name that would climb out of the folder is refused before anything is fetched: -o is
  // needed, and given, it is used.
  ScriptedServer climbing({Send(OkHeader(3) + "xyz")});
  const std::string up = climbing.Url("dl/..");
  EXPECT_EQ(run({up}), 1);
  EXPECT_NE(ReadFile(errors).find("give one with -o FILE"), std::string::npos) << ReadFile(errors);
  EXPECT_TRUE(climbing.Requests().empty());
  EXPECT_EQ(run({"-o", "named.bin", up}), 0) << ReadFile(errors);
  EXPECT_EQ(ReadFile(std::string(game) + "/named.bin"), "xyz");

  RefusedPort refused;
  EXPECT_EQ(run({refused.Url("r.bin"), UnresolvableUrl("u.bin")}), 1);
  EXPECT_NE(ReadFile(errors).find("refused the connection"), std::string::npos) << ReadFile(errors);
  EXPECT_EQ(run({UnresolvableUrl("u.bin")}), 1);
  EXPECT_NE(ReadFile(errors).find("host could be found"), std::string::npos) << ReadFile(errors);
}

}  // namespace
