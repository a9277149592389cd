// What both stand-in ActiveX controls share as in-process COM servers: their event log, the count
// of live objects that keeps the DLL loaded, the class factory, and their registration.
#pragma once
#include <windows.h>
#include <ole2.h>

// Appends `line` and CR LF to `fileName` in the current directory, in one write to a handle
// opened for appending only, so lines of two processes never mix.
void AppendControlLog(const char* fileName, const char* line);
// The same for a wide text, written in the ANSI code page.
void AppendControlLog(const char* fileName, const char* prefix, const wchar_t* text);

// True when the environment variable `name` is set to anything but "0": a test asks the control
// to refuse to be created, as a broken or missing control would.
bool ControlRefusedByEnvironment(const char* name);

// Objects and server locks alive; the DLL may unload only when both are zero.
void ServerObjectCreated();
void ServerObjectDestroyed();
HRESULT ServerCanUnloadNow();
// The DLL's own module (set by its DllMain).
extern HMODULE g_serverModule;

// Makes new objects with `create`, which returns the object's interface `iid` or an error.
class ControlClassFactory final : public IClassFactory {
 public:
  using CreateFunction = HRESULT (*)(REFIID iid, void** object);
  explicit ControlClassFactory(CreateFunction create);

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override;
  HRESULT STDMETHODCALLTYPE LockServer(BOOL lock) override;

 private:
  ~ControlClassFactory() = default;
  LONG m_refs = 1;
  CreateFunction m_create;
};

// DllGetClassObject for a server of the one class `clsid`.
HRESULT GetControlClassObject(REFCLSID requested, REFIID iid, void** object, REFCLSID clsid,
                              ControlClassFactory::CreateFunction create);

// Registers this DLL as the in-process server of `clsid` (apartment threaded, a control), under
// the view of the registry that matches its bitness. A server registered there before is kept
// aside and comes back on unregistration.
HRESULT RegisterControlServer(REFCLSID clsid, const char* description, const char* progId);
HRESULT UnregisterControlServer(REFCLSID clsid, const char* progId);
