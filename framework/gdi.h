// Owning wrappers for GDI handles and device contexts.
#pragma once
#include <windows.h>

class CWnd;

// A GDI object handle, deleted with its wrapper unless detached first.
class CGdiObject {
 public:
  CGdiObject() = default;
  virtual ~CGdiObject();
  CGdiObject(const CGdiObject&) = delete;
  CGdiObject& operator=(const CGdiObject&) = delete;

  BOOL Attach(HGDIOBJ object);
  HGDIOBJ Detach();
  BOOL DeleteObject();
  HGDIOBJ GetSafeHandle() const { return m_hObject; }

  HGDIOBJ m_hObject = nullptr;
};

class CDC;

class CRgn : public CGdiObject {
 public:
  BOOL CreateRectRgn(int left, int top, int right, int bottom);
  operator HRGN() const { return static_cast<HRGN>(m_hObject); }
};

class CBitmap : public CGdiObject {
 public:
  BOOL CreateCompatibleBitmap(CDC* dc, int width, int height);
  int GetBitmap(BITMAP* info) const;
  operator HBITMAP() const { return static_cast<HBITMAP>(m_hObject); }
};

class CFont : public CGdiObject {
 public:
  BOOL CreateFont(int height, int width, int escapement, int orientation, int weight, BYTE italic,
                  BYTE underline, BYTE strikeOut, BYTE charSet, BYTE outPrecision,
                  BYTE clipPrecision, BYTE quality, BYTE pitchAndFamily, const char* faceName);
  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
};

// A device context deleted with its wrapper (memory contexts); the paint and client forms give
// their context back the way it was obtained instead.
class CDC {
 public:
  CDC() = default;
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  BOOL CreateCompatibleDC(CDC* other);
  BOOL DeleteDC();
  BOOL Attach(HDC dc);
  HDC Detach();
  HDC GetSafeHdc() const { return m_hDC; }
  operator HDC() const { return m_hDC; }

  HGDIOBJ SelectObject(CGdiObject* object);
  HGDIOBJ SelectObject(HGDIOBJ object);
  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY,
              DWORD rop);
  COLORREF SetTextColor(COLORREF color);
  COLORREF SetBkColor(COLORREF color);
  int SetBkMode(int mode);

  HDC m_hDC = nullptr;
};

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* wnd);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps{};

 private:
  HWND m_hWnd;
};

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* wnd);
  ~CClientDC() override;

 private:
  HWND m_hWnd;
};
