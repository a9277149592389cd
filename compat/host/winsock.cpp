// Winsock calls over BSD sockets, with the Winsock behaviour the network code relies on.
#include "compat/winsock.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

int WSAStartup(WORD version, LPWSADATA data) {
  if (data == nullptr) return WSAEFAULT;
  std::memset(data, 0, sizeof(*data));
  data->wVersion = version;
  data->wHighVersion = 0x0202;
  std::strcpy(data->szDescription, "BSD sockets");
  std::strcpy(data->szSystemStatus, "Running");
  return 0;
}

int WSACleanup() { return 0; }

int WSAGetLastError() {
  switch (errno) {
    case EINTR:
      return WSAEINTR;
    case EAGAIN:
      return WSAEWOULDBLOCK;  // EWOULDBLOCK on Linux
    case EINPROGRESS:
      return WSAEWOULDBLOCK;  // a non-blocking connect under way
    case EALREADY:
      return WSAEALREADY;
    case EBADF:
      return WSAENOTSOCK;
    case ENOTSOCK:
      return WSAENOTSOCK;
    case EFAULT:
      return WSAEFAULT;
    case EINVAL:
      return WSAEINVAL;
    case EMFILE:
      return WSAEMFILE;
    case EADDRINUSE:
      return WSAEADDRINUSE;
    case ENETUNREACH:
      return WSAENETUNREACH;
    case ECONNABORTED:
      return WSAECONNABORTED;
    case ECONNRESET:
      return WSAECONNRESET;
    case ENOBUFS:
      return WSAENOBUFS;
    case EISCONN:
      return WSAEISCONN;
    case ENOTCONN:
      return WSAENOTCONN;
    case EPIPE:
      return WSAESHUTDOWN;
    case ETIMEDOUT:
      return WSAETIMEDOUT;
    case ECONNREFUSED:
      return WSAECONNREFUSED;
    case EHOSTUNREACH:
      return WSAEHOSTUNREACH;
    default:
      return WSABASEERR + errno;  // no Winsock twin; the network code treats it as fatal
  }
}

int closesocket(SOCKET socket) { return close(socket) == 0 ? 0 : SOCKET_ERROR; }

int ioctlsocket(SOCKET socket, long command, u_long* argument) {
  if (command != FIONBIO || argument == nullptr) {
    errno = EINVAL;
    return SOCKET_ERROR;
  }
  int flags = fcntl(socket, F_GETFL, 0);
  if (flags < 0) return SOCKET_ERROR;
  flags = *argument != 0 ? (flags | O_NONBLOCK) : (flags & ~O_NONBLOCK);
  return fcntl(socket, F_SETFL, flags) == 0 ? 0 : SOCKET_ERROR;
}

namespace winsock {

void FdAdd(SOCKET socket, fd_set* set) {
  for (unsigned int i = 0; i < set->fd_count; ++i) {
    if (set->fd_array[i] == socket) return;
  }
  // Like Winsock, a full set silently ignores further sockets.
  if (set->fd_count < FD_SETSIZE) set->fd_array[set->fd_count++] = socket;
}

void FdRemove(SOCKET socket, fd_set* set) {
  for (unsigned int i = 0; i < set->fd_count; ++i) {
    if (set->fd_array[i] != socket) continue;
    for (unsigned int j = i + 1; j < set->fd_count; ++j) set->fd_array[j - 1] = set->fd_array[j];
    --set->fd_count;
    return;
  }
}

int FdIsSet(SOCKET socket, const fd_set* set) {
  for (unsigned int i = 0; i < set->fd_count; ++i) {
    if (set->fd_array[i] == socket) return 1;
  }
  return 0;
}

namespace {

// The poll entry of `socket`, added (with no events yet) when it has none.
pollfd& Entry(std::vector<pollfd>& entries, SOCKET socket) {
  for (pollfd& entry : entries) {
    if (entry.fd == socket) return entry;
  }
  entries.push_back(pollfd{socket, 0, 0});
  return entries.back();
}

short EventsOf(const std::vector<pollfd>& entries, SOCKET socket) {
  for (const pollfd& entry : entries) {
    if (entry.fd == socket) return entry.revents;
  }
  return 0;
}

// Keeps the sockets of `set` for which `ready` holds, in their order; returns how many.
template <typename Ready>
int Keep(fd_set* set, const std::vector<pollfd>& entries, Ready ready) {
  if (set == nullptr) return 0;
  unsigned int kept = 0;
  for (unsigned int i = 0; i < set->fd_count; ++i) {
    if (ready(EventsOf(entries, set->fd_array[i]))) set->fd_array[kept++] = set->fd_array[i];
  }
  set->fd_count = kept;
  return static_cast<int>(kept);
}

}  // namespace

int select(int, fd_set* readSet, fd_set* writeSet, fd_set* exceptSet, const timeval* timeout) {
  // poll, not POSIX select: descriptors past 1023 would overflow a POSIX fd_set.
  std::vector<pollfd> entries;
  auto collect = [&entries](const fd_set* set, short events) {
    if (set == nullptr) return;
    for (unsigned int i = 0; i < set->fd_count; ++i)
      Entry(entries, set->fd_array[i]).events |= events;
  };
  collect(readSet, POLLIN);
  collect(writeSet, POLLOUT);
  collect(exceptSet, POLLPRI);
  if (entries.empty()) {
    errno = EINVAL;  // Winsock refuses a select without sockets
    return SOCKET_ERROR;
  }
  timespec wait{};
  if (timeout != nullptr) {
    wait.tv_sec = timeout->tv_sec;
    wait.tv_nsec = static_cast<long>(timeout->tv_usec) * 1000L;
  }
  int result = ppoll(entries.data(), entries.size(), timeout != nullptr ? &wait : nullptr, nullptr);
  if (result < 0) return SOCKET_ERROR;
  for (const pollfd& entry : entries) {
    if (entry.revents & POLLNVAL) {
      errno = ENOTSOCK;
      return SOCKET_ERROR;
    }
  }
  // Readable: data, or a closed or reset connection that recv reports.
  int ready =
      Keep(readSet, entries, [](short e) { return (e & (POLLIN | POLLHUP | POLLERR)) != 0; });
  // Writable only when connected: Linux also flags a refused connect (POLLERR) and a socket that
  // never connected (POLLHUP) as writable, Winsock does not.
  ready += Keep(writeSet, entries,
                [](short e) { return (e & POLLOUT) != 0 && (e & (POLLERR | POLLHUP)) == 0; });
  // Error set: where Winsock reports a connect that failed (refused, unreachable); Linux flags it
  // POLLERR until the error is read, which the network code never does.
  ready += Keep(exceptSet, entries, [](short e) { return (e & (POLLPRI | POLLERR)) != 0; });
  return ready;
}

int send(SOCKET socket, const char* data, int length, int flags) {
  if (length < 0) {
    errno = EINVAL;
    return SOCKET_ERROR;
  }
  ssize_t sent = ::send(socket, data, static_cast<size_t>(length), flags | MSG_NOSIGNAL);
  return sent < 0 ? SOCKET_ERROR : static_cast<int>(sent);
}

}  // namespace winsock
