// fetch [-o FILE] URL [URL...]
//
// Races the candidate URLs with the launcher's own downloader, prints the percentage whenever it
// changes ("NN%" per line), and writes the body to FILE (default: the last part of the winning
// URL's path without its query, as a plain name in the current folder; -o is needed when a URL
// offers none). Exits 0 when the whole body was written, 1 with the reason otherwise (a file that
// could not be written whole is removed).
#include <sys/stat.h>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "compat/threads.h"
#include "compat/winsock.h"
#include "net/http_downloader.h"
#include "tools/fetch/output_name.h"

namespace {

int Usage() {
  std::fprintf(stderr, "usage: fetch [-o FILE] URL [URL...]\n");
  return 2;
}

// A write that fails part way removes what it wrote: a cut-off installer left under the expected
// name looks like a finished download. Only a plain file is removed, never a device named by -o.
bool WriteBody(const std::string& file, const char* body, int size) {
  std::FILE* out = std::fopen(file.c_str(), "wb");
  if (out == nullptr) return false;
  const bool written = size == 0 || std::fwrite(body, 1, static_cast<std::size_t>(size), out) ==
                                        static_cast<std::size_t>(size);
  const bool closed = std::fclose(out) == 0;
  if (written && closed) return true;
  struct stat info {};
  if (stat(file.c_str(), &info) == 0 && S_ISREG(info.st_mode)) {
    std::remove(file.c_str());
  }
  return false;
}

// The socket library for the life of the object.
class WinsockSession {
 public:
  WinsockSession() : started_(WSAStartup(0x0101, &data_) == 0) {}
  ~WinsockSession() {
    if (started_) WSACleanup();
  }
  bool started() const { return started_; }

 private:
  WSADATA data_;
  bool started_;
};

// Why no connection was made, as the race saw it.
void ReportNoConnection(const HttpDownloader& downloader) {
  switch (downloader.GetTransfer().raceOutcome) {
    case HttpTransfer::RaceNoAddress:
      std::fprintf(stderr, "fetch: no URL's host could be found (or its port is unusable)\n");
      break;
    case HttpTransfer::RaceRefused:
      std::fprintf(stderr, "fetch: every server that could be reached refused the connection\n");
      break;
    case HttpTransfer::RaceTimedOut:
      std::fprintf(stderr, "fetch: no connection within the time-out (%d ms)\n",
                   downloader.connectTimeout);
      break;
    case HttpTransfer::RaceWon:
      std::fprintf(stderr, "fetch: connected, but the download did not start\n");
      break;
    default:
      std::fprintf(stderr, "fetch: waiting for the connections failed\n");
      break;
  }
}

int Fetch(const std::string& output, const std::vector<std::string>& urls) {
  bool usable = false;
  for (const std::string& url : urls) {
    std::optional<ParsedUrl> parsed = SplitUrl(url);
    if (!parsed) continue;
    usable = true;
    // Whichever URL wins, its file must have a name before anything is downloaded.
    if (output.empty() && OutputNameFor(parsed->path).empty()) {
      std::fprintf(stderr, "fetch: %s names no plain file to write; give one with -o FILE\n",
                   url.c_str());
      return 1;
    }
  }
  if (!usable) {
    std::fprintf(stderr, "fetch: no URL usable (each needs scheme://host[:port]/path/file)\n");
    return 1;
  }
  WinsockSession winsock;
  if (!winsock.started()) {
    std::fprintf(stderr, "fetch: the socket library did not start\n");
    return 1;
  }
  HttpDownloader downloader;
  if (downloader.Start(urls) == 0) {
    ReportNoConnection(downloader);
    return 1;
  }
  const HttpTransfer& transfer = downloader.GetTransfer();
  int shown = -1;
  DWORD worker = 0;
  for (bool done = false; !done;) {
    done = WaitForSingleObject(downloader.GetWorkerThread(), 50) == WAIT_OBJECT_0;
    int percent = downloader.GetPercent();
    if (percent != shown) {
      std::printf("%d%%\n", percent);
      std::fflush(stdout);
      shown = percent;
    }
  }
  GetExitCodeThread(downloader.GetWorkerThread(), &worker);
  if (worker == 0 || shown != 100) {
    // A worker that ends well below 100% had no body to read: the launcher would wait forever.
    std::fprintf(stderr, "fetch: transfer failed at %d%%%s\n", shown,
                 worker != 0 ? " (no body: Content-Length missing, 0 or 1)" : "");
    return 1;
  }
  std::string file = output.empty() ? OutputNameFor(transfer.path) : output;
  if (!WriteBody(file, transfer.body.get(), transfer.bodySize)) {
    std::fprintf(stderr, "fetch: cannot write %s\n", file.c_str());
    return 1;
  }
  std::fprintf(stderr, "fetch: %d bytes from %s written to %s\n", transfer.bodySize,
               transfer.host.c_str(), file.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  std::string output;
  std::vector<std::string> urls;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "-o") {
      if (++i >= argc) return Usage();
      output = argv[i];
    } else {
      urls.push_back(arg);
    }
  }
  if (urls.empty()) return Usage();
  return Fetch(output, urls);
}
