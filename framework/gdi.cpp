#include "framework/gdi.h"

#include "framework/wnd.h"

namespace {

// CGdiObject and CDC each own one handle, alike but for its type and how it is freed: Attach
// frees the held one first and refuses null, Detach gives the handle up without freeing it.
template <class Handle, class Free>
BOOL AttachHandle(Handle& held, Handle handle, Free freeHeld) {
  if (handle == nullptr) return FALSE;
  freeHeld();
  held = handle;
  return TRUE;
}

template <class Handle>
Handle DetachHandle(Handle& held) {
  Handle handle = held;
  held = nullptr;
  return handle;
}

}  // namespace

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ object) {
  return AttachHandle(m_hObject, object, [this] { DeleteObject(); });
}

HGDIOBJ CGdiObject::Detach() { return DetachHandle(m_hObject); }

BOOL CGdiObject::DeleteObject() {
  if (m_hObject == nullptr) return FALSE;
  const BOOL deleted = ::DeleteObject(Detach());
  return deleted;
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
  return Attach(::CreateRectRgn(left, top, right, bottom));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height) {
  return Attach(::CreateCompatibleBitmap(dc ? dc->m_hDC : nullptr, width, height));
}

int CBitmap::GetBitmap(BITMAP* info) const { return ::GetObjectA(m_hObject, sizeof(BITMAP), info); }

BOOL CFont::CreateFont(int height, int width, int escapement, int orientation, int weight,
                       BYTE italic, BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                       BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily,
                       const char* faceName) {
  return Attach(::CreateFontA(height, width, escapement, orientation, weight, italic, underline,
                              strikeOut, charSet, outPrecision, clipPrecision, quality,
                              pitchAndFamily, faceName));
}

CDC::~CDC() { DeleteDC(); }

BOOL CDC::CreateCompatibleDC(CDC* other) {
  return Attach(::CreateCompatibleDC(other ? other->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() {
  if (m_hDC == nullptr) return FALSE;
  return ::DeleteDC(Detach());
}

BOOL CDC::Attach(HDC dc) {
  return AttachHandle(m_hDC, dc, [this] { DeleteDC(); });
}

HDC CDC::Detach() { return DetachHandle(m_hDC); }

HGDIOBJ CDC::SelectObject(CGdiObject* object) {
  return SelectObject(object ? object->m_hObject : nullptr);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
  if (m_hDC == nullptr || object == nullptr) return nullptr;
  return ::SelectObject(m_hDC, object);
}

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
                 DWORD rop) {
  return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sourceX, sourceY,
                  rop);
}

COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
COLORREF CDC::SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }

CPaintDC::CPaintDC(CWnd* wnd) : m_hWnd(wnd->m_hWnd) { m_hDC = ::BeginPaint(m_hWnd, &m_ps); }

CPaintDC::~CPaintDC() {
  ::EndPaint(m_hWnd, &m_ps);
  Detach();
}

CClientDC::CClientDC(CWnd* wnd) : m_hWnd(wnd ? wnd->m_hWnd : nullptr) { m_hDC = ::GetDC(m_hWnd); }

CClientDC::~CClientDC() {
  if (m_hDC != nullptr) ::ReleaseDC(m_hWnd, Detach());
}
