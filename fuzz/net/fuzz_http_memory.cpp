// The bytes of fuzz_http (a server's whole response) fed to the transfer from memory through the
// connection's byte source: no socket, no thread and no waiting, so the header and body path runs
// thousands of times a second. Both forms of the exchange, the transfer's own Run and the
// exchange with a progress report (as the downloader's worker runs it), read the same bytes in
// the same pieces and must come to the same result.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "net/http_transfer.h"

namespace {

// Far beyond the longest input libFuzzer builds here, and cheap to allocate.
constexpr int kLongestBody = 1 << 20;

// The response handed over in pieces of changing size, as a network would: the body loop sees
// partial reads, one-byte reads and whole reads.
class ResponseInMemory : public HttpByteSource {
 public:
  ResponseInMemory(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  int Send(const char*, int length) override { return length; }

  int Receive(char* buffer, int capacity) override {
    static constexpr std::size_t kPieces[] = {1, 5, 300, 1u << 20};
    const std::size_t piece = kPieces[pieces_++ % (sizeof kPieces / sizeof kPieces[0])];
    const std::size_t n = std::min({piece, size_ - offset_, static_cast<std::size_t>(capacity)});
    std::memcpy(buffer, data_ + offset_, n);
    offset_ += n;
    return static_cast<int>(n);
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t offset_ = 0;
  std::size_t pieces_ = 0;
};

[[noreturn]] void Fail(const char* what) {
  std::fprintf(stderr, "finding: %s\n", what);
  std::abort();
}

void Answer(HttpTransfer& transfer, const std::uint8_t* data, std::size_t size) {
  transfer.host = "127.0.0.1";
  transfer.path = "f";
  transfer.connection = std::make_unique<HttpConnection>();
  transfer.connection->UseByteSource(std::make_unique<ResponseInMemory>(data, size));
}

// What a finished exchange must show, whichever form ran it.
void CheckOutcome(const HttpTransfer& transfer, int result, const std::uint8_t* data,
                  std::size_t size) {
  if (transfer.headerLength > HttpTransfer::kHeaderSize) Fail("header longer than its buffer");
  if (result != 1 || transfer.bodySize == 0) return;
  if (!transfer.body || transfer.bodySize < 2) Fail("success with a body too short to be read");
  if (transfer.body[transfer.bodySize] != 0) Fail("body not terminated");
  // The body is the bytes right after the header block.
  const std::size_t start = static_cast<std::size_t>(transfer.headerLength);
  const std::size_t length = static_cast<std::size_t>(transfer.bodySize);
  if (start + length > size || std::memcmp(transfer.body.get(), data + start, length) != 0) {
    Fail("body differs from the bytes after the header block");
  }
  if (transfer.connection->IsConnected()) Fail("connection left open after a complete body");
}

// The header stage alone, through the transfer's own calls: the Content-Length the exchange will
// act on, or -1 when it ends before the body.
int ClaimedLength(const std::uint8_t* data, std::size_t size) {
  static const char kRequest[] = "GET /f HTTP/1.1\r\n\r\n";
  HttpTransfer probe;
  Answer(probe, data, size);
  if (!probe.SendRequest(kRequest, sizeof kRequest - 1) || !probe.CheckStatus()) return -1;
  return probe.ContentLength();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A body far longer than any input can only fail at the input's end, after an allocation of up
  // to 2 GiB that the sanitizer makes cost seconds. The header stage has run on such an input;
  // the exchanges below get the inputs whose body could arrive.
  if (ClaimedLength(data, size) > kLongestBody) return 0;

  HttpTransfer transfer;
  Answer(transfer, data, size);
  const int direct = transfer.Run();
  CheckOutcome(transfer, direct, data, size);

  // The worker's percentage, computed as it computes it, after each piece of the body.
  HttpTransfer reported;
  Answer(reported, data, size);
  int percent = 0;
  bool risen = true;
  const int worker = reported.Exchange([&](int received, int length) {
    const int now = static_cast<int>(static_cast<long long>(received) * 100 / length);
    if (now < percent) risen = false;
    percent = now;
    return true;
  });
  CheckOutcome(reported, worker, data, size);

  if (direct != worker || transfer.bodySize != reported.bodySize ||
      transfer.headerLength != reported.headerLength ||
      transfer.connection->IsConnected() != reported.connection->IsConnected()) {
    Fail("the exchange with and without progress reports disagree");
  }
  if (!risen) Fail("percentage went down");
  if (percent < 0 || percent > 100) Fail("percentage out of range");
  if (worker == 1 && reported.bodySize > 0 && percent != 100) Fail("complete body below 100%");
  if (worker == 0 && percent == 100) Fail("failed transfer at 100 percent");
  return 0;
}
