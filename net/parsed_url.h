// A URL split into the pieces the HTTP client needs.
#pragma once

#include <optional>
#include <string>

struct ParsedUrl {
  std::string fileName;  // last component of `path`
  std::string path;      // after the first "/" behind host and port; a query stays in it
  std::string host;      // host name or dotted IPv4 address
  int port = 80;
};

// Splits "scheme://host[:port]/path". The scheme is not looked at and every search is a plain
// substring search, so the first ":" after "://" is taken as the port separator even inside the
// path. Empty when there is no "://", no "/" after the host, or the host, path or file name is
// empty, or the port is negative.
std::optional<ParsedUrl> SplitUrl(const std::string& url);
