// The mirror race: an attempt to every candidate at once, the first to connect wins.
#include <algorithm>
#include <vector>

#include "net/http_transfer.h"

bool HttpTransfer::ConnectFirst(const std::vector<std::string>& urls) {
  raceOutcome = RaceNoUsableUrl;
  std::vector<ParsedUrl> candidates;
  for (const std::string& url : urls) {
    if (std::optional<ParsedUrl> parsed = SplitUrl(url)) candidates.push_back(*parsed);
  }
  if (candidates.empty()) return false;

  // An attempt that could not begin joins the list all the same: without a socket it is never
  // watched, so it never wins. Losers and attempts still pending when the race ends close their
  // sockets as they go.
  std::vector<std::unique_ptr<HttpConnection>> pending;
  bool anyFailed = false;  // some attempt reached its server's address and was turned away
  for (const ParsedUrl& candidate : candidates) {
    auto attempt = std::make_unique<HttpConnection>();
    attempt->BeginConnect(candidate);
    anyFailed = anyFailed || attempt->ConnectFailed();
    pending.push_back(std::move(attempt));
  }
  // Winsock watches at most FD_SETSIZE (64) sockets: the first 64 attempts under way are the
  // race, and those after them never win, also once some of the 64 have dropped out.
  std::vector<HttpConnection*> watched;
  for (const auto& attempt : pending) {
    if (attempt->GetSocket() == INVALID_SOCKET) continue;
    if (watched.size() == static_cast<std::size_t>(FD_SETSIZE)) break;
    watched.push_back(attempt.get());
  }

  DWORD start = GetTickCount();
  auto elapsed = [start] { return static_cast<long long>(GetTickCount() - start); };
  winsock::fd_set writeSet;
  winsock::fd_set errorSet;
  for (;;) {
    // Nothing left that could ever connect: waiting out the time-out would change nothing, and
    // the user-interface thread that runs the race would stay frozen for it.
    if (watched.empty()) {
      raceOutcome = anyFailed ? RaceRefused : RaceNoAddress;
      return false;
    }
    FD_ZERO(&writeSet);
    FD_ZERO(&errorSet);
    for (const HttpConnection* attempt : watched) {
      FD_SET(attempt->GetSocket(), &writeSet);
      FD_SET(attempt->GetSocket(), &errorSet);
    }
    if (elapsed() > connectTimeout) {
      raceOutcome = RaceTimedOut;
      return false;
    }
    timeval wait;
    wait.tv_sec = 0;
    wait.tv_usec = 500;
    const int ready = winsock::select(0, nullptr, &writeSet, &errorSet, &wait);
    if (ready < 0) {
      raceOutcome = RaceFailed;
      return false;
    }
    if (writeSet.fd_count > 0) break;
    // A connect that failed (refused, unreachable) shows in the error set and never becomes
    // writable: it leaves the race, which goes on for the attempts still under way.
    if (ready > 0) {
      auto failed = [&errorSet](const HttpConnection* attempt) {
        return FD_ISSET(attempt->GetSocket(), &errorSet) != 0;
      };
      watched.erase(std::remove_if(watched.begin(), watched.end(), failed), watched.end());
      anyFailed = true;
    }
  }

  // One poll decides, so the URLs' order breaks ties: of the attempts that poll found connected,
  // the one listed first is kept and the rest are closed.
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
  raceOutcome = RaceWon;
  return true;
}
