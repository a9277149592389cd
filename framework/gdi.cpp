#include "framework/gdi.h"

#include "framework/wnd.h"

CGdiObject::~CGdiObject() { DeleteObject(); }

BOOL CGdiObject::Attach(HGDIOBJ object) {
  if (object == nullptr) return FALSE;
  DeleteObject();
  m_hObject = object;
  return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
  HGDIOBJ object = m_hObject;
  m_hObject = nullptr;
  return object;
}

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
  if (dc == nullptr) return FALSE;
  DeleteDC();
  m_hDC = dc;
  return TRUE;
}

HDC CDC::Detach() {
  HDC dc = m_hDC;
  m_hDC = nullptr;
  return dc;
}

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
