#include "net/http_connection.h"

#include <cstring>
#include <utility>

namespace {

// What Receive reports for `received` bytes placed in a buffer of `capacity`: their number, with
// a zero byte after them where there is room; -1 for the end of the response or an error.
int Delivered(char* buffer, int capacity, int received) {
  if (received <= 0 || received > capacity) return -1;
  if (received < capacity) buffer[received] = 0;
  return received;
}

}  // namespace

HttpConnection::HttpConnection()
    : connected(false),
      connectFailed(false),
      receiveTimeout(10000),
      pollSleep(10),
      abortFlag(nullptr) {}

HttpConnection::~HttpConnection() {
  Close();
  socketHandle.reset();
}

bool HttpConnection::BeginConnect(const ParsedUrl& url) {
  if (url.host.empty() || url.port < 1) return false;
  if (connected) Close();
  // An earlier attempt that never connected gives up its socket too, and a source its place.
  socketHandle.reset();
  byteSource.reset();
  connectFailed = false;

  socketHandle.reset(socket(AF_INET, SOCK_STREAM, 0));
  if (!socketHandle) return false;
  target = url;

  sockaddr_in address;
  std::memset(&address, 0, sizeof(address));
  unsigned long dotted = inet_addr(url.host.c_str());
  if (dotted == INADDR_NONE) {
    hostent* entry = gethostbyname(url.host.c_str());
    if (entry == nullptr || entry->h_addr_list == nullptr || entry->h_addr_list[0] == nullptr) {
      WSAGetLastError();
      // Released at once: an attempt without an address can never connect.
      socketHandle.reset();
      return false;
    }
    std::size_t length = static_cast<std::size_t>(entry->h_length);
    if (length > sizeof(address.sin_addr)) length = sizeof(address.sin_addr);
    std::memcpy(&address.sin_addr, entry->h_addr_list[0], length);
    address.sin_family = static_cast<decltype(address.sin_family)>(entry->h_addrtype);
  } else {
    address.sin_addr.s_addr = static_cast<decltype(address.sin_addr.s_addr)>(dotted);
    address.sin_family = AF_INET;
  }
  address.sin_port = htons(static_cast<unsigned short>(url.port & 0xFFFF));

  u_long nonBlocking = 1;
  if (ioctlsocket(socketHandle.get(), FIONBIO, &nonBlocking) == SOCKET_ERROR) {
    socketHandle.reset();
    return false;
  }
  // On a non-blocking socket the connect normally reports "would block", and the race finds out
  // by waiting. Any other error has already ended the attempt: its socket would never show in
  // select's sets again, so it is released and the race need not wait for it.
  if (connect(socketHandle.get(), reinterpret_cast<const sockaddr*>(&address), 16) ==
          SOCKET_ERROR &&
      WSAGetLastError() != WSAEWOULDBLOCK) {
    socketHandle.reset();
    connectFailed = true;
    return false;
  }
  return true;
}

void HttpConnection::MarkConnected() { connected = true; }

void HttpConnection::SetTimeouts(int receiveTimeoutMs) { receiveTimeout = receiveTimeoutMs; }

void HttpConnection::SetPollSleep(int milliseconds) {
  pollSleep = milliseconds < 0 ? 0 : milliseconds;
}

void HttpConnection::SetAbortFlag(const std::atomic<bool>* flag) { abortFlag = flag; }

void HttpConnection::UseByteSource(std::unique_ptr<HttpByteSource> source) {
  socketHandle.reset();
  byteSource = std::move(source);
  connected = byteSource != nullptr;
}

int HttpConnection::Send(const char* data, int length) {
  if (!connected || data == nullptr) return -1;
  if (byteSource) return byteSource->Send(data, length);
  if (!socketHandle) return -1;
  return winsock::send(socketHandle.get(), data, length, 0);
}

int HttpConnection::Receive(char* buffer, int capacity) {
  if (!connected || buffer == nullptr || capacity < 1) return -1;
  if (byteSource) return Delivered(buffer, capacity, byteSource->Receive(buffer, capacity));
  if (!socketHandle) return -1;
  DWORD start = GetTickCount();
  // A slow but steady server is not cut off: the time-out is measured afresh in every call.
  while (receiveTimeout >= 0 && GetTickCount() - start <= static_cast<DWORD>(receiveTimeout)) {
    if (abortFlag != nullptr && abortFlag->load()) return -1;
    if (pollSleep > 0) Sleep(static_cast<DWORD>(pollSleep));
    winsock::fd_set readSet;
    FD_ZERO(&readSet);
    FD_SET(socketHandle.get(), &readSet);
    timeval wait;
    wait.tv_sec = 0;
    wait.tv_usec = 1000;
    int ready = winsock::select(0, &readSet, nullptr, nullptr, &wait);
    if (ready > 0 && FD_ISSET(socketHandle.get(), &readSet)) {
      int received = recv(socketHandle.get(), buffer, capacity, 0);
      if (received >= 0) return Delivered(buffer, capacity, received);  // 0: the peer closed
      if (WSAGetLastError() != WSAEWOULDBLOCK) return -1;
    } else if (ready < 0 && WSAGetLastError() != WSAEINTR) {
      return -1;
    }
  }
  return -1;
}

void HttpConnection::Close() {
  if (!connected) return;
  socketHandle.reset();
  connected = false;
}
