// A scripted HTTP peer on 127.0.0.1 for the network tests, written on the same Winsock names as
// the client (real Winsock under Wine, the compat shim on the host).
#pragma once

#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "compat/winsock.h"

namespace net_testing {

// The socket library, started for the life of the object.
class WinsockSession {
 public:
  WinsockSession() { WSAStartup(0x0101, &data_); }
  ~WinsockSession() { WSACleanup(); }

 private:
  WSADATA data_;
};

struct Step {
  enum Kind { kSend, kPause, kGate, kHold } kind;
  std::string bytes;
  int milliseconds;
};
Step Send(const std::string& bytes);
Step Pause(int milliseconds);
Step Gate();  // waits until the test calls OpenGate
Step Hold();  // keeps the connection open, silent, until the server goes

// "HTTP/1.1 200 OK\r\nContent-Length: N\r\n\r\n"
std::string OkHeader(std::size_t contentLength);
// `length` bytes of a pattern that does not repeat every few bytes.
std::string Pattern(std::size_t length);

// Accepts connections one at a time and plays the script to each; the connection is closed when
// the script ends. What each peer sent before the script started is recorded.
class ScriptedServer {
 public:
  explicit ScriptedServer(std::vector<Step> script = {}, int backlog = 8);
  ~ScriptedServer();
  ScriptedServer(const ScriptedServer&) = delete;
  ScriptedServer& operator=(const ScriptedServer&) = delete;

  int Port() const { return port_; }
  std::string Url(const std::string& path) const;
  void OpenGate();
  // Waits until `count` connections have ended (a few seconds at most); false if they did not.
  bool WaitConnections(int count);
  // The request text of each connection that sent one, in order.
  std::vector<std::string> Requests();
  // Connections the peer closed before it sent anything.
  int ClosedWithoutRequest();

 private:
  void Serve();
  void Play(SOCKET peer);
  bool WaitReadable(SOCKET socket);

  std::vector<Step> script_;
  SOCKET listener_ = INVALID_SOCKET;
  int port_ = 0;
  std::mutex lock_;
  std::condition_variable changed_;
  bool stopping_ = false;
  int gatesOpen_ = 0;
  int connectionsDone_ = 0;
  int closedWithoutRequest_ = 0;
  std::vector<std::string> requests_;
  std::thread thread_;
};

// A port of 127.0.0.1 that refuses connections: bound, never listening, held for the object's life.
class RefusedPort {
 public:
  RefusedPort();
  ~RefusedPort();
  RefusedPort(const RefusedPort&) = delete;
  RefusedPort& operator=(const RefusedPort&) = delete;
  std::string Url(const std::string& path) const;

 private:
  SOCKET socket_ = INVALID_SOCKET;
  int port_ = 0;
};

// A listener on 127.0.0.1 that accepts nothing until MakeRoom. One connection, made at
// construction, fills its accept queue; a connect after it stays under way (the host drops its
// SYNs) until MakeRoom takes that one off the queue, and gets in with its next SYN. That is how
// Linux treats a full queue; Windows refuses the connect instead.
class QueueFullListener {
 public:
  QueueFullListener();
  ~QueueFullListener();
  QueueFullListener(const QueueFullListener&) = delete;
  QueueFullListener& operator=(const QueueFullListener&) = delete;
  std::string Url(const std::string& path) const;
  void MakeRoom();

 private:
  SOCKET listener_ = INVALID_SOCKET;
  SOCKET filler_ = INVALID_SOCKET;
  SOCKET taken_ = INVALID_SOCKET;
  int port_ = 0;
};

// A host name that fails to resolve without asking any name server (a label over 63 bytes).
std::string UnresolvableUrl(const std::string& path);

}  // namespace net_testing
