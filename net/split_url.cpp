#include "net/decimal_text.h"
#include "net/parsed_url.h"

std::optional<ParsedUrl> SplitUrl(const std::string& url) {
  std::string::size_type scheme = url.find("://");
  if (scheme == std::string::npos) return std::nullopt;
  std::string rest = url.substr(scheme + 3);

  ParsedUrl parsed;
  std::string::size_type colon = rest.find(':');
  if (colon != std::string::npos) {
    parsed.host = rest.substr(0, colon);
    rest = rest.substr(colon + 1);
    std::string::size_type slash = rest.find('/');
    if (slash == std::string::npos) return std::nullopt;
    parsed.port = net::LeadingDecimal(rest.substr(0, slash).c_str());
    rest = rest.substr(slash + 1);
  } else {
    std::string::size_type slash = rest.find('/');
    if (slash == std::string::npos) return std::nullopt;
    parsed.host = rest.substr(0, slash);
    parsed.port = 80;
    rest = rest.substr(slash + 1);
  }
  parsed.path = rest;
  std::string::size_type lastSlash = parsed.path.rfind('/');
  parsed.fileName =
      lastSlash == std::string::npos ? parsed.path : parsed.path.substr(lastSlash + 1);

  if (parsed.host.empty() || parsed.port < 0 || parsed.path.empty() || parsed.fileName.empty()) {
    return std::nullopt;
  }
  return parsed;
}
