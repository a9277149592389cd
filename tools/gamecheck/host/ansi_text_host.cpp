#include <iconv.h>

#include <cerrno>

#include "tools/gamecheck/ansi_text.h"

namespace {

const char kReplacement[] = "\xEF\xBF\xBD";

}  // namespace

std::string Utf8FromAnsi(const std::string& text) {
  iconv_t converter = iconv_open("UTF-8", "CP936");
  std::string result;
  if (converter == reinterpret_cast<iconv_t>(-1)) {
    // Without the converter only ASCII comes through.
    for (unsigned char c : text)
      result += c < 0x80 ? std::string(1, static_cast<char>(c)) : kReplacement;
    return result;
  }
  char* in = const_cast<char*>(text.data());
  size_t inLeft = text.size();
  while (inLeft > 0) {
    char chunk[256];
    char* out = chunk;
    size_t outLeft = sizeof chunk;
    const size_t converted = iconv(converter, &in, &inLeft, &out, &outLeft);
    result.append(chunk, sizeof chunk - outLeft);
    if (converted == static_cast<size_t>(-1) && errno != E2BIG) {
      // An invalid or cut double-byte character: replace one byte and go on.
      result += kReplacement;
      ++in;
      --inLeft;
    }
  }
  iconv_close(converter);
  return result;
}

std::string ConsoleText(const std::string& text) { return Utf8FromAnsi(text); }
