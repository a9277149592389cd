#include "tests/support/windows/modal_script.h"

namespace {
ModalScript* g_running = nullptr;
CDialog* g_dialog = nullptr;
}  // namespace

ModalScript::ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {}

ModalScript::~ModalScript() {
  if (timer_ != 0) ::KillTimer(nullptr, timer_);
  if (g_running == this) g_running = nullptr;
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
  ModalScript* script = g_running;
  if (script == nullptr || script->next_ >= script->steps_.size()) return;
  // Timers also tick inside message boxes shown while the dialog initialises; the steps wait for
  // the dialog's own loop, which runs once the dialog is shown.
  if (g_dialog == nullptr || !::IsWindowVisible(g_dialog->m_hWnd)) return;
  Step step = script->steps_[script->next_++];
  step();
}

INT_PTR ModalScript::Run(CDialog& dialog) {
  g_running = this;
  g_dialog = &dialog;
  next_ = 0;
  timer_ = ::SetTimer(nullptr, 0, 30, Tick);
  const INT_PTR result = dialog.DoModal();
  ::KillTimer(nullptr, timer_);
  timer_ = 0;
  g_running = nullptr;
  g_dialog = nullptr;
  return result;
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}
