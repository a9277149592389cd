// Shared body of the image fuzz targets: decode bytes from memory with one decoder, then walk
// everything a caller may touch on the result.
#pragma once

#include <cstddef>
#include <cstdint>

void FuzzDecode(const std::uint8_t* data, std::size_t size, int type);
