// Watches for error boxes the way a person would: finds each top-level dialog titled "Error" (in
// any process of the session), reads its text and presses OK.
#pragma once
#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class BoxWatcher {
 public:
  BoxWatcher();
  // Stops watching; boxes that appear later stay on screen.
  ~BoxWatcher();
  BoxWatcher(const BoxWatcher&) = delete;
  BoxWatcher& operator=(const BoxWatcher&) = delete;

  // The texts of the boxes answered so far (code page 936 bytes), in the order they appeared.
  std::vector<std::string> Texts();
  // Waits until `count` boxes have been answered; false after `timeoutMs`.
  bool WaitForCount(size_t count, DWORD timeoutMs);

 private:
  void Watch();
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::vector<std::string> texts_;
  std::vector<HWND> answered_;
  std::thread thread_;
};

}  // namespace testing_support
