// GDI objects and device contexts, each given back with its owner. An object must be out of every
// context before it goes: declare its owner after the context's, so it goes first, and put the
// context's previous object back before either. Windows only.
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
