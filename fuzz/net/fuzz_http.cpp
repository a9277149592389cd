// Arbitrary bytes as a server's whole response: header block, status line, Content-Length and
// body, read by the transfer's exchange (the one the downloader's worker runs) over a real
// loopback connection.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "compat/winsock.h"
#include "net/http_transfer.h"

namespace {

// One listener for the whole run; each input gets a fresh connection to it.
struct Loopback {
  SOCKET listener = INVALID_SOCKET;
  ParsedUrl url;

  Loopback() {
    listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address;
    std::memset(&address, 0, sizeof(address));
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = inet_addr("127.0.0.1");
    bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof(address));
    winsock::socklen_t length = sizeof(address);
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    listen(listener, 4);
    url.host = "127.0.0.1";
    url.port = ntohs(address.sin_port);
    url.path = url.fileName = "f";
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static Loopback loopback;
  // Everything is written before the client reads: stay well inside the socket buffers.
  if (size > 256 * 1024) return 0;

  HttpTransfer transfer;
  auto connection = std::make_unique<HttpConnection>();
  if (!connection->BeginConnect(loopback.url)) return 0;
  SOCKET server = accept(loopback.listener, nullptr, nullptr);
  if (server == INVALID_SOCKET) return 0;
  for (std::size_t sent = 0; sent < size;) {
    int n = winsock::send(server, reinterpret_cast<const char*>(data) + sent,
                          static_cast<int>(size - sent), 0);
    if (n <= 0) break;
    sent += static_cast<std::size_t>(n);
  }
  // Half-close: the client reads the bytes, then the end; the request it sends is not refused.
  shutdown(server, SHUT_WR);

  // accept() returned, so the connect has completed.
  connection->MarkConnected();
  connection->SetTimeouts(200);
  connection->SetPollSleep(0);
  transfer.connection = std::move(connection);
  transfer.host = "127.0.0.1";
  transfer.path = "f";
  const int complete = transfer.Run();

  if (complete && transfer.body && transfer.bodySize > 0) {
    // The body is the bytes after the header block, and is terminated.
    if (transfer.body[transfer.bodySize] != 0) __builtin_trap();
  }
  closesocket(server);
  return 0;
}
