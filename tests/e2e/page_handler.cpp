#include "page_handler.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace e2e {

namespace {

constexpr const char* kClasses = "Software\\Classes";
constexpr const char* kExtensionKey = "Software\\Classes\\.html";
constexpr const char* kProgId = "LauncherE2E.Page";
constexpr const char* kProgIdKey = "Software\\Classes\\LauncherE2E.Page";

bool SetDefault(const std::string& key, const std::string& value) {
  HKEY handle = nullptr;
  if (::RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
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
  if (::RegQueryValueA(HKEY_CURRENT_USER, key.c_str(), text, &size) != ERROR_SUCCESS) return false;
  *value = text;
  return true;
}

}  // namespace

PageHandler::PageHandler(const std::string& program) {
  HKEY existing = nullptr;
  hadExtension_ = ::RegOpenKeyExA(HKEY_CURRENT_USER, kExtensionKey, 0, KEY_READ, &existing) ==
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
  HKEY classes = nullptr;
  if (::RegOpenKeyExA(HKEY_CURRENT_USER, kClasses, 0, KEY_ALL_ACCESS, &classes) == ERROR_SUCCESS) {
    ::RegDeleteTreeA(classes, kProgId);
    if (!hadExtension_) ::RegDeleteTreeA(classes, ".html");
    ::RegCloseKey(classes);
  }
  if (hadExtension_) SetDefault(kExtensionKey, previousClass_);
}

}  // namespace e2e
