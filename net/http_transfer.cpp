// The transfer on the calling thread: construction, Start, and the exchange over the winner.
#include <climits>
#include <cstring>
#include <new>

#include "net/http_transfer.h"

HttpTransfer::HttpTransfer()
    : headerCursor(0),
      headerLength(-1),
      headerRead(false),
      bodySize(0),
      connectTimeout(10000),
      receiveTimeout(10000),
      pollSleep(10),
      raceOutcome(RaceNotRun) {
  std::memset(header, 0, sizeof(header));
}

HttpTransfer::~HttpTransfer() = default;

int HttpTransfer::Start(std::vector<std::string> urls) {
  if (!ConnectFirst(urls)) return 0;
  return Run() != 0 ? 1 : 0;
}

bool HttpTransfer::AllocateBody(int length) {
  // length + 1 must fit, and a size the process cannot get fails the transfer, not the process.
  if (length < 1 || length == INT_MAX) return false;
  char* buffer = new (std::nothrow) char[static_cast<std::size_t>(length) + 1];
  if (buffer == nullptr) return false;
  body.reset(buffer);
  bodySize = length;
  return true;
}

int HttpTransfer::Run() { return Exchange(nullptr); }

int HttpTransfer::Exchange(const BodyProgress& progress) {
  if (!connection) return 0;
  char request[kRequestSize];
  if (FormatRequest(request, host.c_str(), path.c_str()) == nullptr) return 0;
  if (!SendRequest(request, static_cast<int>(std::strlen(request)))) return 0;
  if (!CheckStatus()) return 0;
  // Chunked or otherwise coded bytes saved as they come would be a corrupt file reported whole.
  if (DeclaresTransferEncoding()) {
    connection->Close();
    return 0;
  }
  int length = ContentLength();
  // A length of 0 or 1, or none at all, reads no body.
  if (length > 1) {
    if (!AllocateBody(length)) return 0;
    int received = 0;
    while (received < length) {
      int n = connection->Receive(body.get() + received, length - received);
      if (n <= 0) return 0;  // the connection stays open, the part received stays in `body`
      received += n;
      if (progress && !progress(received, length)) break;
    }
    body[length] = 0;
  }
  connection->Close();
  return 1;
}
