// The COM entry points of a stand-in control's DLL, written once (standin_exports.cpp, compiled
// into each DLL) from the one description each DLL gives of itself.
#pragma once
#include "compat/com_ptr.h"
#include "testbed/controls/standin_server.h"

struct StandInServerDescription {
  const CLSID& clsid;
  const char* description;
  const char* progId;
  // Set to anything but "0", the control refuses to be created.
  const char* refuseVariable;
  // The window class the control registers; unregistered when the DLL unloads.
  const wchar_t* windowClass;
  ControlClassFactory::CreateFunction create;
  // Asked before registering; true makes the registration fail (null: never).
  bool (*registrationRefused)();
};

// Defined by each control's DLL.
extern const StandInServerDescription kStandInServer;

// A ControlClassFactory::CreateFunction for the control class T.
template <class T>
HRESULT CreateStandInObject(REFIID iid, void** object) {
  const auto control = ComPtr<T>::Adopt(new T);
  return control->QueryInterface(iid, object);
}
