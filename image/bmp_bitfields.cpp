#include "image/bmp_bitfields.h"

namespace {

// Where a mask's field sits: masked values are shifted right (negative: left) by `shift`.
struct ChannelShift {
  DWORD mask;
  int shift;
};

ChannelShift ShiftFor(DWORD mask) {
  mask &= 0xFFFF;  // a 16-bit pixel has nothing above bit 15
  int top = -1;
  for (int bit = 15; bit >= 0; --bit) {
    if (mask & (1u << bit)) {
      top = bit;
      break;
    }
  }
  return ChannelShift{mask, top < 0 ? 0 : top - 7};
}

BYTE Extract(DWORD value, const ChannelShift& channel) {
  const DWORD bits = value & channel.mask;
  const DWORD moved = channel.shift >= 0 ? bits >> channel.shift : bits << -channel.shift;
  return static_cast<BYTE>(moved & 0xFF);
}

}  // namespace

BYTE BitFieldChannel(DWORD value, DWORD mask) { return Extract(value, ShiftFor(mask)); }

void WidenBitFields16(BYTE* pixels, DWORD width, DWORD height, std::size_t sourceStride,
                      std::size_t stride, const BitFieldMasks& masks) {
  const ChannelShift red = ShiftFor(masks.red);
  const ChannelShift green = ShiftFor(masks.green);
  const ChannelShift blue = ShiftFor(masks.blue);
  for (std::size_t row = height; row-- > 0;) {
    const BYTE* from = pixels + row * sourceStride;
    BYTE* to = pixels + row * stride;
    for (std::size_t column = width; column-- > 0;) {
      const DWORD value = from[column * 2] | (from[column * 2 + 1] << 8);
      to[column * 3] = Extract(value, blue);
      to[column * 3 + 1] = Extract(value, green);
      to[column * 3 + 2] = Extract(value, red);
    }
  }
}
