#include "tests/net/scripted_server.h"

#include <chrono>
#include <cstring>
#include <initializer_list>

namespace net_testing {

namespace {

// Binds a new stream socket to 127.0.0.1 on a free port; returns the port, 0 on failure.
int BindLoopback(SOCKET socket) {
  sockaddr_in address;
  std::memset(&address, 0, sizeof(address));
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = inet_addr("127.0.0.1");
  address.sin_port = 0;
  if (bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0) return 0;
  winsock::socklen_t length = sizeof(address);
  if (getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0) return 0;
  return ntohs(address.sin_port);
}

std::string LoopbackUrl(int port, const std::string& path) {
  return "http://127.0.0.1:" + std::to_string(port) + "/" + path;
}

}  // namespace

Step Send(const std::string& bytes) { return Step{Step::kSend, bytes, 0}; }
Step Pause(int milliseconds) { return Step{Step::kPause, "", milliseconds}; }
Step Gate() { return Step{Step::kGate, "", 0}; }
Step Hold() { return Step{Step::kHold, "", 0}; }

std::string OkHeader(std::size_t contentLength) {
  return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(contentLength) + "\r\n\r\n";
}

std::string Pattern(std::size_t length) {
  std::string bytes(length, '\0');
  for (std::size_t i = 0; i < length; ++i) bytes[i] = static_cast<char>((i * 7 + i / 251) % 251);
  return bytes;
}

ScriptedServer::ScriptedServer(std::vector<Step> script, int backlog) : script_(std::move(script)) {
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  port_ = BindLoopback(listener_);
  listen(listener_, backlog);
  thread_ = std::thread([this] { Serve(); });
}

ScriptedServer::~ScriptedServer() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    stopping_ = true;
  }
  changed_.notify_all();
  thread_.join();
  closesocket(listener_);
}

std::string ScriptedServer::Url(const std::string& path) const { return LoopbackUrl(port_, path); }

void ScriptedServer::OpenGate() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    ++gatesOpen_;
  }
  changed_.notify_all();
}

bool ScriptedServer::WaitConnections(int count) {
  std::unique_lock<std::mutex> hold(lock_);
  return changed_.wait_for(hold, std::chrono::seconds(10),
                           [&] { return connectionsDone_ >= count; });
}

std::vector<std::string> ScriptedServer::Requests() {
  std::lock_guard<std::mutex> hold(lock_);
  return requests_;
}

int ScriptedServer::ClosedWithoutRequest() {
  std::lock_guard<std::mutex> hold(lock_);
  return closedWithoutRequest_;
}

bool ScriptedServer::WaitReadable(SOCKET socket) {
  for (;;) {
    {
      std::lock_guard<std::mutex> hold(lock_);
      if (stopping_) return false;
    }
    winsock::fd_set readSet;
    FD_ZERO(&readSet);
    FD_SET(socket, &readSet);
    timeval wait;
    wait.tv_sec = 0;
    wait.tv_usec = 20000;
    int ready = winsock::select(0, &readSet, nullptr, nullptr, &wait);
    if (ready > 0) return true;
    if (ready < 0) return false;
  }
}

void ScriptedServer::Serve() {
  while (WaitReadable(listener_)) {
    SOCKET peer = accept(listener_, nullptr, nullptr);
    if (peer == INVALID_SOCKET) continue;
    Play(peer);
    closesocket(peer);
    {
      std::lock_guard<std::mutex> hold(lock_);
      ++connectionsDone_;
    }
    changed_.notify_all();
  }
}

void ScriptedServer::Play(SOCKET peer) {
  std::string request;
  while (request.find("\r\n\r\n") == std::string::npos) {
    if (!WaitReadable(peer)) return;
    char chunk[1024];
    int n = recv(peer, chunk, sizeof(chunk), 0);
    if (n <= 0) {
      std::lock_guard<std::mutex> hold(lock_);
      if (request.empty()) ++closedWithoutRequest_;
      return;
    }
    request.append(chunk, static_cast<std::size_t>(n));
  }
  {
    std::lock_guard<std::mutex> hold(lock_);
    requests_.push_back(request);
  }
  for (const Step& step : script_) {
    switch (step.kind) {
      case Step::kSend:
        for (std::size_t sent = 0; sent < step.bytes.size();) {
          int n = winsock::send(peer, step.bytes.data() + sent,
                                static_cast<int>(step.bytes.size() - sent), 0);
          if (n <= 0) return;  // the client has gone
          sent += static_cast<std::size_t>(n);
        }
        break;
      case Step::kPause:
        std::this_thread::sleep_for(std::chrono::milliseconds(step.milliseconds));
        break;
      case Step::kGate: {
        std::unique_lock<std::mutex> hold(lock_);
        changed_.wait_for(hold, std::chrono::seconds(10),
                          [&] { return stopping_ || gatesOpen_ > 0; });
        if (gatesOpen_ > 0) --gatesOpen_;
        break;
      }
      case Step::kHold: {
        std::unique_lock<std::mutex> hold(lock_);
        changed_.wait(hold, [&] { return stopping_; });
        break;
      }
    }
  }
}

RefusedPort::RefusedPort() {
  socket_ = socket(AF_INET, SOCK_STREAM, 0);
  port_ = BindLoopback(socket_);
}

RefusedPort::~RefusedPort() { closesocket(socket_); }

std::string RefusedPort::Url(const std::string& path) const { return LoopbackUrl(port_, path); }

QueueFullListener::QueueFullListener() {
  listener_ = socket(AF_INET, SOCK_STREAM, 0);
  port_ = BindLoopback(listener_);
  listen(listener_, 0);  // room for one waiting connection
  sockaddr_in address;
  std::memset(&address, 0, sizeof(address));
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = inet_addr("127.0.0.1");
  address.sin_port = htons(static_cast<unsigned short>(port_));
  filler_ = socket(AF_INET, SOCK_STREAM, 0);
  connect(filler_, reinterpret_cast<sockaddr*>(&address), sizeof(address));  // blocking
}

QueueFullListener::~QueueFullListener() {
  for (SOCKET socket : {taken_, filler_, listener_}) {
    if (socket != INVALID_SOCKET) closesocket(socket);
  }
}

std::string QueueFullListener::Url(const std::string& path) const {
  return LoopbackUrl(port_, path);
}

void QueueFullListener::MakeRoom() {
  if (taken_ == INVALID_SOCKET) taken_ = accept(listener_, nullptr, nullptr);
}

std::string UnresolvableUrl(const std::string& path) {
  return "http://" + std::string(70, 'x') + ".invalid/" + path;
}

}  // namespace net_testing
