#include "tests/support/windows/flash_machine.h"

#include <algorithm>
#include <filesystem>
#include <vector>

#include "compat/windows/registry_key.h"

namespace fs = std::filesystem;

namespace testing_support {

namespace {

constexpr const char* kOwnPrefixMarker = "C:\\own-prefix";

void SetDword(HKEY root, const char* path, const char* name, DWORD value) {
  const UniqueRegistryKey key = CreateRegistryKey(root, path, KEY_WRITE);
  if (!key) return;
  ::RegSetValueExA(key.get(), name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
}

std::string Hex(const BYTE* bytes, DWORD size) {
  static const char kDigits[] = "0123456789abcdef";
  std::string text;
  for (DWORD i = 0; i < size; ++i) {
    text += kDigits[bytes[i] >> 4];
    text += kDigits[bytes[i] & 15];
  }
  return text;
}

void ListKey(HKEY key, const std::string& name, std::string* listing) {
  *listing += "[" + name + "]\n";
  std::vector<std::string> lines;
  for (DWORD index = 0;; ++index) {
    char valueName[256];
    DWORD nameSize = sizeof valueName;
    BYTE data[2048];
    DWORD dataSize = sizeof data;
    DWORD type = 0;
    if (::RegEnumValueA(key, index, valueName, &nameSize, nullptr, &type, data, &dataSize) !=
        ERROR_SUCCESS) {
      break;
    }
    lines.push_back(std::string(valueName, nameSize) + " " + std::to_string(type) + " " +
                    Hex(data, dataSize) + "\n");
  }
  std::sort(lines.begin(), lines.end());
  for (const std::string& line : lines) *listing += line;
  std::vector<std::string> subkeys;
  for (DWORD index = 0;; ++index) {
    char subkey[256];
    DWORD size = sizeof subkey;
    if (::RegEnumKeyExA(key, index, subkey, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    subkeys.emplace_back(subkey, size);
  }
  std::sort(subkeys.begin(), subkeys.end());
  for (const std::string& subkey : subkeys) {
    const UniqueRegistryKey child = OpenRegistryKey(key, subkey.c_str(), KEY_READ);
    if (child) ListKey(child.get(), name + "\\" + subkey, listing);
  }
}

}  // namespace

bool InOwnPrefix() { return ::GetFileAttributesA(kOwnPrefixMarker) != INVALID_FILE_ATTRIBUTES; }

void ForgetFlashControl() {
  ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kFlashClassKey);
  ::RegDeleteKeyA(HKEY_CLASSES_ROOT, kFlashClassKey);
  ::RegDeleteTreeA(HKEY_CLASSES_ROOT, kFlashProgIdKey);
  ::RegDeleteKeyA(HKEY_CLASSES_ROOT, kFlashProgIdKey);
  ::RegDeleteTreeA(HKEY_LOCAL_MACHINE, "Software\\Macromedia");
  ::RegDeleteKeyA(HKEY_LOCAL_MACHINE, "Software\\Macromedia");
  ::RegDeleteTreeA(HKEY_CURRENT_USER, kStandInSettingsKey);
  std::error_code ignored;
  fs::remove_all(SystemDirectory() + "\\Macromed", ignored);
}

std::string SystemDirectory() {
  char directory[MAX_PATH] = {};
  ::GetSystemDirectoryA(directory, sizeof directory);
  return directory;
}

std::string InstalledControl(const std::string& name) {
  return SystemDirectory() + "\\Macromed\\Flash\\" + name;
}

std::string RegisteredFlashServer() {
  char server[MAX_PATH * 2] = {};
  LONG size = sizeof server - 1;
  const std::string key = std::string(kFlashClassKey) + "\\InprocServer32";
  if (::RegQueryValueA(HKEY_CLASSES_ROOT, key.c_str(), server, &size) != ERROR_SUCCESS) return "";
  return server;
}

bool FlashControlRegistered() {
  const std::string server = RegisteredFlashServer();
  return !server.empty() && ::GetFileAttributesA(server.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string RegistryListing(HKEY root, const std::string& path) {
  const UniqueRegistryKey key = OpenRegistryKey(root, path.c_str(), KEY_READ);
  if (!key) return "";
  std::string listing;
  ListKey(key.get(), path, &listing);
  return listing;
}

std::string FolderListing(const std::string& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return "";
  std::vector<std::string> lines;
  for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
    std::string line = entry.path().string();
    if (entry.is_regular_file()) {
      line += " " + std::to_string(entry.file_size()) + " " +
              std::to_string(entry.last_write_time().time_since_epoch().count());
    }
    lines.push_back(line + "\n");
  }
  std::sort(lines.begin(), lines.end());
  std::string listing;
  for (const std::string& line : lines) listing += line;
  return listing;
}

void SetStandInSetting(const char* name, DWORD value) {
  SetDword(HKEY_CURRENT_USER, kStandInSettingsKey, name, value);
}

ScopedStandInSetting::ScopedStandInSetting(const char* name, DWORD value) : name_(name) {
  if (const UniqueRegistryKey key =
          OpenRegistryKey(HKEY_CURRENT_USER, kStandInSettingsKey, KEY_READ)) {
    DWORD size = sizeof previous_;
    had_ = ::RegQueryValueExA(key.get(), name_, nullptr, nullptr,
                              reinterpret_cast<BYTE*>(&previous_), &size) == ERROR_SUCCESS;
  }
  SetStandInSetting(name_, value);
}

ScopedStandInSetting::~ScopedStandInSetting() {
  if (had_) {
    SetStandInSetting(name_, previous_);
  } else {
    ::RegDeleteKeyValueA(HKEY_CURRENT_USER, kStandInSettingsKey, name_);
  }
}

void WriteSafeVersions(const char* extra) {
  SetDword(HKEY_LOCAL_MACHINE, kSafeVersionsKey, "10.0", 1);
  SetDword(HKEY_LOCAL_MACHINE, kSafeVersionsKey, "9.0", 1);
  if (extra != nullptr) SetDword(HKEY_LOCAL_MACHINE, kSafeVersionsKey, extra, 1);
}

std::string SafeVersionNames() {
  const UniqueRegistryKey key = OpenRegistryKey(HKEY_LOCAL_MACHINE, kSafeVersionsKey, KEY_READ);
  if (!key) return "(no key)";
  std::vector<std::string> names;
  for (DWORD index = 0;; ++index) {
    char name[256];
    DWORD size = sizeof name;
    if (::RegEnumValueA(key.get(), index, name, &size, nullptr, nullptr, nullptr, nullptr) !=
        ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, size);
  }
  std::sort(names.begin(), names.end());
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : " ") + name;
  return joined;
}

}  // namespace testing_support
