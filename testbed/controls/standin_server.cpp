#include "testbed/controls/standin_server.h"

#include <olectl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "compat/com_ptr.h"
#include "compat/windows/file_handles.h"
#include "compat/windows/registry_key.h"

HMODULE g_serverModule = nullptr;

namespace {

LONG g_objects = 0;
LONG g_locks = 0;

// Where the replaced server's path is kept while ours is registered.
constexpr const char* kReplacedValue = "StandInReplaced";

std::string ClsidKeyPath(REFCLSID clsid) {
  wchar_t wide[64] = {};
  ::StringFromGUID2(clsid, wide, 64);
  char narrow[64] = {};
  ::WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow, sizeof narrow, nullptr, nullptr);
  return std::string("CLSID\\") + narrow;
}

LONG SetText(HKEY root, const std::string& path, const char* name, const std::string& value) {
  LONG result = ERROR_SUCCESS;
  const UniqueRegistryKey key = CreateRegistryKey(root, path.c_str(), KEY_WRITE, &result);
  if (!key) return result;
  return ::RegSetValueExA(key.get(), name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1));
}

bool GetText(HKEY root, const std::string& path, const char* name, std::string* value) {
  char buffer[MAX_PATH * 2] = {};
  DWORD size = sizeof buffer - 1;
  DWORD type = 0;
  const UniqueRegistryKey key = OpenRegistryKey(root, path.c_str(), KEY_READ);
  if (!key) return false;
  const LONG result =
      ::RegQueryValueExA(key.get(), name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  if (result != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  *value = buffer;
  return true;
}

}  // namespace

void AppendControlLog(const char* fileName, const char* line) {
  std::string record = line;
  record += "\r\n";
  const UniqueFileHandle log(::CreateFileA(fileName, FILE_APPEND_DATA,
                                           FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                           FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!log) return;
  DWORD written = 0;
  ::WriteFile(log.get(), record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
}

void AppendControlLog(const char* fileName, const char* prefix, const wchar_t* text) {
  std::string line = prefix;
  if (text != nullptr && text[0] != L'\0') {
    const int size = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size > 1) {
      std::string narrow(static_cast<size_t>(size), '\0');
      ::WideCharToMultiByte(CP_ACP, 0, text, -1, &narrow[0], size, nullptr, nullptr);
      narrow.resize(static_cast<size_t>(size - 1));
      line += narrow;
    }
  }
  AppendControlLog(fileName, line.c_str());
}

bool ControlRefusedByEnvironment(const char* name) {
  char value[16] = {};
  const DWORD length = ::GetEnvironmentVariableA(name, value, sizeof value);
  return length > 0 && length < sizeof value && std::strcmp(value, "0") != 0;
}

void ServerObjectCreated() { ::InterlockedIncrement(&g_objects); }
void ServerObjectDestroyed() { ::InterlockedDecrement(&g_objects); }
HRESULT ServerCanUnloadNow() { return g_objects == 0 && g_locks == 0 ? S_OK : S_FALSE; }

ControlClassFactory::ControlClassFactory(CreateFunction create) : m_create(create) {
  ServerObjectCreated();
}

HRESULT STDMETHODCALLTYPE ControlClassFactory::QueryInterface(REFIID iid, void** object) {
  if (object == nullptr) return E_POINTER;
  if (iid == IID_IUnknown || iid == IID_IClassFactory) {
    *object = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE ControlClassFactory::AddRef() {
  return static_cast<ULONG>(::InterlockedIncrement(&m_refs));
}

ULONG STDMETHODCALLTYPE ControlClassFactory::Release() {
  const LONG left = ::InterlockedDecrement(&m_refs);
  if (left == 0) {
    delete this;
    ServerObjectDestroyed();
  }
  return static_cast<ULONG>(left);
}

HRESULT STDMETHODCALLTYPE ControlClassFactory::CreateInstance(IUnknown* outer, REFIID iid,
                                                              void** object) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (outer != nullptr) return CLASS_E_NOAGGREGATION;
  return m_create(iid, object);
}

HRESULT STDMETHODCALLTYPE ControlClassFactory::LockServer(BOOL lock) {
  if (lock) {
    ::InterlockedIncrement(&g_locks);
  } else {
    ::InterlockedDecrement(&g_locks);
  }
  return S_OK;
}

HRESULT GetControlClassObject(REFCLSID requested, REFIID iid, void** object, REFCLSID clsid,
                              ControlClassFactory::CreateFunction create) {
  if (object == nullptr) return E_POINTER;
  *object = nullptr;
  if (requested != clsid) return CLASS_E_CLASSNOTAVAILABLE;
  const auto factory = ComPtr<ControlClassFactory>::Adopt(new ControlClassFactory(create));
  return factory->QueryInterface(iid, object);
}

HRESULT RegisterControlServer(REFCLSID clsid, const char* description, const char* progId) {
  char module[MAX_PATH] = {};
  if (::GetModuleFileNameA(g_serverModule, module, sizeof module) == 0) return SELFREG_E_CLASS;
  const std::string clsidPath = ClsidKeyPath(clsid);
  const std::string serverPath = clsidPath + "\\InprocServer32";

  std::string previous;
  if (GetText(HKEY_CLASSES_ROOT, serverPath, nullptr, &previous) &&
      _stricmp(previous.c_str(), module) != 0) {
    std::string kept;
    // Registered twice: the first replaced server stays the one to come back.
    if (!GetText(HKEY_CLASSES_ROOT, clsidPath, kReplacedValue, &kept)) {
      SetText(HKEY_CLASSES_ROOT, clsidPath, kReplacedValue, previous);
    }
  }
  if (SetText(HKEY_CLASSES_ROOT, clsidPath, nullptr, description) != ERROR_SUCCESS ||
      SetText(HKEY_CLASSES_ROOT, serverPath, nullptr, module) != ERROR_SUCCESS ||
      SetText(HKEY_CLASSES_ROOT, serverPath, "ThreadingModel", "Apartment") != ERROR_SUCCESS ||
      SetText(HKEY_CLASSES_ROOT, clsidPath + "\\Control", nullptr, "") != ERROR_SUCCESS ||
      SetText(HKEY_CLASSES_ROOT, clsidPath + "\\ProgID", nullptr, progId) != ERROR_SUCCESS ||
      SetText(HKEY_CLASSES_ROOT, std::string(progId) + "\\CLSID", nullptr, clsidPath.substr(6)) !=
          ERROR_SUCCESS) {
    return SELFREG_E_CLASS;
  }
  return S_OK;
}

HRESULT UnregisterControlServer(REFCLSID clsid, const char* progId) {
  const std::string clsidPath = ClsidKeyPath(clsid);
  std::string replaced;
  if (GetText(HKEY_CLASSES_ROOT, clsidPath, kReplacedValue, &replaced)) {
    SetText(HKEY_CLASSES_ROOT, clsidPath + "\\InprocServer32", nullptr, replaced);
    const UniqueRegistryKey key = OpenRegistryKey(HKEY_CLASSES_ROOT, clsidPath.c_str(), KEY_WRITE);
    if (key) ::RegDeleteValueA(key.get(), kReplacedValue);
    return S_OK;
  }
  ::RegDeleteTreeA(HKEY_CLASSES_ROOT, clsidPath.c_str());
  ::RegDeleteTreeA(HKEY_CLASSES_ROOT, progId);
  return S_OK;
}
