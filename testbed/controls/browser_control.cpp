// The stand-in web browser control, registered in the test prefix in place of Wine's (which has
// no HTML engine there): Navigate shows the page's title and text, tags taken out, and appends
// "navigate <url>" to standin-browser.log in the current directory. Keys reach it only through
// its container's accelerator translation: the arrows, Page Up/Down, Home and End scroll the page.
#include <olectl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "compat/windows/gdi_handles.h"
#include "testbed/controls/standin_control.h"
#include "testbed/controls/standin_exports.h"
#include "testbed/controls/standin_server.h"
#include "testbed/controls/web_page.h"

namespace {

// {EAB22AC3-30C1-11CF-A7EB-0000C05BAE0B}
const CLSID kBrowserClassId = {
    0xEAB22AC3, 0x30C1, 0x11CF, {0xA7, 0xEB, 0x00, 0x00, 0xC0, 0x5B, 0xAE, 0x0B}};
constexpr DISPID kDispidNavigate = 104;
constexpr const char* kLogFile = "standin-browser.log";
constexpr const char* kRefuseVariable = "STANDIN_BROWSER_REFUSE";
constexpr const wchar_t* kWindowClass = L"StandInWebBrowser";

// The look of the sample's launcher page.
constexpr COLORREF kPageBackground = RGB(42, 32, 22);
constexpr COLORREF kTitleColour = RGB(242, 204, 120);
constexpr COLORREF kTextColour = RGB(232, 216, 176);
constexpr int kMarginX = 14;
constexpr int kMarginTop = 26;
constexpr int kTitleHeight = 20;
constexpr int kTextHeight = 16;
constexpr int kTitleLine = 32;
constexpr int kTextLine = 24;
constexpr int kBlockGap = 4;

UniqueGdiObject<HFONT> PageFont(int height, int weight) {
  return UniqueGdiObject<HFONT>(::CreateFontW(
      height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, L"SimSun"));
}

// `text` broken into lines no wider than `width` in the font selected into `dc`: anywhere for
// CJK text, at a space when one is in the line.
std::vector<std::wstring> WrapLines(HDC dc, const std::wstring& text, int width) {
  std::vector<std::wstring> lines;
  size_t at = 0;
  while (at < text.size()) {
    int fit = 0;
    SIZE extent{};
    const int left = static_cast<int>(text.size() - at);
    ::GetTextExtentExPointW(dc, text.c_str() + at, left, std::max(1, width), &fit, nullptr,
                            &extent);
    if (fit <= 0) fit = 1;
    if (fit < left) {
      const size_t space = text.rfind(L' ', at + static_cast<size_t>(fit));
      const bool latinBreak = text[at + static_cast<size_t>(fit)] != L' ' &&
                              text[at + static_cast<size_t>(fit)] < 0x2E80;
      if (latinBreak && space != std::wstring::npos && space > at) {
        fit = static_cast<int>(space - at);
      }
    }
    lines.push_back(text.substr(at, static_cast<size_t>(fit)));
    at += static_cast<size_t>(fit);
    while (at < text.size() && text[at] == L' ') ++at;
  }
  return lines;
}

class BrowserControl final : public DispatchingControl<IDispatch> {
 public:
  BrowserControl() : DispatchingControl(kBrowserClassId, kWindowClass) {}

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    if (_wcsicmp(names[0], L"Navigate") != 0) {
      ids[0] = DISPID_UNKNOWN;
      return DISP_E_UNKNOWNNAME;
    }
    ids[0] = kDispidNavigate;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD kind, DISPPARAMS* params,
                                   VARIANT*, EXCEPINFO*, UINT*) override {
    if (dispid != kDispidNavigate || !(kind & DISPATCH_METHOD)) return DISP_E_MEMBERNOTFOUND;
    if (params == nullptr || params->cArgs < 1 || params->cArgs > 5) return DISP_E_BADPARAMCOUNT;
    // The address is the first argument, which comes last.
    VARIANT address;
    ::VariantInit(&address);
    if (FAILED(::VariantChangeType(&address, &params->rgvarg[params->cArgs - 1], 0, VT_BSTR))) {
      return DISP_E_TYPEMISMATCH;
    }
    Navigate(address.bstrVal != nullptr ? address.bstrVal : L"");
    ::VariantClear(&address);
    return S_OK;
  }

 protected:
  void* QueryControlInterface(REFIID iid) override {
    return iid == IID_IDispatch ? static_cast<IDispatch*>(this) : nullptr;
  }

  void Paint(HDC dc, const RECT& client) override {
    const UniqueGdiObject<HBRUSH> background(::CreateSolidBrush(kPageBackground));
    ::FillRect(dc, &client, background.get());
    if (!m_navigated) return;
    ::SetBkMode(dc, TRANSPARENT);
    int y = kMarginTop - m_scroll;
    Layout(dc, client, [&](const std::wstring& line, bool title, int top) {
      ::SetTextColor(dc, title ? kTitleColour : kTextColour);
      ::TextOutW(dc, kMarginX, y + top, line.c_str(), static_cast<int>(line.size()));
    });
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_LBUTTONDOWN:
        ::SetFocus(m_window);
        return 0;
      case WM_SIZE:
        UpdateScrolling();
        return 0;
      case WM_MOUSEWHEEL:
        ScrollTo(m_scroll - GET_WHEEL_DELTA_WPARAM(wParam) / WHEEL_DELTA * 3 * kTextLine);
        return 0;
      case WM_VSCROLL: {
        SCROLLINFO info{};
        info.cbSize = sizeof info;
        info.fMask = SIF_ALL;
        ::GetScrollInfo(m_window, SB_VERT, &info);
        switch (LOWORD(wParam)) {
          case SB_LINEUP:
            ScrollTo(m_scroll - kTextLine);
            break;
          case SB_LINEDOWN:
            ScrollTo(m_scroll + kTextLine);
            break;
          case SB_PAGEUP:
            ScrollTo(m_scroll - static_cast<int>(info.nPage));
            break;
          case SB_PAGEDOWN:
            ScrollTo(m_scroll + static_cast<int>(info.nPage));
            break;
          case SB_THUMBTRACK:
          case SB_THUMBPOSITION:
            ScrollTo(info.nTrackPos);
            break;
          default:
            break;
        }
        return 0;
      }
      default:
        return StandInControl::WindowProc(message, wParam, lParam);
    }
  }

  HRESULT OnAccelerator(const MSG& msg) override {
    if (msg.message != WM_KEYDOWN) return S_FALSE;
    RECT client{0, 0, 0, 0};
    if (m_window != nullptr) ::GetClientRect(m_window, &client);
    const int page = std::max(kTextLine, static_cast<int>(client.bottom) - kTextLine);
    switch (msg.wParam) {
      case VK_UP:
        ScrollTo(m_scroll - kTextLine);
        return S_OK;
      case VK_DOWN:
        ScrollTo(m_scroll + kTextLine);
        return S_OK;
      case VK_PRIOR:
        ScrollTo(m_scroll - page);
        return S_OK;
      case VK_NEXT:
        ScrollTo(m_scroll + page);
        return S_OK;
      case VK_HOME:
        ScrollTo(0);
        return S_OK;
      case VK_END:
        ScrollTo(m_contentHeight);
        return S_OK;
      default:
        return S_FALSE;
    }
  }

 private:
  // Calls `draw(line, isTitle, top)` for every line of the page laid out in `client`, top
  // relative to the page's own top; returns the page's height.
  template <class Draw>
  int Layout(HDC dc, const RECT& client, Draw draw) {
    const int width = static_cast<int>(client.right) - 2 * kMarginX;
    int top = 0;
    const UniqueGdiObject<HFONT> titleFont = PageFont(kTitleHeight, FW_BOLD);
    const UniqueGdiObject<HFONT> textFont = PageFont(kTextHeight, FW_NORMAL);
    const GdiSelection selected(dc, titleFont.get());
    if (!m_page.title.empty()) {
      for (const std::wstring& line : WrapLines(dc, m_page.title, width)) {
        draw(line, true, top);
        top += kTitleLine;
      }
    }
    ::SelectObject(dc, textFont.get());
    for (const std::wstring& block : m_page.blocks) {
      for (const std::wstring& line : WrapLines(dc, block, width)) {
        draw(line, false, top);
        top += kTextLine;
      }
      top += kBlockGap;
    }
    return top + kMarginTop * 2;
  }

  void Navigate(const wchar_t* address) {
    AppendControlLog(kLogFile, "navigate ", address);
    m_page = LoadWebPage(address);
    m_navigated = true;
    m_scroll = 0;
    if (m_window != nullptr) ::SetWindowTextW(m_window, m_page.title.c_str());
    UpdateScrolling();
    Repaint();
  }

  void UpdateScrolling() {
    if (m_window == nullptr) return;
    RECT client;
    ::GetClientRect(m_window, &client);
    {
      const UniqueClientDc dc = GetClientDc(m_window);
      m_contentHeight =
          m_navigated ? Layout(dc.get(), client, [](const std::wstring&, bool, int) {}) : 0;
    }
    ScrollTo(m_scroll);
  }

  void ScrollTo(int position) {
    RECT client{0, 0, 0, 0};
    if (m_window != nullptr) ::GetClientRect(m_window, &client);
    const int limit = std::max(0, m_contentHeight - static_cast<int>(client.bottom));
    m_scroll = std::min(std::max(position, 0), limit);
    if (m_window == nullptr) return;
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMax = std::max(0, m_contentHeight - 1);
    info.nPage = static_cast<UINT>(client.bottom);
    info.nPos = m_scroll;
    ::SetScrollInfo(m_window, SB_VERT, &info, TRUE);
    Repaint();
  }

  WebPage m_page;
  bool m_navigated = false;
  int m_scroll = 0;
  int m_contentHeight = 0;
};

}  // namespace

const StandInServerDescription kStandInServer = {kBrowserClassId,
                                                 "Microsoft Web Browser (stand-in)",
                                                 "Shell.Explorer.1",
                                                 kRefuseVariable,
                                                 kWindowClass,
                                                 CreateStandInObject<BrowserControl>,
                                                 nullptr};
