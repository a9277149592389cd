#include "testbed/controls/flash_movie.h"

#include <vector>

#include "compat/windows/file_handles.h"

namespace {

constexpr size_t kMaxMovieBytes = 16 * 1024 * 1024;
constexpr unsigned kTagEnd = 0;
constexpr unsigned kTagSetBackgroundColor = 9;
constexpr unsigned kTagFrameLabel = 43;

std::vector<unsigned char> ReadWholeFile(const std::wstring& path) {
  std::vector<unsigned char> bytes;
  const UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return bytes;
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0 &&
      static_cast<unsigned long long>(size.QuadPart) <= kMaxMovieBytes) {
    bytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD read = 0;
    if (!::ReadFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) {
      read = 0;
    }
    bytes.resize(read);
  }
  return bytes;
}

unsigned ReadU16(const std::vector<unsigned char>& bytes, size_t at) {
  return bytes[at] | (bytes[at + 1] << 8);
}

}  // namespace

FlashMovie ReadFlashMovie(const std::wstring& path) {
  FlashMovie movie;
  const std::vector<unsigned char> bytes = ReadWholeFile(path);
  if (bytes.size() < 9) return movie;
  const bool uncompressed = bytes[0] == 'F' && bytes[1] == 'W' && bytes[2] == 'S';
  const bool compressed =
      (bytes[0] == 'C' || bytes[0] == 'Z') && bytes[1] == 'W' && bytes[2] == 'S';
  if (!uncompressed && !compressed) return movie;
  movie.playable = true;
  if (!compressed) {
    // After the 8-byte header: the frame rectangle (5 bits of field width, then four fields),
    // the frame rate as 8.8 fixed point, the frame count, then the tags.
    const unsigned fieldBits = bytes[8] >> 3;
    size_t at = 8 + (5 + 4 * fieldBits + 7) / 8;
    if (at + 4 <= bytes.size()) {
      const double rate = bytes[at + 1] + bytes[at] / 256.0;
      if (rate >= 1 && rate <= 60) movie.frameRate = rate;
      at += 4;
    }
    const UINT codePage = bytes[3] >= 6 ? CP_UTF8 : CP_ACP;
    while (at + 2 <= bytes.size()) {
      const unsigned header = ReadU16(bytes, at);
      at += 2;
      const unsigned code = header >> 6;
      size_t length = header & 0x3F;
      if (length == 0x3F) {
        if (at + 4 > bytes.size()) break;
        length = ReadU16(bytes, at) | (static_cast<size_t>(ReadU16(bytes, at + 2)) << 16);
        at += 4;
      }
      if (code == kTagEnd || length > bytes.size() - at) break;
      if (code == kTagSetBackgroundColor && length >= 3) {
        movie.background = RGB(bytes[at], bytes[at + 1], bytes[at + 2]);
      } else if (code == kTagFrameLabel && movie.caption.empty() && length > 1) {
        const char* text = reinterpret_cast<const char*>(&bytes[at]);
        int textLength = 0;
        while (static_cast<size_t>(textLength) < length && text[textLength] != '\0') ++textLength;
        const int wide = ::MultiByteToWideChar(codePage, 0, text, textLength, nullptr, 0);
        if (wide > 0) {
          movie.caption.resize(static_cast<size_t>(wide));
          ::MultiByteToWideChar(codePage, 0, text, textLength, &movie.caption[0], wide);
        }
      }
      at += length;
    }
  }
  return movie;
}
