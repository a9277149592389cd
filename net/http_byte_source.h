// The far end of a connection that has no socket: the request is handed to it and the response
// taken from it. Tests and the fuzz target answer from memory this way, with no socket, no thread
// and no waiting, while the transfer reads through the same Receive as over the network.
#pragma once

class HttpByteSource {
 public:
  virtual ~HttpByteSource() = default;
  // Takes the request: the number of bytes taken, or -1, as send reports them.
  virtual int Send(const char* data, int length) = 0;
  // Places 1 to `capacity` bytes of the response in `buffer` and returns their number; 0 once the
  // response has ended, -1 for an error, as recv reports them.
  virtual int Receive(char* buffer, int capacity) = 0;
};
