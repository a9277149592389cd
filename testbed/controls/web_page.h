// What the stand-in web browser makes of a page: its title and its text, tags taken out, one
// entry per block (paragraph, heading, list item, line break).
#pragma once
#include <string>
#include <vector>

struct WebPage {
  std::wstring title;
  std::vector<std::wstring> blocks;
};

// The page of an HTML document. The code page comes from its charset declaration; without one,
// UTF-8 when the bytes are valid UTF-8, else the ANSI code page.
WebPage ParseHtml(const std::string& bytes);

// The page at `address`: a file path (either slash, relative to the current directory) or a
// file: URL. Other addresses and missing files give a page that says so.
WebPage LoadWebPage(const std::wstring& address);
