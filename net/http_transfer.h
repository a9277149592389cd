// One HTTP/1.1 GET for a list of candidate URLs: the mirror race, then the exchange over the
// winner. The fields are open because the launcher reads `body` and `bodySize` directly.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/http_connection.h"

class HttpTransfer {
 public:
  static constexpr int kRequestSize = 4096;
  static constexpr int kHeaderSize = 4096;
  static constexpr int kStatusLineSize = 256;
  static constexpr int kContentLengthSize = 30;

  // How the last race ended; a caller explains a failed start with it.
  enum RaceOutcome {
    RaceNotRun,
    RaceWon,
    RaceNoUsableUrl,  // no URL splits
    RaceNoAddress,    // no attempt could begin: no host found, or no usable port
    RaceRefused,      // every attempt that found its address was refused or unreachable
    RaceTimedOut,     // nothing connected within connectTimeout
    RaceFailed,       // waiting for the connections failed
  };

  // Called after each piece of the body is stored, with the bytes received so far and the whole
  // length; false ends the body there (the transfer still succeeds).
  using BodyProgress = std::function<bool(int received, int length)>;

  HttpTransfer();
  virtual ~HttpTransfer();
  HttpTransfer(const HttpTransfer&) = delete;
  HttpTransfer& operator=(const HttpTransfer&) = delete;

  // Performs the exchange over the winning connection; 1 on success, 0 on failure.
  virtual int Run();
  // The exchange: request, header, status, then the body, reporting each piece to `progress`
  // when one is given. 1 on success (also when `progress` ended the body), 0 on failure.
  int Exchange(const BodyProgress& progress);

  // The race, then Run. 1 when a connection was made and Run reported success.
  int Start(std::vector<std::string> urls);
  // Starts an attempt for every URL that splits and keeps the first that connects. Ends without
  // a winner after connectTimeout, or as soon as every attempt has failed.
  bool ConnectFirst(const std::vector<std::string>& urls);

  // The request text; null (and an empty buffer) when host and path do not fit.
  char* FormatRequest(char (&buffer)[kRequestSize], const char* host, const char* path);
  // One send of `text`, then ReadHeader.
  bool SendRequest(const char* text, int length);
  // Reads the header block one byte at a time, up to and with its empty line; false when the
  // connection ends first or the block does not fit in 4096 bytes.
  bool ReadHeader();
  // The next line of the header block (CR kept, LF dropped); -1 past the end, which rewinds.
  int ReadHeaderLine(char* buffer, int capacity);
  // The value of the first field named `name` (ASCII letters in any case) after the status line:
  // the text after the colon and any blanks, to the end of the line. Its whole length, or -1 when
  // there is no such field; `out` gets at most `capacity` - 1 bytes of it and a zero byte.
  int GetHeaderValue(const char* name, char* out, int capacity);

  // Accepts status 200 and 206; closes the connection for any other code.
  bool CheckStatus();
  // The Content-Length value as atoi reads it; 0 when the field is missing.
  int ContentLength();
  // Whether the response names a Transfer-Encoding, whatever its value: its body then carries
  // framing (chunk sizes and the like) that this client does not undo.
  bool DeclaresTransferEncoding();
  // Allocates `length` + 1 bytes for the body; false (and no body) when that is impossible.
  bool AllocateBody(int length);

  std::string path;
  std::string fileName;
  char header[kHeaderSize];
  std::string host;
  int headerCursor;
  int headerLength;
  bool headerRead;
  std::unique_ptr<HttpConnection> connection;
  std::unique_ptr<char[]> body;
  int bodySize;
  int connectTimeout;  // ms the race waits for a first connection
  int receiveTimeout;  // ms one Receive of the winner waits
  int pollSleep;       // ms each Receive pass sleeps; handed to the winner
  RaceOutcome raceOutcome;
};
