// The framework's dialog machinery on real windows: the modal loop, pre-translation, dialog keys,
// control binding and the reflection of notifications to the controls.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "framework/afxwin.h"
#include "tests/support/windows/modal_script.h"
#include "tests/framework/test_dialogs.h"

namespace {

constexpr UINT kProbe = WM_APP + 1;    // recorded by every PreTranslateMessage on the way
constexpr UINT kSwallow = WM_APP + 2;  // the dialog's PreTranslateMessage keeps it

class RecordingButton : public CButton {
 public:
  int draws = 0;
  int reflectedClicks = 0;
  void DrawItem(DRAWITEMSTRUCT*) override { ++draws; }
  BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
      ++reflectedClicks;
      return TRUE;
    }
    return CButton::OnChildNotify(message, wParam, lParam, result);
  }
};

// Records the probes it is offered, then lets them go on.
template <class Base>
class Probing : public Base {
 public:
  std::vector<HWND>* log = nullptr;
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == kProbe && log) log->push_back(this->m_hWnd);
    return Base::PreTranslateMessage(msg);
  }
};

class PopupDialog : public Probing<CDialog> {
 public:
  PopupDialog() { m_nIDHelp = IDD_TEST_POPUP; }
};

class TestDialog : public CDialog {
 public:
  TestDialog() : CDialog(IDD_TEST_DIALOG) { push.log = &probes; }

  RecordingButton owner;
  Probing<CButton> push;
  CStatic text;
  std::vector<HWND> probes;
  std::vector<int> commands;
  std::vector<int> unhandledCommands;
  std::vector<int> colorRequests;  // kind * 10000 + control id
  int probesDispatched = 0;
  int swallowedDispatched = 0;
  bool initialised = false;

  void DoDataExchange() override {
    owner.SubclassDlgItem(IDC_OWNER_DRAWN, this);
    push.SubclassDlgItem(IDC_PUSH, this);
    text.SubclassDlgItem(IDC_TEXT, this);
  }
  BOOL OnInitDialog() override {
    CDialog::OnInitDialog();
    initialised = true;
    return TRUE;
  }
  BOOL PreTranslateMessage(MSG* msg) override {
    if (msg->message == kProbe) probes.push_back(m_hWnd);
    if (msg->message == kSwallow) return TRUE;
    return CDialog::PreTranslateMessage(msg);
  }
  BOOL OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override {
    if (message == kProbe) ++probesDispatched;
    if (message == kSwallow) ++swallowedDispatched;
    return CDialog::OnWndMsg(message, wParam, lParam, result);
  }
  BOOL OnCommand(WPARAM wParam, LPARAM lParam) override {
    commands.push_back(LOWORD(wParam));
    const BOOL handled = CDialog::OnCommand(wParam, lParam);
    if (!handled) unhandledCommands.push_back(LOWORD(wParam));
    return handled;
  }
  HBRUSH OnCtlColor(CDC* dc, CWnd* wnd, UINT kind) override {
    colorRequests.push_back(static_cast<int>(kind) * 10000 + wnd->GetDlgCtrlID());
    return CDialog::OnCtlColor(dc, wnd, kind);
  }
};

TEST(CDialogModal, RunsItsOwnLoopAndReturnsTheEndDialogResult) {
  TestDialog dialog;
  HWND seen = nullptr;
  ModalScript script({[&] {
    seen = dialog.m_hWnd;
    dialog.EndDialog(42);
  }});
  EXPECT_EQ(script.Run(dialog), 42);
  EXPECT_TRUE(dialog.initialised);
  ASSERT_NE(seen, nullptr);
  EXPECT_FALSE(::IsWindow(seen)) << "the window is destroyed when DoModal returns";
  EXPECT_EQ(dialog.m_hWnd, nullptr);
  EXPECT_EQ(dialog.owner.m_hWnd, nullptr) << "bound controls are released with their windows";
  EXPECT_EQ(CWnd::FromHandlePermanent(seen), nullptr);
}

TEST(CDialogModal, EnterAndEscapeBecomeOkAndCancelCommands) {
  {
    TestDialog dialog;
    ModalScript script({[&] { ::PostMessageA(dialog.m_hWnd, WM_KEYDOWN, VK_RETURN, 0); }});
    EXPECT_EQ(script.Run(dialog), IDOK);
    EXPECT_EQ(dialog.commands.back(), IDOK);
  }
  {
    TestDialog dialog;
    ModalScript script({[&] { ::PostMessageA(dialog.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0); }});
    EXPECT_EQ(script.Run(dialog), IDCANCEL);
    EXPECT_EQ(dialog.commands.back(), IDCANCEL);
  }
}

TEST(CDialogModal, PreTranslationWalksFromTheTargetThroughParentsAndOwnersToTheDialog) {
  TestDialog dialog;
  PopupDialog popup;
  popup.log = &dialog.probes;
  HWND button = nullptr, popupWindow = nullptr;
  ModalScript script({
      [&] {
        button = dialog.push.m_hWnd;
        ::PostMessageA(button, kProbe, 0, 0);
      },
      [&] {
        ASSERT_TRUE(popup.Create(IDD_TEST_POPUP, &dialog));
        popupWindow = popup.m_hWnd;
        EXPECT_EQ(::GetParent(popupWindow), dialog.m_hWnd) << "a pop-up's parent is its owner";
        ::PostMessageA(popupWindow, kProbe, 0, 0);
      },
      [&] { ::PostMessageA(dialog.m_hWnd, kSwallow, 0, 0); },
      [&] {
        popup.DestroyWindow();
        dialog.EndDialog(0);
      },
  });
  script.Run(dialog);
  ASSERT_EQ(dialog.probes.size(), 4u);
  EXPECT_EQ(dialog.probes[0], button);
  EXPECT_EQ(dialog.probes[1], dialog.probes[3]) << "then the dialog";
  EXPECT_EQ(dialog.probes[2], popupWindow);
  EXPECT_EQ(dialog.probesDispatched, 0) << "probes for other windows are not the dialog's";
  EXPECT_EQ(dialog.swallowedDispatched, 0) << "a message kept by PreTranslateMessage is not sent";
}

TEST(CDialogModal, ButtonClicksAndOwnerDrawAreReflectedToTheBoundControl) {
  TestDialog dialog;
  ModalScript script({
      [&] {
        ::SendMessageA(dialog.owner.m_hWnd, BM_CLICK, 0, 0);
        ::SendMessageA(dialog.push.m_hWnd, BM_CLICK, 0, 0);
      },
      [&] { dialog.EndDialog(0); },
  });
  script.Run(dialog);
  EXPECT_GE(dialog.owner.draws, 1) << "the owner-drawn button drew itself";
  EXPECT_EQ(dialog.owner.reflectedClicks, 1);
  const auto& unhandled = dialog.unhandledCommands;
  EXPECT_EQ(std::count(unhandled.begin(), unhandled.end(), IDC_OWNER_DRAWN), 0)
      << "a click the control handles is done with";
  EXPECT_EQ(std::count(unhandled.begin(), unhandled.end(), IDC_PUSH), 1)
      << "a click the control leaves alone goes on to the dialog's default processing";
  EXPECT_NE(
      std::count(dialog.colorRequests.begin(), dialog.colorRequests.end(), 6 * 10000 + IDC_TEXT), 0)
      << "the static asks for its colours with kind 6";
}

TEST(CDialogModal, MissingTemplateMakesDoModalReturnMinusOne) {
  CDialog dialog(9999);
  EXPECT_EQ(dialog.DoModal(), -1);
}

class TestApp : public CWinApp {};

TEST(CWinApp, MainWindowPointerIsClearedWhenItsWindowIsDestroyed) {
  TestApp app;
  ASSERT_EQ(AfxGetApp(), &app);
  TestDialog dialog;
  app.m_pMainWnd = &dialog;
  ModalScript script({[&] {
    EXPECT_EQ(app.m_pMainWnd, &dialog);
    dialog.EndDialog(0);
  }});
  script.Run(dialog);
  EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(GdiWrappers, DeleteTheirHandlesUnlessDetached) {
  HGDIOBJ bitmapHandle = nullptr;
  HDC dcHandle = nullptr;
  {
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    CBitmap bitmap;
    CClientDC screen(nullptr);
    ASSERT_TRUE(bitmap.CreateCompatibleBitmap(&screen, 8, 8));
    bitmapHandle = bitmap.m_hObject;
    dcHandle = dc.m_hDC;
    BITMAP info{};
    ASSERT_EQ(bitmap.GetBitmap(&info), static_cast<int>(sizeof(BITMAP)));
    EXPECT_EQ(info.bmWidth, 8);
  }
  EXPECT_EQ(::GetObjectType(bitmapHandle), 0u);
  EXPECT_EQ(::GetObjectType(dcHandle), 0u);

  HGDIOBJ kept = nullptr;
  {
    CFont font;
    ASSERT_TRUE(font.CreateFont(10, 6, 0, 0, 400, 0, 0, 0, 1, 0, 0, 0, 0x20, "Arial"));
    kept = font.Detach();
  }
  EXPECT_EQ(::GetObjectType(kept), static_cast<DWORD>(OBJ_FONT));
  ::DeleteObject(kept);
}

}  // namespace
