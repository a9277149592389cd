#include "page_handler.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace e2e {

namespace {

// Wine 8 does not merge the per-user classes (HKEY_CURRENT_USER\Software\Classes) into the view
// the shell reads, so the registration goes into HKEY_CLASSES_ROOT of the test bed's own prefix.
const HKEY kClasses = HKEY_CLASSES_ROOT;
constexpr const char* kExtensionKey = ".html";
constexpr const char* kProgId = "LauncherE2E.Page";
constexpr const char* kProgIdKey = "LauncherE2E.Page";

bool SetDefault(const std::string& key, const std::string& value) {
  HKEY handle = nullptr;
  if (::RegCreateKeyExA(kClasses, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                        &handle, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG result = ::RegSetValueExA(handle, nullptr, 0, REG_SZ,
                                       reinterpret_cast<const BYTE*>(value.c_str()),
                                       static_cast<DWORD>(value.size() + 1));
  ::RegCloseKey(handle);
  return result == ERROR_SUCCESS;
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
  HKEY existing = nullptr;
  hadExtension_ = ::RegOpenKeyExA(kClasses, kExtensionKey, 0, KEY_READ, &existing) ==
                  ERROR_SUCCESS;
  if (hadExtension_) {
    ::RegCloseKey(existing);
    ReadDefault(kExtensionKey, &previousClass_);
  }
  const bool registered =
      SetDefault(std::string(kProgIdKey) + "\\shell\\open\\command",
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
