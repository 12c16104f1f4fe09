#include "image/bmp_rle.h"

#include <algorithm>
#include <cstring>

namespace brimvale {

void DecodeBmpRle8(const uint8_t* packed, size_t packedSize, uint8_t* pixels, size_t stride, size_t rows) {
  size_t at = 0;
  size_t x = 0;
  size_t y = 0;
  // Writes count bytes at (x, y), cut at the end of the row.
  auto room = [&](size_t count) { return x >= stride ? size_t{0} : std::min(count, stride - x); };
  while (at < packedSize && y < rows) {
    const size_t n = packed[at++];
    if (n > 0) {
      if (at >= packedSize) break;
      const uint8_t value = packed[at++];
      std::memset(pixels + y * stride + std::min(x, stride), value, room(n));
      x += n;
      continue;
    }
    if (at >= packedSize) break;
    const size_t escape = packed[at++];
    if (escape == 0) {
      x = 0;
      ++y;
    } else if (escape == 1) {
      break;
    } else if (escape == 2) {
      if (packedSize - at < 2) break;
      x += packed[at];
      y += packed[at + 1];
      at += 2;
    } else {
      const size_t available = std::min(escape, packedSize - at);
      std::memcpy(pixels + y * stride + std::min(x, stride), packed + at, room(available));
      if (available < escape) break;
      at += escape;
      x += escape;
      if (escape & 1) ++at;  // the pad byte
    }
  }
}

}  // namespace brimvale
