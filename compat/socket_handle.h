// A socket, closed with its owner.
#pragma once

#include "compat/unique_handle.h"
#include "compat/winsock.h"

struct SocketTraits {
  using Handle = SOCKET;
  static Handle Empty() { return INVALID_SOCKET; }
  static void Close(Handle socket) { ::closesocket(socket); }
};
using UniqueSocket = UniqueHandle<SocketTraits>;
