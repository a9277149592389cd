// URL splitting, the request text, the reading of a stored header block, and a whole exchange
// with a far end in memory: no sockets needed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <string>

#include "net/http_transfer.h"
#include "net/parsed_url.h"

namespace {

TEST(SplitUrl, SplitsHostPortPathAndFileName) {
  std::optional<ParsedUrl> plain = SplitUrl("http://server/dl/setup.exe");
  ASSERT_TRUE(plain);
  EXPECT_EQ(plain->host, "server");
  EXPECT_EQ(plain->port, 80);
  EXPECT_EQ(plain->path, "dl/setup.exe");
  EXPECT_EQ(plain->fileName, "setup.exe");

  std::optional<ParsedUrl> withPort = SplitUrl("http://server:8080/setup.exe?v=2");
  ASSERT_TRUE(withPort);
  EXPECT_EQ(withPort->host, "server");
  EXPECT_EQ(withPort->port, 8080);
  EXPECT_EQ(withPort->path, "setup.exe?v=2");
  EXPECT_EQ(withPort->fileName, "setup.exe?v=2");

  // The scheme is not looked at: a secure one still means plain HTTP on port 80.
  std::optional<ParsedUrl> secure = SplitUrl("https://10.0.0.1/a/b/c.bin");
  ASSERT_TRUE(secure);
  EXPECT_EQ(secure->host, "10.0.0.1");
  EXPECT_EQ(secure->port, 80);
  EXPECT_EQ(secure->fileName, "c.bin");
}

TEST(SplitUrl, TakesTheFirstColonAnywhereAsThePortSeparator) {
  std::optional<ParsedUrl> parsed = SplitUrl("http://server/a:b/c");
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->host, "server/a");
  EXPECT_EQ(parsed->port, 0);
  EXPECT_EQ(parsed->path, "c");
  // Accepted by the split, refused by the connect: the port is below 1.
  HttpConnection attempt;
  EXPECT_FALSE(attempt.BeginConnect(*parsed));
  EXPECT_EQ(attempt.GetSocket(), INVALID_SOCKET);
}

TEST(SplitUrl, RefusesWhatCannotBeFetched) {
  for (const char* url : {"server/setup.exe", "http://server", "http://server/dl/", "http:///x",
                          "http://server:80", "http://server:-5/x", "http://server/", ""}) {
    EXPECT_FALSE(SplitUrl(url)) << url;
  }
}

TEST(SplitUrl, ReadsThePortAsAtoiDoes) {
  EXPECT_EQ(SplitUrl("http://h:8080abc/x")->port, 8080);
  EXPECT_EQ(SplitUrl("http://h:abc/x")->port, 0);
  EXPECT_EQ(SplitUrl("http://h:99999999999999999999/x")->port, 2147483647);
}

const char kRequestTail[] =
    "Accept: */*\r\n"
    "User-Agent: Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
    "Connection: close\r\n"
    "\r\n";

TEST(FormatRequest, WritesTheRequestByteForByte) {
  HttpTransfer transfer;
  char buffer[HttpTransfer::kRequestSize];
  ASSERT_EQ(transfer.FormatRequest(buffer, "server", "dl/setup.exe"), buffer);
  EXPECT_EQ(std::string(buffer),
            std::string("GET /dl/setup.exe HTTP/1.1\r\nHost: server\r\n") + kRequestTail);
}

TEST(FormatRequest, RefusesHostAndPathTooLongForTheBufferInsteadOfCuttingThem) {
  HttpTransfer transfer;
  char buffer[HttpTransfer::kRequestSize];
  // Fixed text around the path with host "h": the longest path leaves exactly the terminator.
  std::size_t fixed = std::strlen("GET / HTTP/1.1\r\nHost: h\r\n") + std::strlen(kRequestTail);
  std::string fits(HttpTransfer::kRequestSize - 1 - fixed, 'p');
  ASSERT_NE(transfer.FormatRequest(buffer, "h", fits.c_str()), nullptr);
  EXPECT_EQ(std::strlen(buffer), static_cast<std::size_t>(HttpTransfer::kRequestSize - 1));

  std::string tooLong = fits + "p";
  EXPECT_EQ(transfer.FormatRequest(buffer, "h", tooLong.c_str()), nullptr);
  EXPECT_EQ(buffer[0], '\0');
  std::string longHost(5000, 'h');
  EXPECT_EQ(transfer.FormatRequest(buffer, longHost.c_str(), "x"), nullptr);
}

// A transfer whose header block is `block`, as ReadHeader would have left it.
void StoreHeader(HttpTransfer& transfer, const std::string& block) {
  transfer.connection = std::make_unique<HttpConnection>();
  std::memcpy(transfer.header, block.data(), block.size());
  transfer.headerLength = static_cast<int>(block.size());
  transfer.headerRead = true;
}

TEST(ReadHeaderLine, KeepsTheCrDropsTheLfAndRewindsAfterTheEnd) {
  HttpTransfer transfer;
  StoreHeader(transfer, "HTTP/1.1 200 OK\r\nA: 1\r\n\r\n");
  char line[256];
  EXPECT_EQ(transfer.ReadHeaderLine(line, sizeof(line)), 17);
  EXPECT_STREQ(line, "HTTP/1.1 200 OK\r");
  EXPECT_EQ(transfer.ReadHeaderLine(line, sizeof(line)), 6);
  EXPECT_STREQ(line, "A: 1\r");
  EXPECT_EQ(transfer.ReadHeaderLine(line, sizeof(line)), 2);
  EXPECT_STREQ(line, "\r");
  EXPECT_EQ(transfer.ReadHeaderLine(line, sizeof(line)), -1);
  EXPECT_EQ(transfer.ReadHeaderLine(line, sizeof(line)), 17);  // rewound

  // A line cut by the capacity loses its last character to the terminator.
  HttpTransfer cut;
  StoreHeader(cut, "HTTP/1.1 200 OK\r\n");
  char small[5];
  EXPECT_EQ(cut.ReadHeaderLine(small, sizeof(small)), 5);
  EXPECT_STREQ(small, "HTTP");
  EXPECT_EQ(cut.ReadHeaderLine(small, sizeof(small)), 5);
  EXPECT_STREQ(small, "1.1 ");

  HttpTransfer unconnected;
  EXPECT_EQ(unconnected.ReadHeaderLine(line, sizeof(line)), 0);
}

TEST(GetHeaderValue, TakesOnlyAWholeFieldNameAtTheStartOfALineInAnyCase) {
  HttpTransfer transfer;
  StoreHeader(transfer,
              "HTTP/1.1 200 OK\r\n"
              "X-Content-Length: 12\r\n"
              "Content-Length-Range: 56\r\n"
              "X-Note: Content-Length: 78\r\n"
              "content-length:\t 34\r\n"
              "Content-Length: 90\r\n"
              "Server:tight\r\n"
              "Age : 7\r\n"
              "CONTENT-TYPE: text/plain\r\n\r\n");
  char value[30];
  EXPECT_EQ(transfer.GetHeaderValue("Content-Length", value, sizeof(value)), 2);
  EXPECT_STREQ(value, "34");
  EXPECT_EQ(transfer.GetHeaderValue("Server", value, sizeof(value)), 5);
  EXPECT_STREQ(value, "tight");
  EXPECT_EQ(transfer.GetHeaderValue("Age", value, sizeof(value)), 1);
  EXPECT_STREQ(value, "7");
  EXPECT_EQ(transfer.GetHeaderValue("Length", value, sizeof(value)), -1);
  EXPECT_STREQ(value, "");
  // A value longer than the buffer is cut; the result is still its whole length.
  char tiny[3];
  EXPECT_EQ(transfer.GetHeaderValue("content-type", tiny, sizeof(tiny)), 10);
  EXPECT_STREQ(tiny, "te");
  EXPECT_EQ(transfer.GetHeaderValue(nullptr, value, sizeof(value)), 0);
}

TEST(GetHeaderValue, FindsNothingInTheStatusLineWithoutALineEndOrBeforeTheHeaderIsRead) {
  HttpTransfer unread;
  char value[30];
  EXPECT_EQ(unread.GetHeaderValue("Content-Length", value, sizeof(value)), -1);

  HttpTransfer open;
  StoreHeader(open, "HTTP/1.1 200 OK\r\nContent-Length: 5");
  EXPECT_EQ(open.GetHeaderValue("Content-Length", value, sizeof(value)), -1);
  EXPECT_EQ(open.ContentLength(), 0);

  // The first line is the status line, whatever it holds.
  HttpTransfer noStatus;
  StoreHeader(noStatus, "Content-Length: 5\r\nServer: s\r\n\r\n");
  EXPECT_EQ(noStatus.GetHeaderValue("Content-Length", value, sizeof(value)), -1);
  EXPECT_EQ(noStatus.GetHeaderValue("Server", value, sizeof(value)), 1);

  // The block is text up to its first zero byte.
  static const char kWithZero[] = "HTTP/1.1 200 OK\r\n\0Content-Length: 5\r\n\r\n";
  HttpTransfer zero;
  StoreHeader(zero, std::string(kWithZero, sizeof(kWithZero) - 1));
  EXPECT_EQ(zero.GetHeaderValue("Content-Length", value, sizeof(value)), -1);
}

// A far end in memory: keeps the request and answers with `response`, `piece` bytes at a time.
class MemoryPeer : public HttpByteSource {
 public:
  MemoryPeer(std::string response, std::size_t piece, std::string& request)
      : response_(std::move(response)), piece_(piece), request_(request) {}
  int Send(const char* data, int length) override {
    request_.append(data, static_cast<std::size_t>(length));
    return length;
  }
  int Receive(char* buffer, int capacity) override {
    std::size_t n =
        std::min({piece_, response_.size() - offset_, static_cast<std::size_t>(capacity)});
    std::memcpy(buffer, response_.data() + offset_, n);
    offset_ += n;
    return static_cast<int>(n);
  }

 private:
  std::string response_;
  std::size_t piece_;
  std::size_t offset_ = 0;
  std::string& request_;
};

void Answer(HttpTransfer& transfer, const std::string& response, std::size_t piece,
            std::string& request) {
  transfer.host = "h";
  transfer.path = "f";
  transfer.connection = std::make_unique<HttpConnection>();
  transfer.connection->UseByteSource(std::make_unique<MemoryPeer>(response, piece, request));
}

TEST(ByteSource, CarriesAWholeExchangeAndEndsItLikeAClosingPeer) {
  std::string request;
  HttpTransfer transfer;
  Answer(transfer, "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n0123456789never read", 3, request);
  ASSERT_EQ(transfer.Run(), 1);
  EXPECT_EQ(request, std::string("GET /f HTTP/1.1\r\nHost: h\r\n") + kRequestTail);
  ASSERT_EQ(transfer.bodySize, 10);
  EXPECT_EQ(std::string(transfer.body.get(), 11), std::string("0123456789", 11));
  EXPECT_FALSE(transfer.connection->IsConnected());
  char byte[2];
  EXPECT_EQ(transfer.connection->Receive(byte, 1), -1) << "closed";

  // The response ending inside the body fails the transfer and leaves what came, terminated
  // after each piece.
  HttpTransfer cut;
  Answer(cut, "HTTP/1.1 200 OK\r\nContent-Length: 10\r\n\r\n01234", 3, request);
  EXPECT_EQ(cut.Run(), 0);
  EXPECT_EQ(std::string(cut.body.get(), 6), std::string("01234", 6));
  EXPECT_TRUE(cut.connection->IsConnected()) << "a failed body leaves the connection open";
}

TEST(ExchangeFromMemory, ReadsTheWholeBodyWhenNoBlankFollowsTheColon) {
  const std::string body(12345, 'b');
  std::string request;
  HttpTransfer transfer;
  Answer(transfer, "HTTP/1.1 200 OK\r\nContent-Length:12345\r\n\r\n" + body, 4000, request);
  ASSERT_EQ(transfer.Run(), 1);
  ASSERT_EQ(transfer.bodySize, 12345);
  EXPECT_EQ(std::string(transfer.body.get(), 12345), body);
}

TEST(ExchangeFromMemory, FailsOnAnyTransferEncodingInsteadOfSavingItsFraming) {
  for (const char* field :
       {"Transfer-Encoding: chunked\r\n", "Content-Length: 9\r\ntransfer-encoding:gzip\r\n",
        "TRANSFER-ENCODING:\r\nContent-Length: 9\r\n"}) {
    std::string request;
    HttpTransfer transfer;
    Answer(transfer, std::string("HTTP/1.1 200 OK\r\n") + field + "\r\n4\r\nabcd\r\n0\r\n\r\n", 100,
           request);
    EXPECT_EQ(transfer.Run(), 0) << field;
    EXPECT_EQ(transfer.body, nullptr) << field;
    EXPECT_FALSE(transfer.connection->IsConnected()) << field;
  }
  // Only the field itself counts.
  std::string request;
  HttpTransfer named;
  Answer(named, "HTTP/1.1 200 OK\r\nX-Transfer-Encoding: chunked\r\nContent-Length: 4\r\n\r\nabcd",
         100, request);
  EXPECT_EQ(named.Run(), 1);
  EXPECT_STREQ(named.body.get(), "abcd");
}

}  // namespace
