#include "tests/e2e/page_handler.h"

#include <windows.h>

#include <gtest/gtest.h>

#include "compat/windows/registry_key.h"

namespace e2e {

namespace {

// Wine 8 does not merge the per-user classes (HKEY_CURRENT_USER\Software\Classes) into the view
// the shell reads, so the registration goes into HKEY_CLASSES_ROOT of the test bed's own prefix.
const HKEY kClasses = HKEY_CLASSES_ROOT;
constexpr const char* kExtensionKey = ".html";
constexpr const char* kProgId = "LauncherE2E.Page";
constexpr const char* kProgIdKey = "LauncherE2E.Page";

bool SetDefault(const std::string& key, const std::string& value) {
  const UniqueRegistryKey handle = CreateRegistryKey(kClasses, key.c_str(), KEY_SET_VALUE);
  if (!handle) return false;
  return ::RegSetValueExA(handle.get(), nullptr, 0, REG_SZ,
                          reinterpret_cast<const BYTE*>(value.c_str()),
                          static_cast<DWORD>(value.size() + 1)) == ERROR_SUCCESS;
}

bool ReadDefault(const std::string& key, std::string* value) {
  char text[512] = {};
  LONG size = sizeof text;
  if (::RegQueryValueA(kClasses, key.c_str(), text, &size) != ERROR_SUCCESS) return false;
  *value = text;
  return true;
}

}  // namespace

PageHandler::PageHandler(const std::string& program) {
  hadExtension_ = static_cast<bool>(OpenRegistryKey(kClasses, kExtensionKey, KEY_READ));
  if (hadExtension_) ReadDefault(kExtensionKey, &previousClass_);
  const bool registered = SetDefault(std::string(kProgIdKey) + "\\shell\\open\\command",
                                     "\"" + program + "\" \"%1\"") &&
                          SetDefault(kExtensionKey, kProgId);
  EXPECT_TRUE(registered) << "cannot register the page handler";
}

PageHandler::~PageHandler() {
  ::RegDeleteTreeA(kClasses, kProgId);
  if (hadExtension_) {
    SetDefault(kExtensionKey, previousClass_);
  } else {
    ::RegDeleteTreeA(kClasses, kExtensionKey);
  }
}

}  // namespace e2e
