// Windows threads and critical sections over std::thread and pthread mutexes.
#include "compat/threads.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <new>
#include <thread>

namespace {

// What the running thread and its handle share; the thread keeps it alive past CloseHandle.
struct ThreadState {
  std::mutex lock;
  std::condition_variable finishedSignal;
  bool finished = false;
  DWORD exitCode = STILL_ACTIVE;
};

struct ThreadHandle {
  std::shared_ptr<ThreadState> state;
  std::thread thread;
};

std::atomic<DWORD> g_nextThreadId{1};

}  // namespace

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T, LPTHREAD_START_ROUTINE start, LPVOID parameter,
                    DWORD flags, LPDWORD threadId) {
  if (start == nullptr || flags != 0) return nullptr;
  auto* handle = new (std::nothrow) ThreadHandle;
  if (handle == nullptr) return nullptr;
  try {
    handle->state = std::make_shared<ThreadState>();
    std::shared_ptr<ThreadState> state = handle->state;
    handle->thread = std::thread([state, start, parameter] {
      DWORD code = start(parameter);
      std::lock_guard<std::mutex> hold(state->lock);
      state->exitCode = code;
      state->finished = true;
      state->finishedSignal.notify_all();
    });
  } catch (const std::exception&) {
    delete handle;
    return nullptr;
  }
  if (threadId != nullptr) *threadId = g_nextThreadId++;
  return handle;
}

DWORD WaitForSingleObject(HANDLE thread, DWORD milliseconds) {
  auto* handle = static_cast<ThreadHandle*>(thread);
  if (handle == nullptr) return WAIT_FAILED;
  ThreadState& state = *handle->state;
  std::unique_lock<std::mutex> hold(state.lock);
  auto finished = [&state] { return state.finished; };
  if (milliseconds == INFINITE) {
    state.finishedSignal.wait(hold, finished);
  } else if (!state.finishedSignal.wait_for(hold, std::chrono::milliseconds(milliseconds),
                                            finished)) {
    return WAIT_TIMEOUT;
  }
  return WAIT_OBJECT_0;
}

BOOL GetExitCodeThread(HANDLE thread, LPDWORD exitCode) {
  auto* handle = static_cast<ThreadHandle*>(thread);
  if (handle == nullptr || exitCode == nullptr) return FALSE;
  std::lock_guard<std::mutex> hold(handle->state->lock);
  *exitCode = handle->state->exitCode;
  return TRUE;
}

BOOL CloseHandle(HANDLE thread) {
  auto* handle = static_cast<ThreadHandle*>(thread);
  if (handle == nullptr) return FALSE;
  bool finished;
  {
    std::lock_guard<std::mutex> hold(handle->state->lock);
    finished = handle->state->finished;
  }
  // A finished thread is joined (its last steps are done in a moment); a running one goes on alone.
  if (finished) {
    handle->thread.join();
  } else {
    handle->thread.detach();
  }
  delete handle;
  return TRUE;
}

void InitializeCriticalSection(LPCRITICAL_SECTION section) {
  pthread_mutexattr_t attributes;
  pthread_mutexattr_init(&attributes);
  pthread_mutexattr_settype(&attributes, PTHREAD_MUTEX_RECURSIVE);
  pthread_mutex_init(&section->mutex, &attributes);
  pthread_mutexattr_destroy(&attributes);
}

void EnterCriticalSection(LPCRITICAL_SECTION section) { pthread_mutex_lock(&section->mutex); }

void LeaveCriticalSection(LPCRITICAL_SECTION section) { pthread_mutex_unlock(&section->mutex); }

void DeleteCriticalSection(LPCRITICAL_SECTION section) { pthread_mutex_destroy(&section->mutex); }
