// GDI objects and device contexts, each given back with its owner, and an object's selection into
// a context, undone with its owner. An object must be out of every context before it goes:
// declare the selection after the owners of both, so it is undone before either goes. Windows
// only.
#pragma once

#include <windows.h>

#include "compat/unique_handle.h"

// A pen, brush, font, bitmap or region: `UniqueGdiObject<HFONT>`.
template <class Object>
struct GdiObjectTraits {
  using Handle = Object;
  static Handle Empty() { return nullptr; }
  static void Close(Handle object) { ::DeleteObject(object); }
};
template <class Object>
using UniqueGdiObject = UniqueHandle<GdiObjectTraits<Object>>;

// A context made by CreateCompatibleDC (or CreateDC).
struct MemoryDcTraits {
  using Handle = HDC;
  static Handle Empty() { return nullptr; }
  static void Close(Handle dc) { ::DeleteDC(dc); }
};
using UniqueMemoryDc = UniqueHandle<MemoryDcTraits>;

// A window's client-area context from GetDC (null: the screen's), given back to that window.
struct ClientDcTraits {
  using Handle = HDC;
  static Handle Empty() { return nullptr; }
  void Close(Handle dc) const { ::ReleaseDC(window, dc); }
  HWND window = nullptr;
};
using UniqueClientDc = UniqueHandle<ClientDcTraits>;

inline UniqueClientDc GetClientDc(HWND window) {
  return UniqueClientDc(::GetDC(window), ClientDcTraits{window});
}

// Selects an object into a context and puts the previous one back.
class GdiSelection {
 public:
  GdiSelection(HDC dc, HGDIOBJ object) : dc_(dc) {
    if (dc_ != nullptr && object != nullptr) previous_ = ::SelectObject(dc_, object);
  }
  ~GdiSelection() {
    if (previous_ != nullptr) ::SelectObject(dc_, previous_);
  }
  GdiSelection(const GdiSelection&) = delete;
  GdiSelection& operator=(const GdiSelection&) = delete;

 private:
  HDC dc_;
  HGDIOBJ previous_ = nullptr;
};
