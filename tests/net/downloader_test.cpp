// The threaded downloader: the worker, the locked percentage, the stop flag and teardown.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/net/hang_guard.h"
#include "net/http_downloader.h"
#include "tests/net/scripted_server.h"

namespace {

using namespace net_testing;

class Downloader : public ::testing::Test {
 protected:
  WinsockSession winsock;
};

// Polls the percentage until `wanted` shows (or 10 s pass); returns every distinct value seen.
std::vector<int> WatchUntil(HttpDownloader& downloader, int wanted) {
  std::vector<int> seen{downloader.GetPercent()};
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (seen.back() != wanted && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    int now = downloader.GetPercent();
    if (now != seen.back()) seen.push_back(now);
  }
  return seen;
}

// Waits for the worker and returns its exit code.
DWORD WorkerResult(HttpDownloader& downloader) {
  EXPECT_EQ(WaitForSingleObject(downloader.GetWorkerThread(), 20000), WAIT_OBJECT_0);
  DWORD code = 99;
  GetExitCodeThread(downloader.GetWorkerThread(), &code);
  return code;
}

TEST_F(Downloader, PercentFollowsTheChunksAsTheyArrive) {
  std::string body = Pattern(1000);
  ScriptedServer server(
      {Send(OkHeader(1000) + body.substr(0, 300)), Gate(), Send(body.substr(300))});
  HttpDownloader downloader;
  ASSERT_EQ(downloader.Start({server.Url("f.bin")}), 1);
  EXPECT_EQ(WatchUntil(downloader, 30), (std::vector<int>{0, 30}));
  server.OpenGate();
  EXPECT_EQ(WatchUntil(downloader, 100), (std::vector<int>{30, 100}));
  EXPECT_EQ(WorkerResult(downloader), 1u);
  ASSERT_EQ(downloader.GetTransfer().bodySize, 1000);
  EXPECT_EQ(std::string(downloader.GetTransfer().body.get(), 1000), body);
  EXPECT_FALSE(downloader.GetTransfer().connection->IsConnected());
}

TEST_F(Downloader, APeerClosingAfterHalfTheBodyEndsTheWorkerWithZeroAt50) {
  ScriptedServer server({Send(OkHeader(1000) + Pattern(500))});
  HttpDownloader downloader;
  ASSERT_EQ(downloader.Start({server.Url("f.bin")}), 1);
  EXPECT_EQ(WorkerResult(downloader), 0u);
  EXPECT_EQ(downloader.GetPercent(), 50);
}

TEST_F(Downloader, AStopRaisedMidBodyEndsTheLoopAfterTheCurrentChunk) {
  std::string body = Pattern(1000);
  ScriptedServer server(
      {Send(OkHeader(1000) + body.substr(0, 300)), Gate(), Send(body.substr(300, 200)), Hold()});
  HttpDownloader downloader;
  ASSERT_EQ(downloader.Start({server.Url("f.bin")}), 1);
  ASSERT_EQ(WatchUntil(downloader, 30).back(), 30);
  downloader.SetStop(true);
  EXPECT_TRUE(downloader.IsStopped());
  server.OpenGate();
  EXPECT_EQ(WorkerResult(downloader), 1u);
  EXPECT_EQ(downloader.GetPercent(), 50);
  EXPECT_FALSE(downloader.GetTransfer().connection->IsConnected());
}

TEST_F(Downloader, NoBodyEndsTheWorkerWithOneWhileThePercentStaysZero) {
  for (const char* field : {"Content-Length: 1\r\n", ""}) {
    ScriptedServer server({Send(std::string("HTTP/1.1 200 OK\r\n") + field + "\r\nx")});
    HttpDownloader downloader;
    ASSERT_EQ(downloader.Start({server.Url("f.bin")}), 1);
    EXPECT_EQ(WorkerResult(downloader), 1u) << field;
    EXPECT_EQ(downloader.GetPercent(), 0) << field;
  }
}

TEST_F(Downloader, ABodyPast21MillionBytesReportsItsPercentCorrectly) {
  const std::size_t size = 30000000;  // received * 100 overflows 32 bits from 21,474,837 on
  std::string body = Pattern(size);
  ScriptedServer server({Send(OkHeader(size) + body)});
  HttpDownloader downloader;
  ASSERT_EQ(downloader.Start({server.Url("big.bin")}), 1);
  std::vector<int> seen = WatchUntil(downloader, 100);
  EXPECT_EQ(WorkerResult(downloader), 1u);
  for (std::size_t i = 1; i < seen.size(); ++i) EXPECT_GT(seen[i], seen[i - 1]);
  EXPECT_EQ(seen.back(), 100);
  ASSERT_EQ(downloader.GetTransfer().bodySize, static_cast<int>(size));
  EXPECT_TRUE(std::string(downloader.GetTransfer().body.get(), size) == body);
}

TEST_F(Downloader, DestroyingItWhileTheWorkerWaitsEndsTheWorkerFirst) {
  // Each wait of the workers lasts minutes: only the teardown's abort ends them within the guard.
  const int minutes = 10 * 60 * 1000;
  // Silent server: the worker waits inside the header read.
  ScriptedServer silent({Hold()});
  auto waiting = std::make_unique<HttpDownloader>();
  waiting->receiveTimeout = minutes;
  ASSERT_EQ(waiting->Start({silent.Url("f.bin")}), 1);

  // Mid-body: part of the body has arrived, the rest never comes.
  ScriptedServer stalled({Send(OkHeader(1000) + Pattern(400)), Hold()});
  auto receiving = std::make_unique<HttpDownloader>();
  receiving->receiveTimeout = minutes;
  ASSERT_EQ(receiving->Start({stalled.Url("f.bin")}), 1);
  ASSERT_EQ(WatchUntil(*receiving, 40).back(), 40);

  // Destroyed on a thread of their own, so that a worker that is not ended cannot hang the test.
  EXPECT_TRUE(EndsWithin(std::chrono::seconds(30), [waiting = std::move(waiting),
                                                    receiving = std::move(receiving)]() mutable {
    waiting.reset();
    receiving.reset();
  }));
}

TEST_F(Downloader, AStartWhileTheWorkerRunsIsRefusedAndOneAfterItIsADownloadOfItsOwn) {
  ScriptedServer slow({Hold()});
  ScriptedServer other({Send(OkHeader(3) + "abc")});
  HttpDownloader downloader;
  downloader.receiveTimeout = 300;
  ASSERT_EQ(downloader.Start({slow.Url("1")}), 1);
  EXPECT_EQ(downloader.Start({other.Url("2")}), 0);
  EXPECT_EQ(downloader.GetTransfer().fileName, "1");
  EXPECT_EQ(WorkerResult(downloader), 0u);  // the silent server timed out

  downloader.SetStop(true);
  ASSERT_EQ(downloader.Start({other.Url("2")}), 1);
  EXPECT_EQ(WorkerResult(downloader), 1u);
  EXPECT_EQ(downloader.GetPercent(), 100) << "a stop asked of the last download is not this one's";
  EXPECT_EQ(std::string(downloader.GetTransfer().body.get(), 3), "abc");
}

}  // namespace
