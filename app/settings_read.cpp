#include "app/settings_read.h"

#include <cstring>

#include "app/startup_files.h"

LayoutPlace ReadLayoutPlace(const char* section) {
  LayoutPlace place{};
  place.x = static_cast<int>(::GetPrivateProfileIntA(section, "x", 0, kLayoutFile));
  place.y = static_cast<int>(::GetPrivateProfileIntA(section, "y", 0, kLayoutFile));
  place.w = static_cast<int>(::GetPrivateProfileIntA(section, "w", 0, kLayoutFile));
  place.h = static_cast<int>(::GetPrivateProfileIntA(section, "h", 0, kLayoutFile));
  return place;
}

VersionStyle ReadVersionStyle() {
  const char* section = "VersionPos";
  VersionStyle style{};
  style.x = static_cast<int>(::GetPrivateProfileIntA(section, "x", 700, kGameSettingsFile));
  style.y = static_cast<int>(::GetPrivateProfileIntA(section, "y", 500, kGameSettingsFile));
  ::GetPrivateProfileStringA(section, "Font", "宋体", style.face, sizeof style.face,
                             kGameSettingsFile);
  // Only the low 8 bits of each component count.
  const UINT red = ::GetPrivateProfileIntA(section, "FontColorR", 255, kGameSettingsFile);
  const UINT green = ::GetPrivateProfileIntA(section, "FontColorG", 0, kGameSettingsFile);
  const UINT blue = ::GetPrivateProfileIntA(section, "FontColorB", 0, kGameSettingsFile);
  style.color = RGB(red & 0xFF, green & 0xFF, blue & 0xFF);
  style.fontHeight =
      static_cast<int>(::GetPrivateProfileIntA(section, "FontHeight", 10, kGameSettingsFile));
  style.fontWidth =
      static_cast<int>(::GetPrivateProfileIntA(section, "FontWidth", 6, kGameSettingsFile));
  return style;
}

void ReadCheckToolName(char (&name)[kPathBufferSize]) {
  std::memset(name, 0, sizeof name);
  ::GetPrivateProfileStringA("Read", "FlashName", "", name, sizeof name, kCheckToolFile);
}
