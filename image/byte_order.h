// Little-endian fields of stored file headers, read byte by byte so that layout and alignment of
// the host never matter.
#pragma once

#include <cstdint>

#include "compat/platform.h"

inline WORD LittleEndian16(const BYTE* bytes) {
  return static_cast<WORD>(bytes[0] | (bytes[1] << 8));
}

inline DWORD LittleEndian32(const BYTE* bytes) {
  return static_cast<DWORD>(bytes[0]) | (static_cast<DWORD>(bytes[1]) << 8) |
         (static_cast<DWORD>(bytes[2]) << 16) | (static_cast<DWORD>(bytes[3]) << 24);
}

inline LONG LittleEndianSigned32(const BYTE* bytes) {
  return static_cast<LONG>(static_cast<std::int32_t>(LittleEndian32(bytes)));
}
