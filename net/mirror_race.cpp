// The mirror race: an attempt to every candidate at once, the first to connect wins.
#include <vector>

#include "net/http_transfer.h"

bool HttpTransfer::ConnectFirst(const std::vector<std::string>& urls) {
  std::vector<ParsedUrl> candidates;
  for (const std::string& url : urls) {
    if (std::optional<ParsedUrl> parsed = SplitUrl(url)) candidates.push_back(*parsed);
  }
  if (candidates.empty()) return false;

  // Every attempt joins the race, also one that could not begin; it simply never connects.
  // Attempts that lose, or are still pending when the race ends, close their sockets as they go.
  std::vector<std::unique_ptr<HttpConnection>> pending;
  for (const ParsedUrl& candidate : candidates) {
    auto attempt = std::make_unique<HttpConnection>();
    attempt->BeginConnect(candidate);
    pending.push_back(std::move(attempt));
  }

  DWORD start = GetTickCount();
  auto elapsed = [start] { return static_cast<long long>(GetTickCount() - start); };
  winsock::fd_set writeSet;
  int ready = 0;
  for (;;) {
    if (elapsed() > connectTimeout) return false;
    // Winsock watches at most FD_SETSIZE (64) sockets; FD_SET ignores those past it.
    FD_ZERO(&writeSet);
    for (const auto& attempt : pending) {
      if (attempt->GetSocket() != INVALID_SOCKET) FD_SET(attempt->GetSocket(), &writeSet);
    }
    // Nothing left that could ever connect: waiting out the time-out would change nothing.
    if (writeSet.fd_count == 0) return false;
    timeval wait;
    wait.tv_sec = 0;
    wait.tv_usec = 500;
    ready = winsock::select(0, nullptr, &writeSet, nullptr, &wait);
    if (ready != 0) break;
    if (elapsed() > connectTimeout) return false;
  }
  if (ready < 0) return false;

  // The first poll that finds any socket writable decides: the earliest such attempt in the list
  // wins, every other attempt is closed and dropped.
  bool winnerChosen = false;
  for (auto& attempt : pending) {
    if (attempt->GetSocket() == INVALID_SOCKET || !FD_ISSET(attempt->GetSocket(), &writeSet)) {
      attempt.reset();
      continue;
    }
    attempt->MarkConnected();
    if (!winnerChosen) {
      winnerChosen = true;
      fileName = attempt->GetTarget().fileName;
      path = attempt->GetTarget().path;
      host = attempt->GetTarget().host;
      attempt->SetTimeouts(receiveTimeout);
      attempt->SetPollSleep(pollSleep);
      connection = std::move(attempt);  // a connection of an earlier race is released here
    } else {
      attempt->Close();
      attempt.reset();
    }
  }
  return true;
}
