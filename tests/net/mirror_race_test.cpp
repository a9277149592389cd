// The mirror race: every candidate at once, the earliest writable one in list order wins.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <vector>

#include "tests/net/hang_guard.h"
#include "net/http_transfer.h"
#include "tests/net/scripted_server.h"

namespace {

using namespace net_testing;

class MirrorRace : public ::testing::Test {
 protected:
  WinsockSession winsock;
};

TEST_F(MirrorRace, StartFailsWhenNoUrlSplits) {
  HttpTransfer transfer;
  EXPECT_EQ(transfer.raceOutcome, HttpTransfer::RaceNotRun);
  EXPECT_EQ(transfer.Start({}), 0);
  EXPECT_EQ(transfer.Start({"no scheme", "http://host-without-path", "http://h/dir/"}), 0);
  EXPECT_EQ(transfer.connection, nullptr);
  EXPECT_EQ(transfer.raceOutcome, HttpTransfer::RaceNoUsableUrl);
}

TEST_F(MirrorRace, TheEarlierOfTwoAcceptingServersWinsAndTheOtherIsClosed) {
  for (bool firstListedFirst : {true, false}) {
    ScriptedServer a({Hold()});
    ScriptedServer b({Hold()});
    std::vector<std::string> urls = {a.Url("dir/a.bin"), b.Url("b.bin")};
    if (!firstListedFirst) std::swap(urls[0], urls[1]);
    HttpTransfer transfer;
    ASSERT_TRUE(transfer.ConnectFirst(urls));
    ASSERT_TRUE(transfer.connection);
    EXPECT_TRUE(transfer.connection->IsConnected());
    EXPECT_EQ(transfer.host, "127.0.0.1");
    ScriptedServer& loser = firstListedFirst ? b : a;
    EXPECT_EQ(transfer.path, firstListedFirst ? "dir/a.bin" : "b.bin");
    EXPECT_EQ(transfer.fileName, firstListedFirst ? "a.bin" : "b.bin");
    ASSERT_TRUE(loser.WaitConnections(1));
    EXPECT_EQ(loser.ClosedWithoutRequest(), 1);
  }
}

TEST_F(MirrorRace, ARefusedPortOrAnUnresolvableHostCannotWin) {
  RefusedPort refused;
  ScriptedServer server({Hold()});
  HttpTransfer transfer;
  ASSERT_TRUE(transfer.ConnectFirst(
      {refused.Url("r.bin"), UnresolvableUrl("u.bin"), "http://a:b/c", server.Url("s.bin")}));
  EXPECT_EQ(transfer.fileName, "s.bin");
  EXPECT_EQ(transfer.raceOutcome, HttpTransfer::RaceWon);

  // A race that nothing can win says why it ended.
  HttpTransfer none;
  none.connectTimeout = 300;
  EXPECT_EQ(none.Start({refused.Url("r.bin"), UnresolvableUrl("u.bin")}), 0);
  EXPECT_EQ(none.connection, nullptr);
  EXPECT_EQ(none.raceOutcome, HttpTransfer::RaceRefused);
  HttpTransfer unresolvable;
  EXPECT_EQ(unresolvable.Start({UnresolvableUrl("u.bin"), "http://host:0/no-port"}), 0);
  EXPECT_EQ(unresolvable.raceOutcome, HttpTransfer::RaceNoAddress);
}

TEST_F(MirrorRace, EndsAsSoonAsEveryAttemptHasBeenRefused) {
  RefusedPort first, second, third;
  auto transfer = std::make_shared<HttpTransfer>();
  transfer->connectTimeout = 10 * 60 * 1000;  // waiting it out would run far past the guard
  std::vector<std::string> urls = {first.Url("1"), second.Url("2"), third.Url("3")};
  ASSERT_TRUE(
      EndsWithin(std::chrono::seconds(30), [transfer, urls] { transfer->ConnectFirst(urls); }));
  EXPECT_EQ(transfer->connection, nullptr);
  EXPECT_EQ(transfer->raceOutcome, HttpTransfer::RaceRefused);
}

TEST_F(MirrorRace, OnlyTheFirst64SocketsAreWatched) {
  ScriptedServer server({Hold()});
  std::vector<std::unique_ptr<RefusedPort>> refused;
  std::vector<std::string> urls;
  for (int i = 0; i < 64; ++i) {
    refused.push_back(std::make_unique<RefusedPort>());
    urls.push_back(refused.back()->Url("r" + std::to_string(i)));
  }
  // 64 refused sockets fill the set: the server behind them is never watched, not even once
  // they have all dropped out.
  urls.push_back(server.Url("s65"));
  HttpTransfer unwatched;
  unwatched.connectTimeout = 300;
  EXPECT_FALSE(unwatched.ConnectFirst(urls));
  EXPECT_EQ(unwatched.connection, nullptr);
  EXPECT_EQ(unwatched.raceOutcome, HttpTransfer::RaceRefused);

  // As the 64th, it is watched and wins.
  urls.erase(urls.begin());
  urls.back() = server.Url("s64");
  HttpTransfer watched;
  watched.connectTimeout = 3000;
  ASSERT_TRUE(watched.ConnectFirst(urls));
  EXPECT_EQ(watched.fileName, "s64");
}

TEST_F(MirrorRace, ASecondRaceReplacesTheFirstConnection) {
  ScriptedServer first({Hold()});
  ScriptedServer second({Hold()});
  HttpTransfer transfer;
  ASSERT_TRUE(transfer.ConnectFirst({first.Url("1")}));
  ASSERT_TRUE(transfer.ConnectFirst({second.Url("2")}));
  EXPECT_EQ(transfer.fileName, "2");
  ASSERT_TRUE(first.WaitConnections(1));  // the first connection was closed, not leaked
  EXPECT_EQ(first.ClosedWithoutRequest(), 1);
}

}  // namespace
