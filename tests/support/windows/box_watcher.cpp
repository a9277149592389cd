#include "tests/support/windows/box_watcher.h"

#include <algorithm>

namespace testing_support {

namespace {
// The id of a message box's text control.
constexpr int kMessageTextId = 0xFFFF;
}  // namespace

BoxWatcher::BoxWatcher() : thread_([this] { Watch(); }) {}

BoxWatcher::~BoxWatcher() {
  stop_ = true;
  thread_.join();
}

std::vector<std::string> BoxWatcher::Texts() {
  std::lock_guard<std::mutex> lock(mutex_);
  return texts_;
}

bool BoxWatcher::WaitForCount(size_t count, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < timeoutMs) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      if (texts_.size() >= count) return true;
    }
    ::Sleep(10);
  }
  std::lock_guard<std::mutex> lock(mutex_);
  return texts_.size() >= count;
}

void BoxWatcher::Watch() {
  while (!stop_) {
    HWND box = ::FindWindowA("#32770", "Error");
    if (box != nullptr && ::IsWindowVisible(box)) {
      bool seen;
      {
        std::lock_guard<std::mutex> lock(mutex_);
        seen = std::find(answered_.begin(), answered_.end(), box) != answered_.end();
      }
      if (!seen) {
        char text[2048] = {};
        HWND label = ::GetDlgItem(box, kMessageTextId);
        DWORD_PTR ignored = 0;
        ::SendMessageTimeoutA(label, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                              SMTO_BLOCK, 2000, &ignored);
        {
          std::lock_guard<std::mutex> lock(mutex_);
          texts_.emplace_back(text);
          answered_.push_back(box);
        }
        ::PostMessageA(box, WM_COMMAND, IDOK, 0);
      }
    }
    ::Sleep(15);
  }
}

}  // namespace testing_support
