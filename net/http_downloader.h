// The transfer as the launcher uses it: the exchange runs on a worker thread that publishes a
// locked percentage and can be asked to stop.
#pragma once

#include <atomic>

#include "compat/threads.h"
#include "net/http_transfer.h"

class HttpDownloader : public HttpTransfer {
 public:
  HttpDownloader();
  // Stops and waits for a running worker before the connection, the body and the lock go.
  ~HttpDownloader() override;

  // The race and the worker's start; 1 when the worker runs. Refused (0) while an earlier worker
  // of this downloader is still running: a new race would take the connection from under it.
  int Start(std::vector<std::string> urls);
  // Starts the worker over the winning connection; 1 when the thread runs.
  int Run() override;

  int GetPercent();
  void SetStop(bool flag);
  bool IsStopped() const;

  HANDLE workerThread;
  int percent;  // 0 to 100; read and written only inside progressLock
  CRITICAL_SECTION progressLock;
  // Written by the user-interface thread, read by the worker: atomic, since a plain byte shared
  // between threads is a data race.
  std::atomic<bool> stopRequested;
  // Raised only by the destructor: a worker waiting for data gives up at once.
  std::atomic<bool> abandoned;
};

// The worker: request, header, status, then the body with the percentage and the stop flag.
// Returns 1 when the body is complete, stopped, or there is none; 0 on any failure.
DWORD WINAPI DownloadThread(LPVOID downloader);
