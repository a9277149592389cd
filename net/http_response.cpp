// The wire side of one exchange: the request text, the header block and its fields.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "compat/ascii_case.h"
#include "net/decimal_text.h"
#include "net/http_transfer.h"

char* HttpTransfer::FormatRequest(char (&buffer)[kRequestSize], const char* host,
                                  const char* path) {
  buffer[0] = 0;
  if (host == nullptr || path == nullptr) return nullptr;
  int written = std::snprintf(buffer, kRequestSize,
                              "GET /%s HTTP/1.1\r\nHost: %s\r\n"
                              "Accept: */*\r\n"
                              "User-Agent: Mozilla/4.0 (compatible; MSIE 5.00; Windows 98)\r\n"
                              "Connection: close\r\n"
                              "\r\n",
                              path, host);
  // A request cut short would be a different request: refuse it rather than send a truncation.
  if (written < 0 || written >= kRequestSize) {
    buffer[0] = 0;
    return nullptr;
  }
  return buffer;
}

bool HttpTransfer::SendRequest(const char* text, int length) {
  if (!connection || !connection->IsConnected()) return false;
  if (connection->Send(text, length) < 0) return false;
  return ReadHeader();
}

bool HttpTransfer::ReadHeader() {
  if (!connection) return false;
  std::memset(header, 0, sizeof(header));
  if (headerRead) return true;
  int stored = 0;
  bool complete = false;
  while (!complete && stored < kHeaderSize) {
    char byte[2];
    if (connection->Receive(byte, 1) < 1) {
      std::memset(header, 0, sizeof(header));
      return false;
    }
    header[stored++] = byte[0];
    complete = stored >= 4 && std::memcmp(header + stored - 4, "\r\n\r\n", 4) == 0;
  }
  // Without its empty line the block cannot be told apart from the body: reading on would
  // deliver header lines as the file, so a block too long for the buffer fails the transfer.
  if (!complete) {
    std::memset(header, 0, sizeof(header));
    return false;
  }
  headerLength = stored;
  headerRead = true;
  return true;
}

int HttpTransfer::ReadHeaderLine(char* buffer, int capacity) {
  if (!connection || buffer == nullptr || capacity < 1) return 0;
  if (headerCursor >= headerLength) {
    headerCursor = 0;
    return -1;
  }
  int copied = 0;
  while (copied < capacity && headerCursor < headerLength) {
    char c = header[headerCursor++];
    buffer[copied++] = c;
    if (c == '\n') break;
  }
  // The last copied byte gives way to the terminator: a whole line keeps its CR, loses its LF.
  buffer[copied - 1] = 0;
  return copied;
}

int HttpTransfer::GetHeaderValue(const char* name, char* out, int capacity) {
  if (name == nullptr || out == nullptr || capacity < 1) return 0;
  std::memset(out, 0, static_cast<std::size_t>(capacity));
  if (!headerRead) return -1;
  std::size_t limit = static_cast<std::size_t>(std::clamp(headerLength, 0, kHeaderSize));
  const char* end = static_cast<const char*>(std::memchr(header, 0, limit));
  std::string_view text(header, end != nullptr ? static_cast<std::size_t>(end - header) : limit);
  const std::string wanted(name);
  if (text.empty() || wanted.empty()) return -1;
  // Fields follow the status line, one to a line: a name counts only at the start of a line and
  // right before its colon, so a longer name that holds it, or a value that does, is not taken.
  for (std::size_t next = text.find('\n'); next != std::string_view::npos;) {
    std::size_t lineStart = next + 1;
    next = text.find('\n', lineStart);
    if (next == std::string_view::npos) return -1;  // a value must end with its line
    std::string_view line = text.substr(lineStart, next - lineStart);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() <= wanted.size() ||
        !compat::EqualIgnoringCase(std::string(line.substr(0, wanted.size())), wanted)) {
      continue;
    }
    // Blanks before the colon are not HTTP, but some servers write them; after it they are usual.
    std::size_t colon = line.find_first_not_of(" \t", wanted.size());
    if (colon == std::string_view::npos || line[colon] != ':') continue;
    std::size_t start = line.find_first_not_of(" \t", colon + 1);
    std::string_view value = line.substr(start == std::string_view::npos ? line.size() : start);
    std::size_t copied = std::min(value.size(), static_cast<std::size_t>(capacity - 1));
    std::memcpy(out, value.data(), copied);
    out[copied] = 0;
    return static_cast<int>(value.size());
  }
  return -1;
}

bool HttpTransfer::CheckStatus() {
  char line[kStatusLineSize] = {};
  ReadHeaderLine(line, kStatusLineSize);
  const char* space = std::strchr(line, ' ');
  if (space == nullptr) return false;  // the connection is left open
  const char* code = space + 1;
  if (std::strncmp(code, "200", 3) == 0 || std::strncmp(code, "206", 3) == 0) return true;
  if (connection) connection->Close();
  return false;
}

int HttpTransfer::ContentLength() {
  char value[kContentLengthSize];
  GetHeaderValue("Content-Length", value, kContentLengthSize);
  return net::LeadingDecimal(value);
}

bool HttpTransfer::DeclaresTransferEncoding() {
  char value[1];  // only whether the field is there matters
  return GetHeaderValue("Transfer-Encoding", value, sizeof(value)) >= 0;
}
