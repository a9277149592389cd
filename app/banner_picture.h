// The operator's banner as the launcher dialog paints it: decoded once, laid over the skin beneath
// it (so a TGA's alpha blends over the skin as the buttons' images do) and cut to the movie's
// place, so that each paint only copies it.
#pragma once
#include <windows.h>

#include <memory>

#include "compat/windows/gdi_handles.h"

class BannerPicture {
 public:
  // Loads the game folder's banner and lays it over `skin`, the dialog's composed canvas. False
  // when the folder has none, or when it cannot be read (which is logged).
  bool Load(HDC skin);
  // Copies the banner to `dc` at the client area's top-left corner; nothing when none is loaded.
  void Paint(HDC dc) const;
  // Lets go of the picture: the movie has taken its place.
  void Release();
  bool IsLoaded() const { return static_cast<bool>(m_dc); }

 private:
  // In this order, so the selection is undone before the context and the bitmap go.
  UniqueGdiObject<HBITMAP> m_bitmap;
  UniqueMemoryDc m_dc;
  std::unique_ptr<GdiSelection> m_selection;
  int m_width = 0;
  int m_height = 0;
};
