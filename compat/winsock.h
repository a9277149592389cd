// The Winsock 1.1 names the network code is written against.
//
// On Windows this is <winsock2.h> (the same calls, linked from ws2_32). On the host the same names
// are supplied over BSD sockets with the Winsock behaviour the network code relies on: a set of at
// most FD_SETSIZE (64) sockets kept in insertion order, WSAEWOULDBLOCK/WSAEINTR from
// WSAGetLastError, and a refused or unconnected socket that never shows as writable.
//
// Where POSIX owns a name with another meaning, the network code writes it as `winsock::select`,
// `winsock::fd_set` and `winsock::send` (on Windows these are the real calls brought in by
// using-declarations; on the host, ours), while FD_ZERO/FD_SET/FD_ISSET/FD_SETSIZE and FIONBIO are
// the Winsock macros on both builds (on the host the POSIX ones are replaced below), so each
// spelling means the Winsock call on both builds.
#pragma once

#ifdef _WIN32

#include <winsock2.h>

#include "compat/platform.h"

namespace winsock {
using ::fd_set;
using ::select;
using ::send;
typedef int socklen_t;
}  // namespace winsock

#else

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/ioctl.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <sys/types.h>

#include "compat/platform.h"

typedef int SOCKET;
#define INVALID_SOCKET (-1)
#define SOCKET_ERROR (-1)

#define WSABASEERR 10000
#define WSAEINTR 10004
#define WSAEBADF 10009
#define WSAEFAULT 10014
#define WSAEINVAL 10022
#define WSAEMFILE 10024
#define WSAEWOULDBLOCK 10035
#define WSAEINPROGRESS 10036
#define WSAEALREADY 10037
#define WSAENOTSOCK 10038
#define WSAEADDRINUSE 10048
#define WSAENETUNREACH 10051
#define WSAECONNABORTED 10053
#define WSAECONNRESET 10054
#define WSAENOBUFS 10055
#define WSAEISCONN 10056
#define WSAENOTCONN 10057
#define WSAESHUTDOWN 10058
#define WSAETIMEDOUT 10060
#define WSAECONNREFUSED 10061
#define WSAEHOSTUNREACH 10065
#define WSAHOST_NOT_FOUND 11001

struct WSADATA {
  WORD wVersion;
  WORD wHighVersion;
  char szDescription[257];
  char szSystemStatus[129];
  unsigned short iMaxSockets;
  unsigned short iMaxUdpDg;
  char* lpVendorInfo;
};
typedef WSADATA* LPWSADATA;

int WSAStartup(WORD version, LPWSADATA data);
int WSACleanup();
// The error of the calling thread's last failed socket call, as a Winsock code.
int WSAGetLastError();
int closesocket(SOCKET socket);
// FIONBIO switches non-blocking mode; other commands fail with WSAEINVAL.
int ioctlsocket(SOCKET socket, long command, u_long* argument);

#undef FIONBIO
#define FIONBIO ((long)0x8004667EL)

#undef FD_SETSIZE
#define FD_SETSIZE 64

namespace winsock {

struct fd_set {
  unsigned int fd_count;
  SOCKET fd_array[FD_SETSIZE];
};

// Ignores `ignored` as Winsock does; leaves in each set only its ready sockets, in order.
int select(int ignored, fd_set* readSet, fd_set* writeSet, fd_set* exceptSet,
           const timeval* timeout);
// Never raises SIGPIPE: a closed peer is an error result, as on Windows.
int send(SOCKET socket, const char* data, int length, int flags);
using ::socklen_t;

void FdAdd(SOCKET socket, fd_set* set);
void FdRemove(SOCKET socket, fd_set* set);
int FdIsSet(SOCKET socket, const fd_set* set);

}  // namespace winsock

#undef FD_ZERO
#undef FD_SET
#undef FD_CLR
#undef FD_ISSET
#define FD_ZERO(set) ((set)->fd_count = 0)
#define FD_SET(socket, set) winsock::FdAdd((socket), (set))
#define FD_CLR(socket, set) winsock::FdRemove((socket), (set))
#define FD_ISSET(socket, set) winsock::FdIsSet((socket), (set))

#endif
