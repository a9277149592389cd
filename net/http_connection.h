// One TCP connection attempt to the host and port of a URL, on a non-blocking socket.
#pragma once

#include <atomic>
#include <memory>

#include "compat/socket_handle.h"
#include "compat/winsock.h"
#include "net/http_byte_source.h"
#include "net/parsed_url.h"

class HttpConnection {
 public:
  HttpConnection();
  // Closes the socket whether or not the attempt ever connected: no attempt leaks its socket.
  virtual ~HttpConnection();
  HttpConnection(const HttpConnection&) = delete;
  HttpConnection& operator=(const HttpConnection&) = delete;

  // Creates the socket, finds the address and starts a non-blocking connect. True means the
  // attempt is under way; the owner learns of its completion when the socket turns writable, of
  // its failure when the socket shows in select's error set.
  bool BeginConnect(const ParsedUrl& url);
  // The last BeginConnect found the address but its connect failed at once (refused or
  // unreachable before it was under way); its socket is already released.
  bool ConnectFailed() const { return connectFailed; }
  void MarkConnected();
  void SetTimeouts(int receiveTimeoutMs);
  // Pause before each look for data in Receive; 10 ms unless a test or the fuzzer shortens it.
  void SetPollSleep(int milliseconds);
  // A flag that, once raised, makes a waiting Receive give up (the downloader's teardown).
  void SetAbortFlag(const std::atomic<bool>* flag);
  // Connects this attempt to `source` instead of a socket (any socket is released): Send and
  // Receive go to it, with nothing to wait for, until Close.
  void UseByteSource(std::unique_ptr<HttpByteSource> source);

  // One send call; -1 without calling while there is no connected socket or no data.
  int Send(const char* data, int length);
  // 1 to `capacity` bytes received (a zero byte follows them when there is room), or -1 for
  // time-out, peer close or error.
  int Receive(char* buffer, int capacity);
  // Acts only on a connected attempt.
  void Close();

  SOCKET GetSocket() const { return socketHandle.get(); }
  bool IsConnected() const { return connected; }
  const ParsedUrl& GetTarget() const { return target; }

 private:
  UniqueSocket socketHandle;
  ParsedUrl target;
  bool connected;
  bool connectFailed;
  int receiveTimeout;
  int pollSleep;
  const std::atomic<bool>* abortFlag;
  std::unique_ptr<HttpByteSource> byteSource;
};
