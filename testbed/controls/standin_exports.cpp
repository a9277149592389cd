#include "testbed/controls/standin_exports.h"

#include <olectl.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    g_serverModule = instance;
    ::DisableThreadLibraryCalls(instance);
  } else if (reason == DLL_PROCESS_DETACH) {
    ::UnregisterClassW(kStandInServer.windowClass, instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, void** object) {
  if (ControlRefusedByEnvironment(kStandInServer.refuseVariable)) {
    if (object != nullptr) *object = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
  }
  return GetControlClassObject(clsid, iid, object, kStandInServer.clsid, kStandInServer.create);
}

STDAPI DllCanUnloadNow() { return ServerCanUnloadNow(); }

STDAPI DllRegisterServer() {
  if (kStandInServer.registrationRefused != nullptr && kStandInServer.registrationRefused()) {
    return SELFREG_E_CLASS;
  }
  return RegisterControlServer(kStandInServer.clsid, kStandInServer.description,
                               kStandInServer.progId);
}

STDAPI DllUnregisterServer() {
  return UnregisterControlServer(kStandInServer.clsid, kStandInServer.progId);
}
