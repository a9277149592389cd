#include "net/http_downloader.h"

#include <cstring>
#include <utility>

HttpDownloader::HttpDownloader()
    : workerThread(nullptr), percent(0), stopRequested(false), abandoned(false) {
  InitializeCriticalSection(&progressLock);
}

HttpDownloader::~HttpDownloader() {
  if (workerThread != nullptr) {
    stopRequested = true;
    abandoned = true;
    WaitForSingleObject(workerThread, INFINITE);
    CloseHandle(workerThread);
    workerThread = nullptr;
  }
  DeleteCriticalSection(&progressLock);
}

int HttpDownloader::Start(std::vector<std::string> urls) {
  if (workerThread != nullptr && WaitForSingleObject(workerThread, 0) != WAIT_OBJECT_0) return 0;
  return HttpTransfer::Start(std::move(urls));
}

int HttpDownloader::Run() {
  if (workerThread != nullptr) {
    // Two workers would share one connection and one body.
    if (WaitForSingleObject(workerThread, 0) != WAIT_OBJECT_0) return 0;
    CloseHandle(workerThread);
    workerThread = nullptr;
  }
  if (connection) connection->SetAbortFlag(&abandoned);
  workerThread = CreateThread(nullptr, 0, DownloadThread, this, 0, nullptr);
  return workerThread != nullptr ? 1 : 0;
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
  if (downloader == nullptr || !downloader->connection) return 0;
  HttpConnection& connection = *downloader->connection;

  char request[HttpTransfer::kRequestSize];
  std::string host = downloader->host;
  if (downloader->FormatRequest(request, host.c_str(), downloader->path.c_str()) == nullptr) return 0;
  if (!downloader->SendRequest(request, static_cast<int>(std::strlen(request)))) return 0;
  if (!downloader->CheckStatus()) return 0;

  int length = downloader->ContentLength();
  if (length > 1) {
    if (!downloader->AllocateBody(length)) return 0;
    char* body = downloader->body.get();
    int received = 0;
    while (received < length) {
      int n = connection.Receive(body + received, length - received);
      if (n <= 0) return 0;  // the connection stays open and the percentage keeps its last value
      EnterCriticalSection(&downloader->progressLock);
      received += n;
      // 64-bit: received * 100 overflows 32 bits for bodies over 21,474,836 bytes.
      downloader->percent = static_cast<int>(static_cast<long long>(received) * 100 / length);
      LeaveCriticalSection(&downloader->progressLock);
      if (downloader->IsStopped()) break;
    }
    body[length] = 0;
  }
  connection.Close();
  return 1;
}
