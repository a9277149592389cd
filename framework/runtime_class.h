// Run-time class records: a class's name, object size and base, and a function that makes one,
// so windows of a class can be created by its record (dynamic creation).
#pragma once
#include <windows.h>

class CWnd;

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF: not serialisable
  CWnd* (*m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;

  // A new object of the class, or null for classes that cannot be created dynamically.
  CWnd* CreateObject() const { return m_pfnCreateObject ? m_pfnCreateObject() : nullptr; }
};
