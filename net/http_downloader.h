// The transfer as the launcher uses it: the exchange runs on a worker thread that publishes a
// locked percentage and can be asked to stop.
#pragma once

#include <atomic>
#include <memory>

#include "compat/kernel_handle.h"
#include "compat/threads.h"
#include "net/http_transfer.h"

class HttpDownloader {
 public:
  HttpDownloader();
  // Stops and waits for a running worker before the transfer and the lock go.
  ~HttpDownloader();
  HttpDownloader(const HttpDownloader&) = delete;
  HttpDownloader& operator=(const HttpDownloader&) = delete;

  // A new transfer of its own for `urls`: the race, then the worker over the winner. 1 when the
  // worker runs. While the worker of an earlier start still runs the transfer is that worker's,
  // so the start is refused (0) and nothing changes.
  int Start(std::vector<std::string> urls);

  int GetPercent();
  void SetStop(bool flag);
  bool IsStopped() const;

  // The transfer of the last start, to read only. While its worker runs, what the race set
  // (host, path, fileName, raceOutcome) may be read; body and bodySize once GetPercent has
  // returned 100.
  const HttpTransfer& GetTransfer() const { return *transfer; }
  // The worker of the last successful start, or null.
  HANDLE GetWorkerThread() const { return workerThread.get(); }

  // The time-outs each start's transfer is given (ms): its race's wait for a first connection,
  // and each wait of the winner for data.
  int connectTimeout;
  int receiveTimeout;

 private:
  friend DWORD WINAPI DownloadThread(LPVOID downloader);

  // Starts the worker over the winning connection; 1 when the thread runs.
  int Run();
  bool WorkerRunning() const;

  std::unique_ptr<HttpTransfer> transfer;
  UniqueKernelHandle workerThread;
  int percent;  // 0 to 100; read and written only inside progressLock
  CRITICAL_SECTION progressLock;
  // Written by the user-interface thread, read by the worker: atomic, since a plain byte shared
  // between threads is a data race.
  std::atomic<bool> stopRequested;
  // Raised only by the destructor: a worker waiting for data gives up at once.
  std::atomic<bool> abandoned;
};

// The worker: the transfer's exchange, with the percentage after each piece of the body and the
// stop flag. Returns 1 when the body is complete, stopped, or there is none; 0 on any failure.
DWORD WINAPI DownloadThread(LPVOID downloader);
