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
  for (const ParsedUrl& candidate : candidates) {
    auto attempt = std::make_unique<HttpConnection>();
    attempt->BeginConnect(candidate);
    pending.push_back(std::move(attempt));
  }
  // A refused connect shows in the error set, never in the write set, so it cannot win; the race
  // goes on to its time-out all the same (a server may yet come up). Refusals are only noted, to
  // tell a refused list from a silent one, and are not asked about again.
  std::vector<SOCKET> refused;
  auto isRefused = [&refused](SOCKET socket) {
    return std::find(refused.begin(), refused.end(), socket) != refused.end();
  };

  DWORD start = GetTickCount();
  auto elapsed = [start] { return static_cast<long long>(GetTickCount() - start); };
  winsock::fd_set writeSet;
  winsock::fd_set errorSet;
  for (;;) {
    // Winsock watches at most FD_SETSIZE (64) sockets; FD_SET ignores those past it.
    FD_ZERO(&writeSet);
    FD_ZERO(&errorSet);
    for (const auto& attempt : pending) {
      const SOCKET socket = attempt->GetSocket();
      if (socket == INVALID_SOCKET) continue;
      FD_SET(socket, &writeSet);
      if (FD_ISSET(socket, &writeSet) && !isRefused(socket)) FD_SET(socket, &errorSet);
    }
    // Nothing left that could ever connect: waiting out the time-out would change nothing.
    if (writeSet.fd_count == 0) {
      raceOutcome = RaceNoAddress;
      return false;
    }
    if (elapsed() > connectTimeout) {
      raceOutcome = errorSet.fd_count == 0 ? RaceRefused : RaceTimedOut;
      return false;
    }
    timeval wait;
    wait.tv_sec = 0;
    wait.tv_usec = 500;
    const int ready = winsock::select(0, nullptr, &writeSet,
                                      errorSet.fd_count > 0 ? &errorSet : nullptr, &wait);
    if (ready < 0) {
      raceOutcome = RaceFailed;
      return false;
    }
    if (writeSet.fd_count > 0) break;
    if (ready > 0) {
      for (unsigned int i = 0; i < errorSet.fd_count; ++i) refused.push_back(errorSet.fd_array[i]);
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
