// Shared body of the image fuzz targets: decode bytes from memory with one decoder (or the
// automatic choice) under a memory ceiling, then walk everything a caller may touch on the result.
#pragma once

#include <cstddef>
#include <cstdint>

#include "compat/platform.h"

// The ceiling of the fast targets: a header claiming a huge picture is refused at once instead of
// costing a 64 MiB block that is zeroed, flipped and freed. It still admits every picture a few
// kilobytes of input can describe in full, and RLE data many times that.
constexpr DWORD kFuzzMemoryCeiling = 256u * 1024u;

void FuzzDecode(const std::uint8_t* data, std::size_t size, int type, DWORD memoryCeiling);
