#include "testbed/controls/web_page.h"

#include <windows.h>

#include <algorithm>
#include <cwctype>

#include "compat/windows/file_handles.h"

namespace {

constexpr size_t kMaxPageBytes = 4 * 1024 * 1024;

// The page file's first kMaxPageBytes bytes into `bytes`; false when it cannot be opened.
bool ReadPageFile(const std::wstring& path, std::string* bytes) {
  const UniqueFileHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return false;
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file.get(), &size) && size.QuadPart > 0) {
    bytes->resize(static_cast<size_t>(std::min<long long>(size.QuadPart, kMaxPageBytes)));
    DWORD read = 0;
    if (!::ReadFile(file.get(), &(*bytes)[0], static_cast<DWORD>(bytes->size()), &read, nullptr)) {
      read = 0;
    }
    bytes->resize(read);
  }
  return true;
}

std::wstring Decode(const std::string& bytes, UINT codePage, DWORD flags = 0) {
  if (bytes.empty()) return std::wstring();
  const int size = ::MultiByteToWideChar(codePage, flags, bytes.data(),
                                         static_cast<int>(bytes.size()), nullptr, 0);
  if (size <= 0) return std::wstring();
  std::wstring wide(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(codePage, flags, bytes.data(), static_cast<int>(bytes.size()), &wide[0],
                        size);
  return wide;
}

std::wstring ToWide(std::string bytes) {
  if (bytes.size() >= 3 && bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) bytes.erase(0, 3);
  std::string head = bytes.substr(0, 2048);
  std::transform(head.begin(), head.end(), head.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  const size_t charset = head.find("charset=");
  if (charset != std::string::npos) {
    size_t at = charset + 8;
    while (at < head.size() && (head[at] == '"' || head[at] == '\'')) ++at;
    const std::string name = head.substr(at, 8);
    if (name.compare(0, 5, "utf-8") == 0 || name.compare(0, 4, "utf8") == 0) {
      return Decode(bytes, CP_UTF8);
    }
    if (name.compare(0, 6, "gb2312") == 0 || name.compare(0, 3, "gbk") == 0 ||
        name.compare(0, 7, "gb18030") == 0) {
      return Decode(bytes, 936);
    }
  }
  if (::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.data(),
                            static_cast<int>(bytes.size()), nullptr, 0) > 0) {
    return Decode(bytes, CP_UTF8);
  }
  return Decode(bytes, CP_ACP);
}

bool StartsWithNoCase(const std::wstring& text, size_t at, const wchar_t* prefix) {
  for (size_t i = 0; prefix[i] != L'\0'; ++i) {
    if (at + i >= text.size() || std::towlower(text[at + i]) != prefix[i]) return false;
  }
  return true;
}

bool IsOneOf(const std::wstring& name, std::initializer_list<const wchar_t*> names) {
  for (const wchar_t* candidate : names) {
    if (name == candidate) return true;
  }
  return false;
}

// Collects text with white space collapsed, block by block.
class TextCollector {
 public:
  void Add(wchar_t c) {
    if (std::iswspace(c) || c == 0xA0) {
      pendingSpace_ = !current_.empty();
      return;
    }
    if (pendingSpace_) current_ += L' ';
    pendingSpace_ = false;
    current_ += c;
  }
  void Space() { pendingSpace_ = !current_.empty(); }
  void EndBlock(std::vector<std::wstring>* blocks) {
    if (!current_.empty()) blocks->push_back(current_);
    current_.clear();
    pendingSpace_ = false;
  }
  std::wstring Take() {
    std::wstring text = current_;
    current_.clear();
    pendingSpace_ = false;
    return text;
  }

 private:
  std::wstring current_;
  bool pendingSpace_ = false;
};

// The character of an entity starting after '&' at `at`; `at` moves past it.
wchar_t Entity(const std::wstring& text, size_t* at) {
  const size_t end = text.find(L';', *at);
  if (end == std::wstring::npos || end - *at > 10) return L'&';
  const std::wstring name = text.substr(*at, end - *at);
  wchar_t value = 0;
  if (name == L"amp")
    value = L'&';
  else if (name == L"lt")
    value = L'<';
  else if (name == L"gt")
    value = L'>';
  else if (name == L"quot")
    value = L'"';
  else if (name == L"apos")
    value = L'\'';
  else if (name == L"nbsp")
    value = 0xA0;
  else if (name.size() > 1 && name[0] == L'#') {
    const bool hex = name[1] == L'x' || name[1] == L'X';
    const unsigned long code = std::wcstoul(name.c_str() + (hex ? 2 : 1), nullptr, hex ? 16 : 10);
    if (code > 0 && code < 0x10000) value = static_cast<wchar_t>(code);
  }
  if (value == 0) return L'&';
  *at = end + 1;
  return value;
}

}  // namespace

WebPage ParseHtml(const std::string& bytes) {
  const std::wstring html = ToWide(bytes);
  WebPage page;
  TextCollector text;
  bool inTitle = false;
  size_t at = 0;
  while (at < html.size()) {
    const wchar_t c = html[at];
    if (c == L'&') {
      ++at;
      text.Add(Entity(html, &at));
      continue;
    }
    if (c != L'<') {
      text.Add(c);
      ++at;
      continue;
    }
    if (StartsWithNoCase(html, at, L"<!--")) {
      const size_t end = html.find(L"-->", at + 4);
      at = end == std::wstring::npos ? html.size() : end + 3;
      continue;
    }
    const size_t end = html.find(L'>', at);
    if (end == std::wstring::npos) break;
    size_t nameAt = at + 1;
    const bool closing = nameAt < end && html[nameAt] == L'/';
    if (closing) ++nameAt;
    std::wstring name;
    while (nameAt < end && std::iswalnum(html[nameAt])) name += std::towlower(html[nameAt++]);
    at = end + 1;

    if (!closing && (name == L"script" || name == L"style")) {
      // Their content is not text: skip to the matching closing tag.
      size_t close = at;
      while ((close = html.find(L"</", close)) != std::wstring::npos &&
             !StartsWithNoCase(html, close + 2, name.c_str())) {
        close += 2;
      }
      const size_t closeEnd = close == std::wstring::npos ? close : html.find(L'>', close);
      at = closeEnd == std::wstring::npos ? html.size() : closeEnd + 1;
      continue;
    }
    if (name == L"title") {
      if (!closing) {
        text.EndBlock(&page.blocks);
        inTitle = true;
      } else if (inTitle) {
        page.title = text.Take();
        inTitle = false;
      }
      continue;
    }
    if (IsOneOf(name, {L"p",      L"div",  L"br",  L"li",     L"h1",      L"h2",      L"h3",
                       L"h4",     L"h5",   L"h6",  L"ul",     L"ol",      L"tr",      L"table",
                       L"header", L"main", L"nav", L"footer", L"section", L"article", L"body",
                       L"head",   L"hr",   L"dt",  L"dd"})) {
      text.EndBlock(&page.blocks);
    } else if (!IsOneOf(name, {L"a", L"b", L"i", L"em", L"strong", L"u", L"font", L"small", L"big",
                               L"sup", L"sub"})) {
      text.Space();
    }
  }
  text.EndBlock(&page.blocks);
  return page;
}

WebPage LoadWebPage(const std::wstring& address) {
  std::wstring path = address;
  if (StartsWithNoCase(path, 0, L"file:///")) {
    path.erase(0, 8);
  } else if (StartsWithNoCase(path, 0, L"file://")) {
    path.erase(0, 7);
  } else if (path.find(L"://") != std::wstring::npos) {
    return WebPage{address, {L"This stand-in browser shows local files only."}};
  }
  std::replace(path.begin(), path.end(), L'/', L'\\');

  std::string bytes;
  if (!ReadPageFile(path, &bytes)) return WebPage{L"The page cannot be found", {address}};
  return ParseHtml(bytes);
}
