// A generous limit on work that a fault would make hang: the work runs on a thread of its own and
// the test goes on, and fails, when it has not ended in time. A hung thread is left behind, so the
// work must own or share everything it touches.
#pragma once

#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <utility>

namespace net_testing {

template <typename Work>
bool EndsWithin(std::chrono::seconds guard, Work work) {
  auto ended = std::make_shared<std::promise<void>>();
  std::future<void> done = ended->get_future();
  std::thread([ended, work = std::move(work)]() mutable {
    work();
    ended->set_value();
  }).detach();
  return done.wait_for(guard) == std::future_status::ready;
}

}  // namespace net_testing
