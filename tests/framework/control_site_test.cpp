// ActiveX hosting on real windows, against the test bed's stand-in controls (the browser
// registered in the test prefix by scripts/testbed.sh, the Flash control registered here):
// creation and in-place activation, dispatch calls with both argument codes, keys through the
// pre-translation walk, teardown; where OLE starts; and window subclassing that chains with other
// subclassers, as controls are.
#include <gtest/gtest.h>
#include <windows.h>
#include <ole2.h>

#include <string>
#include <thread>
#include <vector>

#include "compat/com_ptr.h"
#include "compat/windows/module_handle.h"
#include "framework/afxwin.h"
#include "framework/ole_control_site.h"
#include "tests/support/windows/modal_script.h"
#include "tests/framework/test_dialogs.h"
#include "tests/support/test_support.h"

namespace {

using testing_support::ReadFile;
using testing_support::ScopedCurrentDir;
using testing_support::TempDir;
using testing_support::WriteFile;

// {D27CDB6E-AE6D-11CF-96B8-444553540000}, its dual interface {D27CDB6C-...}
const CLSID kFlashId = {0xD27CDB6E, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0, 0}};
const IID kFlashInterface = {
    0xD27CDB6C, 0xAE6D, 0x11CF, {0x96, 0xB8, 0x44, 0x45, 0x53, 0x54, 0, 0}};
// {EAB22AC3-30C1-11CF-A7EB-0000C05BAE0B}
const CLSID kBrowserId = {0xEAB22AC3, 0x30C1, 0x11CF, {0xA7, 0xEB, 0, 0, 0xC0, 0x5B, 0xAE, 0x0B}};
// Registered nowhere.
const CLSID kNoSuchControl = {0x5C1D3E2A, 0x0B0B, 0x4C4C, {1, 2, 3, 4, 5, 6, 7, 8}};

const BYTE kString[] = {kVtsNarrowString, 0};
const BYTE kNavigate[] = {kVtsNarrowString,   kVtsVariantPointer, kVtsVariantPointer,
                          kVtsVariantPointer, kVtsVariantPointer, 0};

class HostDialog : public CDialog {
 public:
  HostDialog() : CDialog(IDD_TEST_DIALOG) {}
};

CRect RectInParent(HWND child) {
  CRect rect;
  ::GetWindowRect(child, &rect);
  ::MapWindowPoints(nullptr, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

// The launcher installs and registers its Flash control as it starts; these tests need only a
// registered one: the stand-in of this build, through its own entry point.
class FlashStandInEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    const UniqueModule module(::LoadLibraryA(LAUNCHER_BINARY_DIR "\\testbed\\flash.ocx"));
    ASSERT_TRUE(module) << "the Flash stand-in is not built";
    auto registerServer = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
        reinterpret_cast<void (*)()>(::GetProcAddress(module.get(), "DllRegisterServer")));
    EXPECT_TRUE(registerServer != nullptr && registerServer() == S_OK);
  }
};
const auto* const kFlashStandIn = ::testing::AddGlobalTestEnvironment(new FlashStandInEnvironment);

// Whether a stand-in DLL holds no object any more (false when it is not loaded).
bool ServerIdle(const char* module) {
  HMODULE loaded = ::GetModuleHandleA(module);
  if (loaded == nullptr) return false;
  auto canUnload = reinterpret_cast<HRESULT(STDAPICALLTYPE*)()>(
      reinterpret_cast<void (*)()>(::GetProcAddress(loaded, "DllCanUnloadNow")));
  return canUnload != nullptr && canUnload() == S_OK;
}

TEST(ControlSite, HostsTheStandInsCallsThemByDispatchAndTakesThemDown) {
  AfxEnableControlContainer();
  TempDir folder;
  ScopedCurrentDir here(folder.path());
  std::string longPage = "<html><head><title>Long</title></head><body>";
  for (int line = 0; line < 80; ++line) longPage += "<p>line " + std::to_string(line) + "</p>";
  WriteFile(folder / "long.html", longPage + "</body></html>");

  HostDialog dialog;
  CWnd flash, browser, nothing;
  HWND flashWindow = nullptr;
  int scrolledBy = -1;
  ModalScript script({
      [&] {
        ASSERT_TRUE(flash.CreateControl(kFlashId, nullptr, WS_CHILD | WS_VISIBLE,
                                        CRect(5, 6, 105, 56), &dialog, 132));
        flashWindow = flash.m_hWnd;
        EXPECT_EQ(::GetDlgItem(dialog.m_hWnd, 132), flashWindow) << "the control's own window";
        EXPECT_TRUE(::IsWindowVisible(flashWindow));
        EXPECT_EQ(RectInParent(flashWindow), CRect(5, 6, 105, 56));
        flash.MoveWindow(0, 0, 120, 40);
        EXPECT_EQ(RectInParent(flashWindow), CRect(0, 0, 120, 40));
        EXPECT_EQ(flash.InvokeHelper(102, DISPATCH_PROPERTYPUT, VT_EMPTY, nullptr, kString,
                                     "C:\\游戏/movie.swf"),
                  S_OK);
        EXPECT_EQ(flash.InvokeHelper(112, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr), S_OK);
        // Only what the launcher uses is offered: other codes and results call nothing.
        const BYTE unknownCode[] = {0x03, 0};
        EXPECT_EQ(flash.InvokeHelper(112, DISPATCH_METHOD, VT_EMPTY, nullptr, unknownCode, 7),
                  E_INVALIDARG);
        long result = 0;
        EXPECT_EQ(flash.InvokeHelper(112, DISPATCH_METHOD, VT_I4, &result, nullptr), E_INVALIDARG);

        ASSERT_TRUE(browser.CreateControl(kBrowserId, nullptr, WS_CHILD | WS_VISIBLE,
                                          CRect(0, 50, 300, 150), &dialog, 100));
        VARIANT empty;
        ::VariantInit(&empty);
        EXPECT_EQ(browser.InvokeHelper(104, DISPATCH_METHOD, VT_EMPTY, nullptr, kNavigate,
                                       "long.html", &empty, &empty, &empty, &empty),
                  S_OK);
        EXPECT_FALSE(nothing.CreateControl(kNoSuchControl, nullptr, WS_CHILD | WS_VISIBLE,
                                           CRect(0, 0, 10, 10), &dialog, 7));
        EXPECT_EQ(nothing.m_hWnd, nullptr);
        EXPECT_EQ(nothing.InvokeHelper(112, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr),
                  E_UNEXPECTED);

        // The stand-in browser scrolls only on keys its container offers it as accelerators.
        ::SetFocus(browser.m_hWnd);
        ::PostMessageA(browser.m_hWnd, WM_KEYDOWN, VK_NEXT, 0);
      },
      [&] {
        scrolledBy = ::GetScrollPos(browser.m_hWnd, SB_VERT);
        EXPECT_TRUE(flash.DestroyWindow());
        EXPECT_FALSE(::IsWindow(flashWindow));
        EXPECT_EQ(flash.m_hWnd, nullptr);
        EXPECT_EQ(flash.m_pCtrlSite, nullptr);
        EXPECT_EQ(flash.InvokeHelper(112, DISPATCH_METHOD, VT_EMPTY, nullptr, nullptr),
                  E_UNEXPECTED);
        EXPECT_TRUE(ServerIdle("flash.ocx")) << "the control was released";
        // The browser is left to go with its container.
        dialog.EndDialog(0);
      },
  });
  script.Run(dialog);
  EXPECT_GT(scrolledBy, 0);
  EXPECT_EQ(browser.m_hWnd, nullptr);
  EXPECT_EQ(browser.m_pCtrlSite, nullptr);
  EXPECT_TRUE(ServerIdle("StandInBrowser.dll"));
  EXPECT_EQ(ReadFile(folder / "standin-flash.log"), "movie C:\\游戏/movie.swf\r\nplay\r\n");
  EXPECT_EQ(ReadFile(folder / "standin-browser.log"), "navigate long.html\r\n");

  // The stand-in's version query sits in slot 39 of its dual interface.
  ComPtr<IUnknown> control;
  ASSERT_EQ(::CoCreateInstance(kFlashId, nullptr, CLSCTX_INPROC_SERVER, kFlashInterface,
                               control.putVoid()),
            S_OK);
  using VersionQuery = HRESULT(STDMETHODCALLTYPE*)(IUnknown*, long*);
  long version = 0;
  EXPECT_EQ((*reinterpret_cast<VersionQuery**>(control.get()))[39](control.get(), &version), S_OK);
  EXPECT_EQ(version, 0x000A0000);
}

// The launcher's own COM start lies in the Flash check, which undoes it when it finds no
// control: hosting must not depend on it.
TEST(ControlSite, OleStartsWithTheFirstControlOfAThread) {
  AfxEnableControlContainer();
  HRESULT before = S_OK;
  bool apartment = false;
  BOOL created = FALSE;
  std::thread thread([&] {
    ::CoInitialize(nullptr);
    ::CoUninitialize();
    APTTYPE type;
    APTTYPEQUALIFIER qualifier;
    before = ::CoGetApartmentType(&type, &qualifier);
    CWnd container, browser;
    container.Create("STATIC", "container", WS_POPUP, CRect(0, 0, 200, 100), nullptr, 0);
    created = browser.CreateControl(kBrowserId, nullptr, WS_CHILD | WS_VISIBLE,
                                    CRect(0, 0, 200, 100), &container, 100);
    apartment = SUCCEEDED(::CoGetApartmentType(&type, &qualifier)) &&
                (type == APTTYPE_STA || type == APTTYPE_MAINSTA);
    container.DestroyWindow();
    AfxOleTermThread();
  });
  thread.join();
  EXPECT_EQ(before, CO_E_NOTINITIALIZED);
  EXPECT_TRUE(created);
  EXPECT_TRUE(apartment) << "the thread is now a single-threaded apartment";
}

// A window class whose procedure records the probes it receives.
constexpr UINT kProbe = WM_APP + 7;
std::vector<std::string>* g_heard = nullptr;

LRESULT CALLBACK ClassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe && g_heard) g_heard->push_back("class");
  if (message == WM_NCDESTROY && g_heard) g_heard->push_back("class destroyed");
  return ::DefWindowProcA(hwnd, message, wParam, lParam);
}

WNDPROC g_belowThirdParty = nullptr;
LRESULT CALLBACK ThirdPartyProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == kProbe && g_heard) g_heard->push_back("third party");
  if (message == WM_NCDESTROY && g_heard) g_heard->push_back("third party destroyed");
  return ::CallWindowProcA(g_belowThirdParty, hwnd, message, wParam, lParam);
}

class ListeningWnd : public CWnd {
 public:
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message == kProbe && g_heard) g_heard->push_back("framework");
    return CWnd::OnWndMsg(message, wParam, lParam, result);
  }
};

class Subclassing : public ::testing::Test {
 protected:
  void SetUp() override {
    g_heard = &heard;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ClassProc;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "SubclassingTest";
    ::RegisterClassA(&windowClass);
    window = ::CreateWindowExA(0, "SubclassingTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                               windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override {
    if (::IsWindow(window)) ::DestroyWindow(window);
    g_heard = nullptr;
  }
  std::vector<std::string> Probe() {
    heard.clear();
    ::SendMessageA(window, kProbe, 0, 0);
    return heard;
  }
  using Heard = std::vector<std::string>;
  HWND window = nullptr;
  Heard heard;
};

TEST_F(Subclassing, ADetachedWindowAnswersItsOwnClassProcedureAgain) {
  ListeningWnd wnd;
  ASSERT_TRUE(wnd.SubclassWindow(window));
  EXPECT_EQ(Probe(), (Heard{"framework", "class"}));
  EXPECT_EQ(wnd.Detach(), window);
  EXPECT_EQ(Probe(), Heard{"class"});
  EXPECT_EQ(::GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(ClassProc))
      << "nobody subclassed after us: our procedure left the chain";
}

TEST_F(Subclassing, SubclassersAfterUsKeepTheirPlaceThroughDetachRebindingAndDestruction) {
  ListeningWnd first;
  ASSERT_TRUE(first.SubclassWindow(window));
  g_belowThirdParty = reinterpret_cast<WNDPROC>(
      ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ThirdPartyProc)));
  EXPECT_EQ(Probe(), (Heard{"third party", "framework", "class"}));

  first.Detach();
  EXPECT_EQ(Probe(), (Heard{"third party", "class"})) << "passed through, not to DefWindowProc";
  EXPECT_EQ(::GetWindowLongPtrA(window, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(ThirdPartyProc));

  ListeningWnd second;
  ASSERT_TRUE(second.SubclassWindow(window));
  EXPECT_EQ(Probe(), (Heard{"third party", "framework", "class"})) << "bound again, once";

  heard.clear();
  ::DestroyWindow(window);
  EXPECT_EQ(heard, (Heard{"third party destroyed", "class destroyed"}));
  EXPECT_EQ(second.m_hWnd, nullptr);
}

}  // namespace
