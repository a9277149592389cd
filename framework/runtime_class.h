// Run-time class records: a class's name, object size and base, and a function that makes one.
// Nothing here reads them; they stay because the launcher's documents describe its two control
// wrappers as dynamically creatable, with records whose base is CWnd's.
#pragma once
#include <windows.h>

class CWnd;

struct CRuntimeClass {
  const char* m_lpszClassName;
  int m_nObjectSize;
  UINT m_wSchema;  // 0xFFFF: not serialisable
  CWnd* (*m_pfnCreateObject)();
  CRuntimeClass* m_pBaseClass;
};
