#include "tests/e2e/dialog_template.h"

#include <vector>

namespace e2e {

namespace {

INT_PTR CALLBACK IgnoreDialogMessages(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

}  // namespace

RECT CentredTemplateRect() {
  std::vector<WORD> t;
  auto put32 = [&t](DWORD value) {
    t.push_back(LOWORD(value));
    t.push_back(HIWORD(value));
  };
  t.push_back(1);       // dlgVer
  t.push_back(0xFFFF);  // signature of an extended template
  put32(0);             // help id
  put32(0);             // extended style
  put32(DS_SETFONT | DS_CENTER | WS_POPUP);
  t.push_back(0);  // no controls
  for (WORD value : {0, 0, 549, 376}) t.push_back(value);
  t.push_back(0);  // no menu
  t.push_back(0);  // default class
  t.push_back(0);  // no title
  t.push_back(9);  // point size
  t.push_back(400);
  t.push_back(0x8600);  // not italic; character set GB2312
  for (const wchar_t* c = L"\u5b8b\u4f53"; *c != 0; ++c) t.push_back(static_cast<WORD>(*c));
  t.push_back(0);
  t.push_back(0);
  HWND dialog = ::CreateDialogIndirectParamW(::GetModuleHandleW(nullptr),
                                             reinterpret_cast<LPCDLGTEMPLATEW>(t.data()), nullptr,
                                             IgnoreDialogMessages, 0);
  RECT rect{};
  ::GetWindowRect(dialog, &rect);
  ::DestroyWindow(dialog);
  return rect;
}

}  // namespace e2e
