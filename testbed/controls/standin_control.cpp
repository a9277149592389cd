#include "testbed/controls/standin_control.h"

#include <utility>

#include "compat/windows/gdi_handles.h"
#include "testbed/controls/standin_server.h"

StandInControl::StandInControl(REFCLSID clsid, const wchar_t* windowClass)
    : m_clsid(clsid), m_windowClass(windowClass) {
  ServerObjectCreated();
}

StandInControl::~StandInControl() {
  if (m_window != nullptr) ::DestroyWindow(m_window);
  // The sites go before the server counts this object gone.
  m_inPlaceSite.reset();
  m_clientSite.reset();
  ServerObjectDestroyed();
}

HRESULT STDMETHODCALLTYPE StandInControl::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleObject) {
    *object = static_cast<IOleObject*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceObject) {
    *object = static_cast<IOleInPlaceObject*>(this);
  } else if (iid == IID_IOleInPlaceActiveObject) {
    *object = static_cast<IOleInPlaceActiveObject*>(this);
  } else if (iid == IID_IPersist || iid == IID_IPersistStreamInit) {
    *object = static_cast<IPersistStreamInit*>(this);
  } else {
    *object = QueryControlInterface(iid);
  }
  if (*object == nullptr) return E_NOINTERFACE;
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE StandInControl::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

ULONG STDMETHODCALLTYPE StandInControl::Release() {
  const LONG left = ::InterlockedDecrement(&m_refs);
  if (left == 0) delete this;
  return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE StandInControl::SetClientSite(IOleClientSite* site) {
  m_clientSite = site;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInControl::GetClientSite(IOleClientSite** site) {
  if (site == nullptr) return E_POINTER;
  *site = m_clientSite.get();
  if (m_clientSite) m_clientSite->AddRef();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInControl::SetHostNames(LPCOLESTR, LPCOLESTR) { return S_OK; }
HRESULT STDMETHODCALLTYPE StandInControl::Close(DWORD) { return InPlaceDeactivate(); }
HRESULT STDMETHODCALLTYPE StandInControl::SetMoniker(DWORD, IMoniker*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE StandInControl::GetMoniker(DWORD, DWORD, IMoniker**) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE StandInControl::InitFromData(IDataObject*, BOOL, DWORD) {
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE StandInControl::GetClipboardData(DWORD, IDataObject**) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE StandInControl::DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG,
                                                 HWND parent, LPCRECT position) {
  switch (verb) {
    case OLEIVERB_PRIMARY:
    case OLEIVERB_SHOW:
    case OLEIVERB_INPLACEACTIVATE:
    case OLEIVERB_UIACTIVATE:
      return ActivateInPlace(site != nullptr ? site : m_clientSite.get(), parent, position);
    case OLEIVERB_HIDE:
      if (m_window != nullptr) ::ShowWindow(m_window, SW_HIDE);
      return S_OK;
    default:
      return OLEOBJ_S_INVALIDVERB;
  }
}

HRESULT StandInControl::ActivateInPlace(IOleClientSite* site, HWND, LPCRECT) {
  if (m_window != nullptr) return S_OK;
  if (site == nullptr) return E_INVALIDARG;
  ComPtr<IOleInPlaceSite> inPlaceSite;
  if (FAILED(site->QueryInterface(IID_IOleInPlaceSite, inPlaceSite.putVoid()))) {
    return E_NOINTERFACE;
  }
  HWND parent = nullptr;
  if (inPlaceSite->CanInPlaceActivate() != S_OK || FAILED(inPlaceSite->GetWindow(&parent))) {
    return E_FAIL;
  }
  inPlaceSite->OnInPlaceActivate();
  RECT position{0, 0, 0, 0}, clip{0, 0, 0, 0};
  {
    ComPtr<IOleInPlaceFrame> frame;
    ComPtr<IOleInPlaceUIWindow> document;
    OLEINPLACEFRAMEINFO frameInfo{};
    frameInfo.cb = sizeof frameInfo;
    inPlaceSite->GetWindowContext(frame.put(), document.put(), &position, &clip, &frameInfo);
  }

  WNDCLASSW existing{};
  if (!::GetClassInfoW(g_serverModule, m_windowClass, &existing)) {
    WNDCLASSW windowClass{};
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = StaticWindowProc;
    windowClass.hInstance = g_serverModule;
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.lpszClassName = m_windowClass;
    ::RegisterClassW(&windowClass);
  }
  m_window =
      ::CreateWindowExW(0, m_windowClass, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                        position.left, position.top, position.right - position.left,
                        position.bottom - position.top, parent, nullptr, g_serverModule, this);
  if (m_window == nullptr) {
    inPlaceSite->OnInPlaceDeactivate();
    return E_FAIL;
  }
  m_inPlaceSite = std::move(inPlaceSite);
  OnWindowCreated();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInControl::EnumVerbs(IEnumOLEVERB**) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE StandInControl::Update() { return S_OK; }
HRESULT STDMETHODCALLTYPE StandInControl::IsUpToDate() { return S_OK; }

HRESULT STDMETHODCALLTYPE StandInControl::GetUserClassID(CLSID* clsid) { return GetClassID(clsid); }

HRESULT STDMETHODCALLTYPE StandInControl::GetUserType(DWORD, LPOLESTR*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE StandInControl::SetExtent(DWORD, SIZEL* size) {
  if (size == nullptr) return E_POINTER;
  m_extent = *size;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInControl::GetExtent(DWORD, SIZEL* size) {
  if (size == nullptr) return E_POINTER;
  *size = m_extent;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInControl::Advise(IAdviseSink*, DWORD*) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE StandInControl::Unadvise(DWORD) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE StandInControl::EnumAdvise(IEnumSTATDATA**) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE StandInControl::GetMiscStatus(DWORD, DWORD* status) {
  if (status == nullptr) return E_POINTER;
  *status = OLEMISC_SETCLIENTSITEFIRST | OLEMISC_ACTIVATEWHENVISIBLE | OLEMISC_INSIDEOUT |
            OLEMISC_RECOMPOSEONRESIZE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInControl::SetColorScheme(LOGPALETTE*) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE StandInControl::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = m_window;
  return m_window != nullptr ? S_OK : E_FAIL;
}

HRESULT STDMETHODCALLTYPE StandInControl::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE StandInControl::InPlaceDeactivate() {
  if (m_window != nullptr) ::DestroyWindow(m_window);
  m_window = nullptr;
  // Taken out first, so a call back into the control finds it deactivated.
  if (const ComPtr<IOleInPlaceSite> site = std::move(m_inPlaceSite)) site->OnInPlaceDeactivate();
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInControl::UIDeactivate() { return S_OK; }

HRESULT STDMETHODCALLTYPE StandInControl::SetObjectRects(LPCRECT position, LPCRECT) {
  if (position == nullptr) return E_POINTER;
  if (m_window != nullptr) {
    ::MoveWindow(m_window, position->left, position->top, position->right - position->left,
                 position->bottom - position->top, TRUE);
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInControl::ReactivateAndUndo() { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE StandInControl::TranslateAccelerator(LPMSG msg) {
  return msg != nullptr ? OnAccelerator(*msg) : E_POINTER;
}

HRESULT StandInControl::OnAccelerator(const MSG&) { return S_FALSE; }
HRESULT STDMETHODCALLTYPE StandInControl::OnFrameWindowActivate(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE StandInControl::OnDocWindowActivate(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE StandInControl::ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) {
  return S_OK;
}
HRESULT STDMETHODCALLTYPE StandInControl::EnableModeless(BOOL) { return S_OK; }

HRESULT STDMETHODCALLTYPE StandInControl::GetClassID(CLSID* clsid) {
  if (clsid == nullptr) return E_POINTER;
  *clsid = m_clsid;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE StandInControl::IsDirty() { return S_FALSE; }
HRESULT STDMETHODCALLTYPE StandInControl::Load(LPSTREAM) { return S_OK; }
HRESULT STDMETHODCALLTYPE StandInControl::Save(LPSTREAM, BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE StandInControl::GetSizeMax(ULARGE_INTEGER* size) {
  if (size == nullptr) return E_POINTER;
  size->QuadPart = 0;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE StandInControl::InitNew() { return S_OK; }

void StandInControl::Repaint() const {
  if (m_window != nullptr) ::InvalidateRect(m_window, nullptr, FALSE);
}

LRESULT StandInControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // everything is painted at once from the back buffer
    case WM_PAINT: {
      PAINTSTRUCT paint;
      HDC dc = ::BeginPaint(m_window, &paint);
      RECT client;
      ::GetClientRect(m_window, &client);
      {
        const UniqueMemoryDc buffer(::CreateCompatibleDC(dc));
        const UniqueGdiObject<HBITMAP> bitmap(
            ::CreateCompatibleBitmap(dc, client.right, client.bottom));
        const GdiSelection selected(buffer.get(), bitmap.get());
        Paint(buffer.get(), client);
        ::BitBlt(dc, 0, 0, client.right, client.bottom, buffer.get(), 0, 0, SRCCOPY);
      }
      ::EndPaint(m_window, &paint);
      return 0;
    }
    default:
      return ::DefWindowProcW(m_window, message, wParam, lParam);
  }
}

LRESULT CALLBACK StandInControl::StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* creating =
        static_cast<StandInControl*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(creating));
    creating->m_window = hwnd;
  }
  auto* control = reinterpret_cast<StandInControl*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (control == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    control->m_window = nullptr;
    return ::DefWindowProcW(hwnd, message, wParam, lParam);
  }
  return control->WindowProc(message, wParam, lParam);
}
