#include "net/http_downloader.h"

#include <utility>

HttpDownloader::HttpDownloader()
    : connectTimeout(10000),
      receiveTimeout(10000),
      transfer(std::make_unique<HttpTransfer>()),
      percent(0),
      stopRequested(false),
      abandoned(false) {
  InitializeCriticalSection(&progressLock);
}

HttpDownloader::~HttpDownloader() {
  if (workerThread) {
    stopRequested = true;
    abandoned = true;
    WaitForSingleObject(workerThread.get(), INFINITE);
    workerThread.reset();
  }
  DeleteCriticalSection(&progressLock);
}

bool HttpDownloader::WorkerRunning() const {
  return workerThread && WaitForSingleObject(workerThread.get(), 0) != WAIT_OBJECT_0;
}

int HttpDownloader::Start(std::vector<std::string> urls) {
  if (WorkerRunning()) return 0;
  workerThread.reset();
  // Each start is a download of its own: a transfer serves one exchange in its life.
  transfer = std::make_unique<HttpTransfer>();
  transfer->connectTimeout = connectTimeout;
  transfer->receiveTimeout = receiveTimeout;
  EnterCriticalSection(&progressLock);
  percent = 0;
  LeaveCriticalSection(&progressLock);
  stopRequested = false;
  if (!transfer->ConnectFirst(urls)) return 0;
  return Run() != 0 ? 1 : 0;
}

int HttpDownloader::Run() {
  transfer->connection->SetAbortFlag(&abandoned);
  workerThread.reset(CreateThread(nullptr, 0, DownloadThread, this, 0, nullptr));
  return workerThread ? 1 : 0;
}

int HttpDownloader::GetPercent() {
  EnterCriticalSection(&progressLock);
  int value = percent;
  LeaveCriticalSection(&progressLock);
  return value;
}

void HttpDownloader::SetStop(bool flag) { stopRequested = flag; }

bool HttpDownloader::IsStopped() const { return stopRequested; }

DWORD WINAPI DownloadThread(LPVOID parameter) {
  auto* downloader = static_cast<HttpDownloader*>(parameter);
  if (downloader == nullptr) return 0;
  return static_cast<DWORD>(downloader->transfer->Exchange([downloader](int received, int length) {
    EnterCriticalSection(&downloader->progressLock);
    // 64-bit: received * 100 overflows 32 bits for bodies over 21,474,836 bytes.
    downloader->percent = static_cast<int>(static_cast<long long>(received) * 100 / length);
    LeaveCriticalSection(&downloader->progressLock);
    return !downloader->IsStopped();
  }));
}
