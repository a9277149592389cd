// Loopback download of 50 MB with the launcher's downloader, as a ratio against Debian's curl
// fetching the same file from the same server in the same run; and the time a 200-byte response
// header takes (the client reads it one byte per 10 ms pass).
#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstring>
#include <string>

#include "net/http_downloader.h"
#include "tests/net/scripted_server.h"

extern char** environ;

namespace {

using net_testing::OkHeader;
using net_testing::Pattern;
using net_testing::ScriptedServer;
using net_testing::Send;
using Clock = std::chrono::steady_clock;

const std::size_t kFileSize = 50u * 1024u * 1024u;

double Seconds(Clock::time_point since) {
  return std::chrono::duration<double>(Clock::now() - since).count();
}

// One download with the launcher's client; seconds, or -1 when it failed.
double DownloadWithLauncher(const std::string& url) {
  Clock::time_point start = Clock::now();
  HttpDownloader downloader;
  if (downloader.Start({url}) != 1) return -1;
  WaitForSingleObject(downloader.GetWorkerThread(), INFINITE);
  if (downloader.GetPercent() != 100 ||
      downloader.GetTransfer().bodySize != static_cast<int>(kFileSize))
    return -1;
  return Seconds(start);
}

// One download with curl to /dev/null; seconds, or -1 when it failed.
double DownloadWithCurl(const std::string& url) {
  std::string curl = "/usr/bin/curl";
  std::string quiet = "-sS", out = "-o", sink = "/dev/null", fail = "--fail";
  char* argv[] = {curl.data(), quiet.data(), fail.data(),
                  out.data(),  sink.data(),  const_cast<char*>(url.c_str()),
                  nullptr};
  Clock::time_point start = Clock::now();
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv, environ) != 0) return -1;
  int status = 0;
  waitpid(pid, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return -1;
  return Seconds(start);
}

void BM_Download50MegabytesAgainstCurl(benchmark::State& state) {
  net_testing::WinsockSession winsock;
  ScriptedServer server({Send(OkHeader(kFileSize) + Pattern(kFileSize))});
  std::string url = server.Url("file.bin");
  double launcherTotal = 0, curlTotal = 0;
  for (auto _ : state) {
    double curl = DownloadWithCurl(url);
    double launcher = DownloadWithLauncher(url);
    if (curl < 0 || launcher < 0) {
      state.SkipWithError("a download failed");
      break;
    }
    state.SetIterationTime(launcher);
    launcherTotal += launcher;
    curlTotal += curl;
  }
  if (curlTotal > 0) {
    state.counters["launcher_MBps"] = kFileSize / 1048576.0 * state.iterations() / launcherTotal;
    state.counters["curl_MBps"] = kFileSize / 1048576.0 * state.iterations() / curlTotal;
    state.counters["time_vs_curl"] = launcherTotal / curlTotal;
  }
}
BENCHMARK(BM_Download50MegabytesAgainstCurl)
    ->UseManualTime()
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond);

void BM_Receive200ByteHeader(benchmark::State& state) {
  net_testing::WinsockSession winsock;
  std::string header = "HTTP/1.1 200 OK\r\nContent-Length: 0\r\nX-Padding: ";
  header += std::string(200 - header.size() - 4, 'p') + "\r\n\r\n";
  ScriptedServer server({Send(header)});
  double total = 0;
  for (auto _ : state) {
    HttpTransfer transfer;
    if (!transfer.ConnectFirst({server.Url("h")})) {
      state.SkipWithError("no connection");
      break;
    }
    char request[HttpTransfer::kRequestSize];
    transfer.FormatRequest(request, transfer.host.c_str(), transfer.path.c_str());
    Clock::time_point start = Clock::now();
    bool read = transfer.SendRequest(request, static_cast<int>(std::strlen(request)));
    double seconds = Seconds(start);
    if (!read || transfer.headerLength != 200) {
      state.SkipWithError("header not read");
      break;
    }
    state.SetIterationTime(seconds);
    total += seconds;
  }
  if (state.iterations() > 0) {
    state.counters["ms_per_byte"] =
        total * 1000.0 / 200.0 / static_cast<double>(state.iterations());
  }
}
BENCHMARK(BM_Receive200ByteHeader)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
