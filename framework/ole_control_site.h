// The container's side of one ActiveX control hosted in one window: the client site, in-place
// site and frame the control talks to, the ambient properties it asks for, and the calls the
// framework makes on it (activation, placing, keyboard, dispatch, teardown).
#pragma once
#include <windows.h>
#include <ole2.h>

#include <cstdarg>
#include <memory>

#include "compat/com_ptr.h"

class CWnd;

class COleControlSite final : public IOleClientSite, public IOleInPlaceSite, public IDispatch {
 public:
  // Creates the control `clsid`, activates it in place as a child of `container` at `rect`
  // (container's client coordinates) with control id `id`, and binds its window to `wrapper`.
  // Null when any step fails; nothing is then left behind.
  static COleControlSite* CreateControl(CWnd* wrapper, REFCLSID clsid, const char* windowName,
                                        DWORD style, const RECT& rect, HWND container, UINT id);
  // Takes down every control hosted in `container` (the container is being destroyed).
  static void DestroyControlsIn(HWND container);

  // Deactivates, closes and releases the control and destroys its window if the control left it.
  // The wrapper lets go of the site; the site must not be used afterwards.
  void DestroyControl();
  // Tells the control its new place (container's client coordinates).
  void MoveWindow(const RECT& rect, BOOL repaint);
  // Offers a keyboard message to the control; TRUE when the control took it.
  BOOL TranslateAccelerator(MSG* msg);
  HRESULT InvokeHelperV(DISPID dispid, WORD kind, VARTYPE returnType, void* result,
                        const BYTE* paramInfo, va_list arguments);

  // IUnknown
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  // IOleClientSite
  HRESULT STDMETHODCALLTYPE SaveObject() override;
  HRESULT STDMETHODCALLTYPE GetMoniker(DWORD assign, DWORD which, IMoniker** moniker) override;
  HRESULT STDMETHODCALLTYPE GetContainer(IOleContainer** container) override;
  HRESULT STDMETHODCALLTYPE ShowObject() override;
  HRESULT STDMETHODCALLTYPE OnShowWindow(BOOL show) override;
  HRESULT STDMETHODCALLTYPE RequestNewObjectLayout() override;
  // IOleWindow, IOleInPlaceSite
  HRESULT STDMETHODCALLTYPE GetWindow(HWND* window) override;
  HRESULT STDMETHODCALLTYPE ContextSensitiveHelp(BOOL enter) override;
  HRESULT STDMETHODCALLTYPE CanInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnInPlaceActivate() override;
  HRESULT STDMETHODCALLTYPE OnUIActivate() override;
  HRESULT STDMETHODCALLTYPE GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** doc,
                                             LPRECT position, LPRECT clip,
                                             LPOLEINPLACEFRAMEINFO frameInfo) override;
  HRESULT STDMETHODCALLTYPE Scroll(SIZE extent) override;
  HRESULT STDMETHODCALLTYPE OnUIDeactivate(BOOL undoable) override;
  HRESULT STDMETHODCALLTYPE OnInPlaceDeactivate() override;
  HRESULT STDMETHODCALLTYPE DiscardUndoState() override;
  HRESULT STDMETHODCALLTYPE DeactivateAndUndo() override;
  HRESULT STDMETHODCALLTYPE OnPosRectChange(LPCRECT position) override;
  // IDispatch: the ambient properties.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT index, LCID locale, ITypeInfo** info) override;
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID locale,
                                          DISPID* ids) override;
  HRESULT STDMETHODCALLTYPE Invoke(DISPID dispid, REFIID iid, LCID locale, WORD kind,
                                   DISPPARAMS* params, VARIANT* result, EXCEPINFO* exception,
                                   UINT* argumentError) override;

 private:
  class Frame;

  COleControlSite(CWnd* wrapper, HWND container, const RECT& rect);
  ~COleControlSite();
  bool Activate(REFCLSID clsid, const char* windowName, DWORD style, UINT id);
  void ReleaseControl();
  void SetActiveObject(IOleInPlaceActiveObject* active);

  ULONG m_refs = 1;  // the wrapper's
  CWnd* m_wrapper;
  HWND m_container;
  HWND m_controlWindow = nullptr;
  RECT m_rect;
  std::unique_ptr<Frame> m_frame;
  ComPtr<IOleObject> m_object;
  ComPtr<IOleInPlaceObject> m_inPlaceObject;
  ComPtr<IOleInPlaceActiveObject> m_activeObject;
  ComPtr<IDispatch> m_dispatch;
};

// Ends OLE on this thread if the framework started it there (when the application ends).
void AfxOleTermThread();
