// One exchange on the calling thread (HttpTransfer::Run) against a scripted server on 127.0.0.1.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "net/http_transfer.h"
#include "tests/net/scripted_server.h"

namespace {

using namespace net_testing;

class HttpExchange : public ::testing::Test {
 protected:
  WinsockSession winsock;
};

TEST_F(HttpExchange, SendsTheRequestWithTheHostAloneAndReadsTheBody) {
  std::string body = Pattern(2000);
  ScriptedServer server({Send(OkHeader(body.size()) + body + "trailing bytes never read")});
  HttpTransfer transfer;
  ASSERT_EQ(transfer.Start({server.Url("dl/setup.exe")}), 1);
  ASSERT_TRUE(server.WaitConnections(1));
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0],
            "GET /dl/setup.exe HTTP/1.1\r\nHost: 127.0.0.1\r\nAccept: */*\r\n"
            "User-Agent: Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
            "Connection: close\r\n\r\n");
  EXPECT_EQ(transfer.fileName, "setup.exe");
  ASSERT_EQ(transfer.bodySize, 2000);
  EXPECT_EQ(std::string(transfer.body.get(), 2000), body);
  EXPECT_EQ(transfer.body[2000], '\0');
  EXPECT_EQ(transfer.headerLength, static_cast<int>(OkHeader(body.size()).size()));
  EXPECT_FALSE(transfer.connection->IsConnected());  // closed after the body
}

TEST_F(HttpExchange, LooksUpAHostNameAndSendsItAlone) {
  ScriptedServer server({Send("HTTP/1.1 200 OK\r\n\r\n")});
  HttpTransfer transfer;
  ASSERT_EQ(transfer.Start({"http://localhost:" + std::to_string(server.Port()) + "/f"}), 1);
  ASSERT_TRUE(server.WaitConnections(1));
  ASSERT_EQ(server.Requests().size(), 1u);
  EXPECT_EQ(server.Requests()[0].substr(0, 34), "GET /f HTTP/1.1\r\nHost: localhost\r\n");
}

struct StatusCase {
  const char* line;
  bool accepted;
  bool closed;
};

class StatusLine : public HttpExchange, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(StatusLine, AcceptsOnly200And206AndClosesOnRefusedCodes) {
  const StatusCase& c = GetParam();
  ScriptedServer server({Send(std::string(c.line) + "\r\nContent-Length: 3\r\n\r\nabc"), Hold()});
  HttpTransfer transfer;
  EXPECT_EQ(transfer.Start({server.Url("f")}), c.accepted ? 1 : 0);
  ASSERT_TRUE(transfer.connection);
  EXPECT_EQ(transfer.connection->IsConnected(), !c.closed);
  if (c.accepted) {
    EXPECT_STREQ(transfer.body.get(), "abc");
  } else {
    EXPECT_EQ(transfer.bodySize, 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Codes, StatusLine,
    ::testing::Values(StatusCase{"HTTP/1.1 200 OK", true, true},
                      StatusCase{"HTTP/1.0 206 Partial Content", true, true},
                      StatusCase{"HTTP/1.1 301 Moved Permanently", false, true},
                      StatusCase{"HTTP/1.1 302 Found", false, true},
                      StatusCase{"HTTP/1.1 404 Not Found", false, true},
                      StatusCase{"HTTP/1.1 416 Range Not Satisfiable", false, true},
                      // No space: the transfer fails and leaves the connection open.
                      StatusCase{"HTTP/1.1_200_OK", false, false}));

TEST_F(HttpExchange, ReadsNoBodyForLengthZeroOneOrMissing) {
  for (const char* field :
       {"Content-Length: 0\r\n", "Content-Length: 1\r\n", "", "Content-Length: -7\r\n"}) {
    ScriptedServer server({Send(std::string("HTTP/1.1 200 OK\r\n") + field + "\r\nabcde")});
    HttpTransfer transfer;
    EXPECT_EQ(transfer.Start({server.Url("f")}), 1) << field;
    EXPECT_EQ(transfer.body, nullptr) << field;
    EXPECT_EQ(transfer.bodySize, 0) << field;
  }
}

TEST_F(HttpExchange, TakesTheLengthFromTheContentLengthFieldAloneInAnyCase) {
  ScriptedServer server(
      {Send("HTTP/1.1 200 OK\r\nX-Content-Length: 4\r\ncontent-length: 10\r\n\r\n0123456789")});
  HttpTransfer transfer;
  ASSERT_EQ(transfer.Start({server.Url("f")}), 1);
  EXPECT_EQ(transfer.bodySize, 10);
  EXPECT_STREQ(transfer.body.get(), "0123456789");
}

TEST_F(HttpExchange, TakesAHeaderBlockOf4096BytesAndFailsOnALongerOne) {
  // Padded so that the block, its empty line included, is `size` bytes long.
  auto block = [](std::size_t size) {
    std::string text = "HTTP/1.1 200 OK\r\nContent-Length: 16\r\nX-Padding: ";
    text += std::string(size - text.size() - 4, 'p');
    return text + "\r\n\r\n";
  };
  const std::string body = "0123456789abcdef";
  ScriptedServer fits({Send(block(4096) + body), Hold()});
  HttpTransfer whole;
  whole.pollSleep = 0;  // 4096 single-byte reads at 10 ms each would take 41 s
  ASSERT_EQ(whole.Start({fits.Url("f")}), 1);
  EXPECT_EQ(whole.headerLength, 4096);
  EXPECT_STREQ(whole.body.get(), body.c_str());

  // One byte more and the empty line falls outside the buffer: the header's tail is not a body.
  ScriptedServer tooLong({Send(block(4097) + body), Hold()});
  HttpTransfer cut;
  cut.pollSleep = 0;
  EXPECT_EQ(cut.Start({tooLong.Url("f")}), 0);
  EXPECT_FALSE(cut.headerRead);
  EXPECT_EQ(cut.header[0], '\0');
  EXPECT_EQ(cut.body, nullptr);
}

TEST_F(HttpExchange, FailsWhenThePeerClosesBeforeTheBodyIsComplete) {
  ScriptedServer server({Send(OkHeader(1000) + Pattern(500))});
  HttpTransfer transfer;
  EXPECT_EQ(transfer.Start({server.Url("f")}), 0);
  ASSERT_EQ(transfer.bodySize, 1000);  // the part received stays with the transfer
  EXPECT_EQ(std::string(transfer.body.get(), 500), Pattern(500));
  EXPECT_TRUE(transfer.connection->IsConnected());
}

TEST_F(HttpExchange, FailsWhenTheServerStaysSilent) {
  ScriptedServer server({Hold()});
  HttpTransfer transfer;
  transfer.receiveTimeout = 200;
  EXPECT_EQ(transfer.Start({server.Url("f")}), 0);
  EXPECT_EQ(transfer.header[0], '\0');
  EXPECT_FALSE(transfer.headerRead);
}

TEST_F(HttpExchange, RefusesAPathTooLongForTheRequestWithoutSendingAnything) {
  ScriptedServer server({Send(OkHeader(3) + "abc")});
  {
    HttpTransfer transfer;
    EXPECT_EQ(transfer.Start({server.Url(std::string(5000, 'p'))}), 0);
  }
  ASSERT_TRUE(server.WaitConnections(1));
  EXPECT_EQ(server.ClosedWithoutRequest(), 1);
}

TEST_F(HttpExchange, FailsCleanlyOnALengthThatCannotBeAllocated) {
  // INT_MAX + 1 bytes do not fit the length; the body is never allocated.
  ScriptedServer server({Send("HTTP/1.1 200 OK\r\nContent-Length: 2147483647\r\n\r\nabc")});
  HttpTransfer transfer;
  EXPECT_EQ(transfer.Start({server.Url("f")}), 0);
  EXPECT_EQ(transfer.body, nullptr);
  EXPECT_EQ(transfer.bodySize, 0);

  // Past the int range, the length stops at its end instead of wrapping to a small number.
  ScriptedServer huge({Send("HTTP/1.1 200 OK\r\nContent-Length: 99999999999999\r\n\r\nabc")});
  HttpTransfer hugeTransfer;
  EXPECT_EQ(hugeTransfer.Start({huge.Url("f")}), 0);
  EXPECT_EQ(hugeTransfer.body, nullptr);
}

TEST_F(HttpExchange, ReceiveFillsTheBufferExactlyWithoutATerminator) {
  ScriptedServer server({Send("hello"), Gate(), Send("abc")});
  HttpTransfer transfer;
  ASSERT_TRUE(transfer.ConnectFirst({server.Url("f")}));
  HttpConnection& connection = *transfer.connection;
  ASSERT_EQ(connection.Send("GET\r\n\r\n", 7), 7);
  char buffer[16];
  std::memset(buffer, 'X', sizeof(buffer));
  EXPECT_EQ(connection.Receive(buffer, 5), 5);
  EXPECT_EQ(std::string(buffer, 6), "helloX");
  server.OpenGate();
  EXPECT_EQ(connection.Receive(buffer, 10), 3);
  EXPECT_EQ(std::string(buffer, 4), std::string("abc\0", 4));
  EXPECT_EQ(connection.Receive(buffer, 10), -1);  // closed by the peer
  connection.Close();
  EXPECT_EQ(connection.Send("x", 1), -1);
  EXPECT_EQ(connection.Receive(buffer, 10), -1);
}

}  // namespace
