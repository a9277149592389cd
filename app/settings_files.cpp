#include "app/settings_files.h"

#include "app/startup_files.h"
#include "framework/wnd.h"

void PlaceFromLayout(CWnd* window, const char* section) {
  if (section == nullptr) return;
  const LayoutPlace place = ReadLayoutPlace(section);
  window->MoveWindow(place.x, place.y, place.w, place.h, TRUE);
}

void WriteGraphicDetail(const char* value) {
  ::WritePrivateProfileStringA("GameDefinition", "GraphicDetail", value, kGameSettingsFile);
}
