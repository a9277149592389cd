// The part every stand-in ActiveX control shares: a windowed control that a container activates
// in place (IOleObject, IOleInPlaceObject, IOleInPlaceActiveObject, IPersistStreamInit), with a
// window of its own painted through a back buffer. Each control adds its dispatch interface,
// its painting and its input.
#pragma once
#include <windows.h>
#include <ole2.h>
#include <ocidl.h>

#include "compat/com_ptr.h"

class StandInControl : public IOleObject,
                       public IOleInPlaceObject,
                       public IOleInPlaceActiveObject,
                       public IPersistStreamInit {
 public:
  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;

  // IOleObject
  HRESULT STDMETHODCALLTYPE SetClientSite(IOleClientSite* site) override;
  HRESULT STDMETHODCALLTYPE GetClientSite(IOleClientSite** site) override;
  HRESULT STDMETHODCALLTYPE SetHostNames(LPCOLESTR, LPCOLESTR) override;
  HRESULT STDMETHODCALLTYPE Close(DWORD) override;
  HRESULT STDMETHODCALLTYPE SetMoniker(DWORD, IMoniker*) override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD, DWORD, IMoniker**) override;
  HRESULT STDMETHODCALLTYPE InitFromData(IDataObject*, BOOL, DWORD) override;
  HRESULT STDMETHODCALLTYPE GetClipboardData(DWORD, IDataObject**) override;
  HRESULT STDMETHODCALLTYPE DoVerb(LONG verb, LPMSG, IOleClientSite* site, LONG, HWND parent,
                                   LPCRECT position) override;
  HRESULT STDMETHODCALLTYPE EnumVerbs(IEnumOLEVERB**) override;
  HRESULT STDMETHODCALLTYPE Update() override;
  HRESULT STDMETHODCALLTYPE IsUpToDate() override;
  HRESULT STDMETHODCALLTYPE GetUserClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE GetUserType(DWORD, LPOLESTR*) override;
  HRESULT STDMETHODCALLTYPE SetExtent(DWORD, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE GetExtent(DWORD, SIZEL* size) override;
  HRESULT STDMETHODCALLTYPE Advise(IAdviseSink*, DWORD*) override;
  HRESULT STDMETHODCALLTYPE Unadvise(DWORD) override;
  HRESULT STDMETHODCALLTYPE EnumAdvise(IEnumSTATDATA**) override;
  HRESULT STDMETHODCALLTYPE GetMiscStatus(DWORD, DWORD* status) override;
  HRESULT STDMETHODCALLTYPE SetColorScheme(LOGPALETTE*) override;

  // IOleWindow, IOleInPlaceObject, IOleInPlaceActiveObject
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL) override;
  HRESULT STDMETHODCALLTYPE InPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE UIDeactivate() override;
  HRESULT STDMETHODCALLTYPE SetObjectRects(LPCRECT position, LPCRECT clip) override;
  HRESULT STDMETHODCALLTYPE ReactivateAndUndo() override;
  HRESULT STDMETHODCALLTYPE TranslateAccelerator(LPMSG msg) override;
  HRESULT STDMETHODCALLTYPE OnFrameWindowActivate(BOOL) override;
  HRESULT STDMETHODCALLTYPE OnDocWindowActivate(BOOL) override;
  HRESULT STDMETHODCALLTYPE ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override;
  HRESULT STDMETHODCALLTYPE EnableModeless(BOOL) override;

  // IPersist, IPersistStreamInit: a control without saved state.
  HRESULT STDMETHODCALLTYPE GetClassID(CLSID* clsid) override;
  HRESULT STDMETHODCALLTYPE IsDirty() override;
  HRESULT STDMETHODCALLTYPE Load(LPSTREAM) override;
  HRESULT STDMETHODCALLTYPE Save(LPSTREAM, BOOL) override;
  HRESULT STDMETHODCALLTYPE GetSizeMax(ULARGE_INTEGER*) override;
  HRESULT STDMETHODCALLTYPE InitNew() override;

 protected:
  // `windowClass` names the control's window class (registered on first use).
  StandInControl(REFCLSID clsid, const wchar_t* windowClass);
  virtual ~StandInControl();

  // The control's further interfaces (its dispatch interface), or null.
  virtual void* QueryControlInterface(REFIID iid) = 0;
  // Draws the whole client area into `dc` (the back buffer).
  virtual void Paint(HDC dc, const RECT& client) = 0;
  // Messages of the control's window; the base paints and passes the rest on.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // A key offered by the container before it is dispatched: S_OK when the control takes it.
  virtual HRESULT OnAccelerator(const MSG& msg);
  virtual void OnWindowCreated() {}

  void Repaint() const;
  HWND m_window = nullptr;

 private:
  static LRESULT CALLBACK StaticWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HRESULT ActivateInPlace(IOleClientSite* site, HWND parent, LPCRECT position);

  LONG m_refs = 1;
  CLSID m_clsid;
  const wchar_t* m_windowClass;
  ComPtr<IOleClientSite> m_clientSite;
  ComPtr<IOleInPlaceSite> m_inPlaceSite;
  SIZEL m_extent{0, 0};
};

// A stand-in control with its dispatch interface `Dispatch` (IDispatch, or an interface derived
// from it): the interface's IUnknown is the control's own, and no type information is offered,
// since the launcher calls by name.
template <class Dispatch>
class DispatchingControl : public StandInControl, public Dispatch {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    return StandInControl::QueryInterface(iid, object);
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return StandInControl::AddRef(); }
  ULONG STDMETHODCALLTYPE Release() override { return StandInControl::Release(); }

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
    if (count == nullptr) return E_POINTER;
    *count = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }

 protected:
  using StandInControl::StandInControl;
};
