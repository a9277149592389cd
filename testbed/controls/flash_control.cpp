// The stand-in Flash Player control (flash.ocx of the sample game folder): plays a banner
// animation for the movie it is given, reports the version the test bed asks for, and opens a
// context menu on a right click that reaches it. Every event is appended to standin-flash.log in
// the current directory: "version", "movie <path>", "play", "rbutton".
#include <olectl.h>

#include <string>

#include "compat/windows/registry_key.h"
#include "testbed/controls/flash_banner.h"
#include "testbed/controls/flash_movie.h"
#include "testbed/controls/standin_control.h"
#include "testbed/controls/standin_exports.h"
#include "testbed/controls/standin_server.h"

namespace {

// {D27CDB6E-AE6D-11CF-96B8-444553540000}
const CLSID kFlashClassId = {
    0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};
// {D27CDB6C-AE6D-11CF-96B8-444553540000}: the primary (dual) interface.
const IID kFlashInterfaceId = {
    0xD27CDB6C, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

constexpr DISPID kDispidMovie = 102;
constexpr DISPID kDispidPlay = 112;
constexpr const char* kLogFile = "standin-flash.log";
constexpr const char* kSettingsKey = "Software\\LauncherTestbed\\FlashControl";
constexpr DWORD kDefaultVersion = 0x000A0000;  // 10.0
// A test sets this variable to make creation fail, as with a broken control.
constexpr const char* kRefuseVariable = "STANDIN_FLASH_REFUSE";
constexpr const wchar_t* kWindowClass = L"StandInFlashPlayer";

DWORD ReadSetting(const char* name, DWORD fallback) {
  DWORD value = fallback, size = sizeof value, type = 0;
  const UniqueRegistryKey key = OpenRegistryKey(HKEY_CURRENT_USER, kSettingsKey, KEY_READ);
  if (!key) return fallback;
  if (::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size) !=
          ERROR_SUCCESS ||
      type != REG_DWORD) {
    value = fallback;
  }
  return value;
}

// The dual interface: dispatch, then 32 operations this stand-in does not offer (each answers
// E_NOTIMPL and takes no argument), so that the version query lands in slot 39.
// clang-format off
#define UNUSED_OPERATION(n) \
  virtual HRESULT STDMETHODCALLTYPE Unused##n() { return E_NOTIMPL; }
struct IStandInFlash : public IDispatch {
  UNUSED_OPERATION(07) UNUSED_OPERATION(08) UNUSED_OPERATION(09) UNUSED_OPERATION(10)
  UNUSED_OPERATION(11) UNUSED_OPERATION(12) UNUSED_OPERATION(13) UNUSED_OPERATION(14)
  UNUSED_OPERATION(15) UNUSED_OPERATION(16) UNUSED_OPERATION(17) UNUSED_OPERATION(18)
  UNUSED_OPERATION(19) UNUSED_OPERATION(20) UNUSED_OPERATION(21) UNUSED_OPERATION(22)
  UNUSED_OPERATION(23) UNUSED_OPERATION(24) UNUSED_OPERATION(25) UNUSED_OPERATION(26)
  UNUSED_OPERATION(27) UNUSED_OPERATION(28) UNUSED_OPERATION(29) UNUSED_OPERATION(30)
  UNUSED_OPERATION(31) UNUSED_OPERATION(32) UNUSED_OPERATION(33) UNUSED_OPERATION(34)
  UNUSED_OPERATION(35) UNUSED_OPERATION(36) UNUSED_OPERATION(37) UNUSED_OPERATION(38)
  // Slot 39: the version, major version in the upper 16 bits.
  virtual HRESULT STDMETHODCALLTYPE FlashVersion(long* version) = 0;
};
#undef UNUSED_OPERATION
// clang-format on

class FlashControl final : public DispatchingControl<IStandInFlash> {
 public:
  FlashControl() : DispatchingControl(kFlashClassId, kWindowClass) {}

  HRESULT STDMETHODCALLTYPE FlashVersion(long* version) override {
    if (version == nullptr) return E_POINTER;
    AppendControlLog(kLogFile, "version");
    // The test bed can make the query fail, as a damaged control's would.
    if (ReadSetting("VersionFails", 0) != 0) return E_FAIL;
    *version = static_cast<long>(ReadSetting("Version", kDefaultVersion));
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID,
                                          DISPID* ids) override {
    if (names == nullptr || ids == nullptr || count == 0) return E_INVALIDARG;
    if (_wcsicmp(names[0], L"Movie") == 0) {
      ids[0] = kDispidMovie;
    } else if (_wcsicmp(names[0], L"Play") == 0) {
      ids[0] = kDispidPlay;
    } else {
      ids[0] = DISPID_UNKNOWN;
      return DISP_E_UNKNOWNNAME;
    }
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID, LCID, WORD kind, DISPPARAMS* params,
                                   VARIANT* result, EXCEPINFO*, UINT*) override {
    if (dispid == kDispidMovie && (kind & DISPATCH_PROPERTYPUT)) {
      if (params == nullptr || params->cArgs != 1) return DISP_E_BADPARAMCOUNT;
      VARIANT text;
      ::VariantInit(&text);
      const HRESULT hr = ::VariantChangeType(&text, &params->rgvarg[0], 0, VT_BSTR);
      if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
      SetMovie(text.bstrVal != nullptr ? text.bstrVal : L"");
      ::VariantClear(&text);
      return S_OK;
    }
    if (dispid == kDispidMovie && (kind & DISPATCH_PROPERTYGET)) {
      if (result == nullptr) return E_POINTER;
      ::VariantInit(result);
      result->vt = VT_BSTR;
      result->bstrVal = ::SysAllocString(m_movie.c_str());
      return S_OK;
    }
    if (dispid == kDispidPlay && (kind & DISPATCH_METHOD)) {
      Play();
      return S_OK;
    }
    return DISP_E_MEMBERNOTFOUND;
  }

 protected:
  void* QueryControlInterface(REFIID iid) override {
    if (iid == IID_IDispatch || iid == kFlashInterfaceId) return static_cast<IStandInFlash*>(this);
    return nullptr;
  }

  void Paint(HDC dc, const RECT& client) override {
    const wchar_t* name = m_movie.c_str();
    for (const wchar_t* at = name; *at != L'\0'; ++at) {
      if (*at == L'/' || *at == L'\\') name = at + 1;
    }
    DrawBanner(dc, client, m_file, name, m_frame);
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_TIMER:
        ++m_frame;
        Repaint();
        return 0;
      case WM_LBUTTONDOWN:
        // A click puts the keyboard into the movie, as a player's does.
        ::SetFocus(m_window);
        return 0;
      case WM_RBUTTONDOWN:
      case WM_RBUTTONDBLCLK:
        AppendControlLog(kLogFile, "rbutton");
        return 0;
      case WM_RBUTTONUP:
        AppendControlLog(kLogFile, "rbutton");
        ShowContextMenu();
        return 0;
      case WM_CONTEXTMENU:
        return 0;
      case WM_DESTROY:
        ::KillTimer(m_window, kTimerId);
        return 0;
      default:
        return StandInControl::WindowProc(message, wParam, lParam);
    }
  }

  void OnWindowCreated() override {
    if (m_playing) StartTimer();
  }

 private:
  static constexpr UINT_PTR kTimerId = 1;

  void SetMovie(const wchar_t* path) {
    m_movie = path;
    AppendControlLog(kLogFile, "movie ", path);
    m_file = ReadFlashMovie(m_movie);
    m_frame = 0;
    Repaint();
  }

  void Play() {
    AppendControlLog(kLogFile, "play");
    m_playing = true;
    StartTimer();
  }

  void StartTimer() {
    if (m_window == nullptr || !m_file.playable) return;
    ::SetTimer(m_window, kTimerId, static_cast<UINT>(1000.0 / m_file.frameRate), nullptr);
  }

  void ShowContextMenu() {
    HMENU menu = ::CreatePopupMenu();
    const wchar_t* const items[] = {
        L"Zoom In", L"Zoom Out", L"Show All", nullptr, L"Quality",
        nullptr,    L"Play",     L"Loop",     nullptr, L"About Flash Player stand-in..."};
    UINT id = 1;
    for (const wchar_t* item : items) {
      ::AppendMenuW(menu, item != nullptr ? MF_STRING : MF_SEPARATOR, item ? id++ : 0, item);
    }
    POINT where;
    ::GetCursorPos(&where);
    ::TrackPopupMenu(menu, TPM_RIGHTBUTTON, where.x, where.y, 0, m_window, nullptr);
    ::DestroyMenu(menu);
  }

  std::wstring m_movie;
  FlashMovie m_file;
  bool m_playing = false;
  unsigned m_frame = 0;
};

// The test bed can make registration fail, as with a damaged control file.
bool RegistrationRefused() { return ReadSetting("RegisterFails", 0) != 0; }

}  // namespace

const StandInServerDescription kStandInServer = {kFlashClassId,
                                                 "Shockwave Flash Object (stand-in)",
                                                 "ShockwaveFlash.ShockwaveFlash",
                                                 kRefuseVariable,
                                                 kWindowClass,
                                                 CreateStandInObject<FlashControl>,
                                                 RegistrationRefused};
