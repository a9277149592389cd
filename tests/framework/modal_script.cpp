#include "modal_script.h"

namespace {
ModalScript* g_running = nullptr;
}

ModalScript::ModalScript(std::vector<Step> steps) : steps_(std::move(steps)) {}

ModalScript::~ModalScript() {
  if (timer_ != 0) ::KillTimer(nullptr, timer_);
  if (g_running == this) g_running = nullptr;
}

void CALLBACK ModalScript::Tick(HWND, UINT, UINT_PTR, DWORD) {
  ModalScript* script = g_running;
  if (script == nullptr || script->next_ >= script->steps_.size()) return;
  Step step = script->steps_[script->next_++];
  step();
}

INT_PTR ModalScript::Run(CDialog& dialog) {
  g_running = this;
  next_ = 0;
  timer_ = ::SetTimer(nullptr, 0, 30, Tick);
  const INT_PTR result = dialog.DoModal();
  ::KillTimer(nullptr, timer_);
  timer_ = 0;
  g_running = nullptr;
  return result;
}

void PumpMessages() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&msg);
    ::DispatchMessageA(&msg);
  }
}
