#include "app/banner_picture.h"

#include <algorithm>
#include <utility>

#include "app/banner_file.h"
#include "image/cximage.h"

bool BannerPicture::Load(HDC skin) {
  Release();
  CxImage image;
  if (LoadBanner(image) != BannerState::kLoaded) return false;
  const int width = static_cast<int>(std::min<long>(image.GetWidth(), kBannerWidth));
  const int height = static_cast<int>(std::min<long>(image.GetHeight(), kBannerHeight));
  // Made like the screen, not like `skin`: a canvas whose bitmap could not be made would give a
  // one-bit banner.
  const UniqueClientDc screen = GetClientDc(nullptr);
  UniqueGdiObject<HBITMAP> bitmap(::CreateCompatibleBitmap(screen.get(), width, height));
  UniqueMemoryDc dc(::CreateCompatibleDC(screen.get()));
  if (!bitmap || !dc) return false;
  auto selection = std::make_unique<GdiSelection>(dc.get(), bitmap.get());
  ::BitBlt(dc.get(), 0, 0, width, height, skin, 0, 0, SRCCOPY);
  // The bitmap's edges cut a larger picture to the movie's place, whichever way it is drawn.
  image.Draw(dc.get(), 0, 0);
  m_bitmap = std::move(bitmap);
  m_dc = std::move(dc);
  m_selection = std::move(selection);
  m_width = width;
  m_height = height;
  return true;
}

void BannerPicture::Paint(HDC dc) const {
  if (!m_dc) return;
  ::BitBlt(dc, 0, 0, m_width, m_height, m_dc.get(), 0, 0, SRCCOPY);
}

void BannerPicture::Release() {
  m_selection.reset();
  m_dc.reset();
  m_bitmap.reset();
  m_width = 0;
  m_height = 0;
}
