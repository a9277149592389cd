#include "app/web_browser.h"

namespace {
constexpr DISPID kDispidNavigate = 0x68;
const BYTE kNavigateParameters[] = {kVtsNarrowString,   kVtsVariantPointer, kVtsVariantPointer,
                                    kVtsVariantPointer, kVtsVariantPointer, 0};
}  // namespace

static_assert(sizeof(CWebBrowser) == sizeof(CWnd), "the wrapper adds no fields");

const CLSID CWebBrowser::kClassId = {
    0xEAB22AC3, 0x30C1, 0x11CF, {0xA7, 0xEB, 0x00, 0x00, 0xC0, 0x5B, 0xAE, 0x0B}};

CRuntimeClass CWebBrowser::classCWebBrowser = {"CWebBrowser", sizeof(CWnd), 0xFFFF,
                                               &CWebBrowser::CreateObject, &CWnd::classCWnd};

CWnd* CWebBrowser::CreateObject() { return new CWebBrowser; }

CRuntimeClass* CWebBrowser::GetRuntimeClass() const { return &classCWebBrowser; }

CWebBrowser::~CWebBrowser() = default;

BOOL CWebBrowser::Create(LPCSTR, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent,
                         UINT id, void*) {
  return CreateControl(kClassId, windowName, style, rect, parent, id);
}

void CWebBrowser::Navigate(const char* url, VARIANT* flags, VARIANT* targetFrame, VARIANT* postData,
                           VARIANT* headers) {
  InvokeHelper(kDispidNavigate, DISPATCH_METHOD, VT_EMPTY, nullptr, kNavigateParameters, url, flags,
               targetFrame, postData, headers);
}
