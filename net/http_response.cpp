// The wire side of one exchange: the request text, the header block and its fields.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string_view>

#include "net/decimal_text.h"
#include "net/http_transfer.h"

char* HttpTransfer::FormatRequest(char (&buffer)[kRequestSize], const char* host, const char* path) {
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
  while (stored < kHeaderSize) {
    char byte[2];
    if (connection->Receive(byte, 1) < 1) {
      std::memset(header, 0, sizeof(header));
      return false;
    }
    header[stored++] = byte[0];
    if (stored >= 4 && std::memcmp(header + stored - 4, "\r\n\r\n", 4) == 0) break;
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
  if (text.empty()) return -1;
  std::size_t match = text.find(name);
  if (match == std::string_view::npos) return -1;
  // The two characters after the name (normally ": ") are skipped whatever they are.
  std::size_t start = match + std::strlen(name) + 2;
  if (start > text.size()) return -1;
  std::size_t lineEnd = text.find("\r\n", start);
  if (lineEnd == std::string_view::npos) return -1;
  std::size_t length = lineEnd - start;
  std::size_t copied = std::min(length, static_cast<std::size_t>(capacity - 1));
  std::memcpy(out, text.data() + start, copied);
  out[copied] = 0;
  return static_cast<int>(length);
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
