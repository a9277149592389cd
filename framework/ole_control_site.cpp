#include "framework/ole_control_site.h"

#include <olectl.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <mutex>
#include <utility>
#include <vector>

#include "compat/windows/gdi_handles.h"
#include "framework/wnd.h"

namespace {

// The sites alive, so a container going away can take its controls with it. (One list for the
// process, like the framework's window tables, and for the same reason.)
std::mutex g_sitesLock;
std::vector<COleControlSite*>& LiveSites() {
  static std::vector<COleControlSite*> sites;
  return sites;
}

// OLE is started on a thread by the first control created there, not by the launcher, whose own
// COM start lies in the Flash check alone (and may be undone there).
thread_local bool g_oleStartedHere = false;

bool StartOleOnThisThread() {
  if (g_oleStartedHere) return true;
  if (FAILED(::OleInitialize(nullptr))) return false;
  g_oleStartedHere = true;
  return true;
}

// A narrow text of the ANSI code page as a new BSTR; null stays null (an empty string to COM).
BSTR NarrowToBstr(const char* text) {
  if (text == nullptr) return nullptr;
  const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (length <= 0) return ::SysAllocString(L"");
  BSTR wide = ::SysAllocStringLen(nullptr, static_cast<UINT>(length - 1));
  if (wide != nullptr) ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide, length);
  return wide;
}

// The screen's pixels per logical inch, across and down.
POINT ScreenDpi() {
  const UniqueClientDc screen = GetClientDc(nullptr);
  return POINT{::GetDeviceCaps(screen.get(), LOGPIXELSX),
               ::GetDeviceCaps(screen.get(), LOGPIXELSY)};
}

}  // namespace

// The in-place frame the control sees: the container's top-level window. It shares the site's
// reference count.
class COleControlSite::Frame final : public IOleInPlaceFrame {
 public:
  explicit Frame(COleControlSite* site) : m_site(site) {}

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IOleWindow || iid == IID_IOleInPlaceUIWindow ||
        iid == IID_IOleInPlaceFrame) {
      *object = static_cast<IOleInPlaceFrame*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return m_site->AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return m_site->Release(); }

  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override {
    if (window == nullptr) return E_POINTER;
    *window = m_site->m_container ? ::GetAncestor(m_site->m_container, GA_ROOT) : nullptr;
    return *window ? S_OK : E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }
  // No tool space: the control keeps to its rectangle.
  HRESULT STDMETHODCALLTYPE GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
  HRESULT STDMETHODCALLTYPE RequestBorderSpace(LPCBORDERWIDTHS) override {
    return INPLACE_E_NOTOOLSPACE;
  }
  HRESULT STDMETHODCALLTYPE SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetActiveObject(IOleInPlaceActiveObject* active, LPCOLESTR) override {
    m_site->SetActiveObject(active);
    return S_OK;
  }
  // No menus, status line or accelerators of our own.
  HRESULT STDMETHODCALLTYPE InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE RemoveMenus(HMENU) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE SetStatusText(LPCOLESTR) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override { return S_OK; }
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

 private:
  COleControlSite* m_site;
};

COleControlSite::COleControlSite(CWnd* wrapper, HWND container, const RECT& rect)
    : m_wrapper(wrapper),
      m_container(container),
      m_rect(rect),
      m_frame(std::make_unique<Frame>(this)) {
  std::lock_guard<std::mutex> guard(g_sitesLock);
  LiveSites().push_back(this);
}

COleControlSite::~COleControlSite() {
  {
    std::lock_guard<std::mutex> guard(g_sitesLock);
    auto& sites = LiveSites();
    sites.erase(std::remove(sites.begin(), sites.end(), this), sites.end());
  }
}

COleControlSite* COleControlSite::CreateControl(CWnd* wrapper, REFCLSID clsid,
                                                const char* windowName, DWORD style,
                                                const RECT& rect, HWND container, UINT id) {
  if (wrapper == nullptr || container == nullptr || !::IsWindow(container)) return nullptr;
  if (!StartOleOnThisThread()) return nullptr;
  auto* site = new COleControlSite(wrapper, container, rect);
  if (!site->Activate(clsid, windowName, style, id)) {
    site->ReleaseControl();
    site->m_wrapper = nullptr;
    site->Release();
    return nullptr;
  }
  return site;
}

bool COleControlSite::Activate(REFCLSID clsid, const char* windowName, DWORD style, UINT id) {
  if (FAILED(::CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                m_object.putVoid())) ||
      !m_object) {
    return false;
  }
  // A new control starts from its defaults; some want their site before that, most after.
  DWORD misc = 0;
  m_object->GetMiscStatus(DVASPECT_CONTENT, &misc);
  if (misc & OLEMISC_SETCLIENTSITEFIRST) m_object->SetClientSite(this);
  ComPtr<IPersistStreamInit> persist;
  if (SUCCEEDED(m_object->QueryInterface(IID_IPersistStreamInit, persist.putVoid())) && persist) {
    persist->InitNew();
    persist.reset();
  }
  if (!(misc & OLEMISC_SETCLIENTSITEFIRST)) m_object->SetClientSite(this);

  RECT position = m_rect;
  if (FAILED(
          m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, this, 0, m_container, &position))) {
    return false;
  }
  if (FAILED(m_object->QueryInterface(IID_IOleInPlaceObject, m_inPlaceObject.putVoid())) ||
      !m_inPlaceObject || FAILED(m_inPlaceObject->GetWindow(&m_controlWindow)) ||
      m_controlWindow == nullptr) {
    // Windowless controls are not hosted.
    return false;
  }
  m_object->QueryInterface(IID_IDispatch, m_dispatch.putVoid());
  if (!m_activeObject) {
    ComPtr<IOleInPlaceActiveObject> active;
    if (SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceActiveObject, active.putVoid()))) {
      m_activeObject = std::move(active);
    }
  }

  if (!m_wrapper->SubclassWindow(m_controlWindow)) return false;
  ::SetWindowLongPtrA(m_controlWindow, GWLP_ID, static_cast<LONG_PTR>(id));
  if (windowName != nullptr) ::SetWindowTextA(m_controlWindow, windowName);
  ::ShowWindow(m_controlWindow, (style & WS_VISIBLE) ? SW_SHOWNA : SW_HIDE);
  if (style & WS_DISABLED) ::EnableWindow(m_controlWindow, FALSE);
  return true;
}

void COleControlSite::DestroyControl() {
  // The wrapper lets go first, so nothing it does while the control goes down comes back here.
  if (m_wrapper != nullptr) {
    m_wrapper->m_pCtrlSite = nullptr;
    m_wrapper = nullptr;
  }
  ReleaseControl();
  m_container = nullptr;
  Release();
}

void COleControlSite::ReleaseControl() {
  HWND window = m_controlWindow;
  m_controlWindow = nullptr;
  if (m_inPlaceObject) m_inPlaceObject->InPlaceDeactivate();
  m_activeObject.reset();
  m_inPlaceObject.reset();
  m_dispatch.reset();
  if (m_object) {
    m_object->Close(OLECLOSE_NOSAVE);
    m_object->SetClientSite(nullptr);
    m_object.reset();
  }
  // A control that kept its window after letting go of it leaves it to us.
  if (window != nullptr && ::IsWindow(window)) ::DestroyWindow(window);
}

void COleControlSite::DestroyControlsIn(HWND container) {
  std::vector<CWnd*> hosted;
  {
    std::lock_guard<std::mutex> guard(g_sitesLock);
    for (COleControlSite* site : LiveSites()) {
      if (site->m_container == container && site->m_wrapper != nullptr) {
        hosted.push_back(site->m_wrapper);
      }
    }
  }
  for (CWnd* wrapper : hosted) wrapper->DestroyWindow();
}

void COleControlSite::MoveWindow(const RECT& rect, BOOL repaint) {
  m_rect = rect;
  if (m_object) {
    // The control's extent is in HIMETRIC units (0.01 mm).
    const POINT dpi = ScreenDpi();
    SIZEL extent{::MulDiv(rect.right - rect.left, 2540, dpi.x),
                 ::MulDiv(rect.bottom - rect.top, 2540, dpi.y)};
    m_object->SetExtent(DVASPECT_CONTENT, &extent);
  }
  if (m_inPlaceObject) m_inPlaceObject->SetObjectRects(&m_rect, &m_rect);
  // Whatever the control made of it, its window ends where it was asked to be.
  if (m_controlWindow != nullptr) {
    RECT now;
    ::GetWindowRect(m_controlWindow, &now);
    ::MapWindowPoints(nullptr, ::GetParent(m_controlWindow), reinterpret_cast<POINT*>(&now), 2);
    if (!::EqualRect(&now, &m_rect)) {
      ::MoveWindow(m_controlWindow, m_rect.left, m_rect.top, m_rect.right - m_rect.left,
                   m_rect.bottom - m_rect.top, repaint);
    }
  }
}

BOOL COleControlSite::TranslateAccelerator(MSG* msg) {
  return m_activeObject && m_activeObject->TranslateAccelerator(msg) == S_OK;
}

HRESULT COleControlSite::InvokeHelperV(DISPID dispid, WORD kind, VARTYPE returnType, void*,
                                       const BYTE* paramInfo, va_list arguments) {
  if (!m_dispatch) return E_UNEXPECTED;
  // The launcher's calls return nothing.
  if (returnType != VT_EMPTY) return E_INVALIDARG;
  const size_t count =
      paramInfo != nullptr ? std::strlen(reinterpret_cast<const char*>(paramInfo)) : 0;
  // Dispatch takes the arguments last first.
  std::vector<VARIANT> values(count);
  for (VARIANT& value : values) ::VariantInit(&value);
  HRESULT hr = S_OK;
  for (size_t i = 0; i < count && SUCCEEDED(hr); ++i) {
    VARIANT& value = values[count - 1 - i];
    switch (paramInfo[i]) {
      case kVtsNarrowString:
        value.vt = VT_BSTR;
        value.bstrVal = NarrowToBstr(va_arg(arguments, const char*));
        break;
      case kVtsVariantPointer:
        value.vt = VT_VARIANT | VT_BYREF;
        value.pvarVal = va_arg(arguments, VARIANT*);
        break;
      default:
        hr = E_INVALIDARG;
        break;
    }
  }
  if (SUCCEEDED(hr)) {
    DISPID putId = DISPID_PROPERTYPUT;
    DISPPARAMS params{values.empty() ? nullptr : values.data(), nullptr, static_cast<UINT>(count),
                      0};
    if (kind & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) {
      params.rgdispidNamedArgs = &putId;
      params.cNamedArgs = 1;
    }
    EXCEPINFO exception{};
    UINT argumentError = 0;
    hr = m_dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, kind, &params, nullptr,
                            &exception, &argumentError);
    ::SysFreeString(exception.bstrSource);
    ::SysFreeString(exception.bstrDescription);
    ::SysFreeString(exception.bstrHelpFile);
  }
  for (VARIANT& value : values) {
    if (value.vt == VT_BSTR) ::SysFreeString(value.bstrVal);
  }
  return hr;
}

void COleControlSite::SetActiveObject(IOleInPlaceActiveObject* active) { m_activeObject = active; }

HRESULT STDMETHODCALLTYPE COleControlSite::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (iid == IID_IUnknown || iid == IID_IOleClientSite) {
    *object = static_cast<IOleClientSite*>(this);
  } else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite) {
    *object = static_cast<IOleInPlaceSite*>(this);
  } else if (iid == IID_IDispatch) {
    *object = static_cast<IDispatch*>(this);
  } else if (iid == IID_IOleInPlaceFrame || iid == IID_IOleInPlaceUIWindow) {
    return m_frame->QueryInterface(iid, object);
  } else {
    return E_NOINTERFACE;
  }
  AddRef();
  return S_OK;
}

ULONG STDMETHODCALLTYPE COleControlSite::AddRef() { return ++m_refs; }

ULONG STDMETHODCALLTYPE COleControlSite::Release() {
  const ULONG left = --m_refs;
  if (left == 0) delete this;
  return left;
}

HRESULT STDMETHODCALLTYPE COleControlSite::SaveObject() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE COleControlSite::GetMoniker(DWORD, DWORD, IMoniker** moniker) {
  if (moniker != nullptr) *moniker = nullptr;
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE COleControlSite::GetContainer(IOleContainer** container) {
  if (container != nullptr) *container = nullptr;
  return E_NOINTERFACE;
}
HRESULT STDMETHODCALLTYPE COleControlSite::ShowObject() { return S_OK; }
HRESULT STDMETHODCALLTYPE COleControlSite::OnShowWindow(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE COleControlSite::RequestNewObjectLayout() { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE COleControlSite::GetWindow(HWND* window) {
  if (window == nullptr) return E_POINTER;
  *window = m_container;
  return m_container ? S_OK : E_FAIL;
}
HRESULT STDMETHODCALLTYPE COleControlSite::ContextSensitiveHelp(BOOL) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE COleControlSite::CanInPlaceActivate() {
  return m_container ? S_OK : S_FALSE;
}
HRESULT STDMETHODCALLTYPE COleControlSite::OnInPlaceActivate() { return S_OK; }
HRESULT STDMETHODCALLTYPE COleControlSite::OnUIActivate() { return S_OK; }

HRESULT STDMETHODCALLTYPE COleControlSite::GetWindowContext(IOleInPlaceFrame** frame,
                                                            IOleInPlaceUIWindow** doc,
                                                            LPRECT position, LPRECT clip,
                                                            LPOLEINPLACEFRAMEINFO frameInfo) {
  if (frame == nullptr || doc == nullptr || position == nullptr || clip == nullptr ||
      frameInfo == nullptr) {
    return E_POINTER;
  }
  *frame = m_frame.get();
  m_frame->AddRef();
  *doc = nullptr;
  *position = m_rect;
  *clip = m_rect;
  frameInfo->fMDIApp = FALSE;
  m_frame->GetWindow(&frameInfo->hwndFrame);
  frameInfo->haccel = nullptr;
  frameInfo->cAccelEntries = 0;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE COleControlSite::Scroll(SIZE) { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE COleControlSite::OnUIDeactivate(BOOL) { return S_OK; }
HRESULT STDMETHODCALLTYPE COleControlSite::OnInPlaceDeactivate() { return S_OK; }
HRESULT STDMETHODCALLTYPE COleControlSite::DiscardUndoState() { return E_NOTIMPL; }
HRESULT STDMETHODCALLTYPE COleControlSite::DeactivateAndUndo() { return E_NOTIMPL; }

HRESULT STDMETHODCALLTYPE COleControlSite::OnPosRectChange(LPCRECT position) {
  if (position == nullptr) return E_POINTER;
  m_rect = *position;
  if (m_inPlaceObject) m_inPlaceObject->SetObjectRects(&m_rect, &m_rect);
  return S_OK;
}

HRESULT STDMETHODCALLTYPE COleControlSite::GetTypeInfoCount(UINT* count) {
  if (count == nullptr) return E_POINTER;
  *count = 0;
  return S_OK;
}
HRESULT STDMETHODCALLTYPE COleControlSite::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info != nullptr) *info = nullptr;
  return E_NOTIMPL;
}
HRESULT STDMETHODCALLTYPE COleControlSite::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
  return E_NOTIMPL;
}

HRESULT STDMETHODCALLTYPE COleControlSite::Invoke(DISPID dispid, REFIID, LCID, WORD kind,
                                                  DISPPARAMS*, VARIANT* result, EXCEPINFO*, UINT*) {
  if (!(kind & DISPATCH_PROPERTYGET) || result == nullptr) return DISP_E_MEMBERNOTFOUND;
  ::VariantInit(result);
  switch (dispid) {
    case DISPID_AMBIENT_USERMODE:  // running, not being designed
      result->vt = VT_BOOL;
      result->boolVal = VARIANT_TRUE;
      return S_OK;
    case DISPID_AMBIENT_UIDEAD:
    case DISPID_AMBIENT_SHOWHATCHING:
    case DISPID_AMBIENT_SHOWGRABHANDLES:
    case DISPID_AMBIENT_MESSAGEREFLECT:
    case DISPID_AMBIENT_SUPPORTSMNEMONICS:
      result->vt = VT_BOOL;
      result->boolVal = VARIANT_FALSE;
      return S_OK;
    case DISPID_AMBIENT_LOCALEID:
      result->vt = VT_I4;
      result->lVal = static_cast<LONG>(::GetUserDefaultLCID());
      return S_OK;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
}

void AfxOleTermThread() {
  if (!g_oleStartedHere) return;
  g_oleStartedHere = false;
  ::OleUninitialize();
}
