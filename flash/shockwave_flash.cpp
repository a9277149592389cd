#include "flash/shockwave_flash.h"

namespace {
constexpr DISPID kDispidMovie = 0x66;
constexpr DISPID kDispidPlay = 0x70;
const BYTE kOneString[] = {kVtsNarrowString, 0};
}  // namespace

static_assert(sizeof(CShockwaveFlash) == sizeof(CWnd), "the wrapper adds no fields");

const CLSID CShockwaveFlash::kClassId = {
    0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

CRuntimeClass CShockwaveFlash::classCShockwaveFlash = {
    "CShockwaveFlash", sizeof(CWnd), 0xFFFF, &CShockwaveFlash::CreateObject, &CWnd::classCWnd};

CWnd* CShockwaveFlash::CreateObject() { return new CShockwaveFlash; }

CRuntimeClass* CShockwaveFlash::GetRuntimeClass() const { return &classCShockwaveFlash; }

CShockwaveFlash::~CShockwaveFlash() = default;

BOOL CShockwaveFlash::Create(LPCSTR, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                             UINT id, void*) {
  return CreateControl(kClassId, windowName, style, rect, parent, id);
}

BOOL CShockwaveFlash::PreTranslateMessage(MSG* msg) {
  if (msg->message == WM_RBUTTONDOWN || msg->message == WM_RBUTTONUP ||
      msg->message == WM_RBUTTONDBLCLK) {
    return TRUE;
  }
  return CWnd::PreTranslateMessage(msg);
}

void CShockwaveFlash::OnRButtonDown(UINT, CPoint) {}

bool CShockwaveFlash::SetMovie(const char* path) {
  return SUCCEEDED(
      InvokeHelper(kDispidMovie, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, kOneString, path));
}

bool CShockwaveFlash::PlayMovie() {
  return SUCCEEDED(InvokeHelper(kDispidPlay, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr));
}
