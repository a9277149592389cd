// Runs test steps from inside a dialog's own modal loop, one step per timer tick, so the loop
// processes the messages each step causes before the next step looks at the result.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

#include "framework/dialog.h"

class ModalScript {
 public:
  using Step = std::function<void()>;
  explicit ModalScript(std::vector<Step> steps);
  ~ModalScript();
  // DoModal on `dialog` while the steps run; the last step is expected to end the dialog.
  INT_PTR Run(CDialog& dialog);

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
  std::vector<Step> steps_;
  size_t next_ = 0;
  UINT_PTR timer_ = 0;
};

// Lets the queue drain: pending sent and posted messages of this thread are processed through
// the normal dispatch (used by tests outside a modal loop).
void PumpMessages();
